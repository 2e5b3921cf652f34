// Resource ids of the controls' test dialog and gallery.
#define IDD_CONTROLS 100
#define IDD_GALLERY 101
#define IDC_PUSH 1100
#define IDC_PLAIN_FACE 1101
#define IDC_CHECK 1102
#define IDC_RADIO1 1103
#define IDC_RADIO2 1104
#define IDC_RADIO3 1105
#define IDC_OTHER 1106
#define IDC_PROGRESS 1010
#define IDC_SHADOW 1002
#define IDC_CENTRED 1003
#define IDC_PLAIN_LABEL 1004
