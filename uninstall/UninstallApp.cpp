#include "uninstall/UninstallApp.h"

#include "uninstall/UninstallDlg.h"

CUninstallApp theApp;

BOOL CUninstallApp::InitInstance()
{
    if (::MessageBoxA(nullptr, "真要卸载 QELMAR V7.0吗?", "卸载软件", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return FALSE;
    CUninstallDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}
