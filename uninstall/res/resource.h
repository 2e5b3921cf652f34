// Resource ids of Uninstall.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#define IDR_MAINFRAME 128
#define IDD_UNINSTALL_DIALOG 102
#define IDC_PROGRESS 1000
#define IDC_ITEM 1001
#define IDC_THANKS 1002
#define IDC_DONE 1003
#define IDC_GROUP 1004
