// Resource ids of the window layer's test dialog.
#define IDD_WINDOW_TEST 100
#define IDC_LABEL 1001
#define IDC_OWNERDRAW 1002
#define IDC_EDIT 1003
#define IDC_PLAIN 1004
