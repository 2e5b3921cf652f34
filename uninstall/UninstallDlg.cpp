#include "uninstall/UninstallDlg.h"

#include "platform/AppName.h"
#include "platform/Mbcs.h"
#include "platform/PaintDC.h"
#include "platform/RegKey.h"
#include "platform/WinApp.h"
#include "uninstall/UninstallConstants.h"
#include "uninstall/UninstallMessages.h"
#include "uninstall/res/resource.h"

#include <io.h>

namespace
{
const char kLogFile[] = "Uninstall.log";
const char kInstallPathValue[] = "installPath";
// The installation folder is read through a buffer of this many bytes.
constexpr DWORD kInstallPathBuffer = 1024;
} // namespace

CUninstallDlg::CUninstallDlg(CWnd* parent)
    : CDialog(IDD_UNINSTALL_DIALOG, parent),
      m_hIcon(AfxGetApp() ? AfxGetApp()->LoadIcon(IDR_MAINFRAME) : nullptr)
{
}

void CUninstallDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Control(pDX, IDC_PROGRESS, m_progress);
    DDX_Control(pDX, IDOK, m_btnFinish);
    DDX_Control(pDX, IDC_THANKS, m_stcThanks);
}

BOOL CUninstallDlg::FindInstallFolder(CString& folder)
{
    // Read access is all it takes; asking for more would fail for no reason.
    CRegKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, UninstallConstants::kInstallKey) != ERROR_SUCCESS)
        return FALSE;
    if (key.QueryString(kInstallPathValue, folder, kInstallPathBuffer) != ERROR_SUCCESS)
        return FALSE;
    if (!Mbcs::EndsWithSeparator(folder))
        folder += '\\';
    return TRUE;
}

BOOL CUninstallDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    m_stcThanks.SetShadow(TRUE);
    m_btnFinish.SetFacePattern(7, 8, 10, 0, 0);
    m_btnCancel.SetFacePattern(6, 8, 10, 0, 0);
    m_btnFinish.EnableWindow(FALSE);
    GetDlgItem(IDC_DONE)->ShowWindow(SW_HIDE);

    CString folder;
    if (!FindInstallFolder(folder))
    {
        char module[MAX_PATH] = "";
        ::GetModuleFileNameA(nullptr, module, MAX_PATH);
        folder = module;
        folder = folder.Left(folder.ReverseFind('\\') + 1);
    }
    const CString log = folder + kLogFile;
    if (_access(log, 0) != 0)
    {
        PostMessage(WM_CLOSE);
        return FALSE;
    }

    m_thread.m_pMainWnd = this;
    m_thread.m_bAutoDelete = FALSE;
    if (!m_thread.ReadLog(log))
    {
        PostMessage(WM_CLOSE); // after the worker's WM_UNINSTALL_FAILED
        return TRUE;
    }
    m_progress.SetShowText(TRUE);
    m_progress.SetRange(0, m_thread.CountRecords(LogRecord::FileCopy));
    m_progress.SetStep(1);
    m_thread.CreateThread();
    return TRUE;
}

LRESULT CUninstallDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_UNINSTALL_ITEM:
        OnUninstallItem(reinterpret_cast<const char*>(lParam));
        return 1;
    case WM_UNINSTALL_FILESDONE:
        OnUninstallFilesDone();
        return 1;
    case WM_UNINSTALL_DONE:
        OnUninstallDone();
        return 1;
    case WM_UNINSTALL_CLOSE:
        StopWorker(); // the worker must not outlive the window it reports to
        EndDialog(IDOK);
        return 1;
    case WM_UNINSTALL_FAILED:
        OnUninstallFailed();
        return 1;
    case WM_PAINT:
        if (::IsIconic(m_hWnd))
        {
            OnPaint();
            return 0;
        }
        break;
    case WM_QUERYDRAGICON:
        return reinterpret_cast<LRESULT>(m_hIcon);
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

void CUninstallDlg::OnUninstallItem(const char* path)
{
    CString text;
    text.Format("%s ... ", path);
    SetDlgItemText(IDC_ITEM, text);
    m_progress.StepIt();
}

void CUninstallDlg::OnUninstallFilesDone()
{
    SetDlgItemText(IDC_ITEM, "");
}

void CUninstallDlg::OnUninstallDone()
{
    SetDlgItemText(IDC_ITEM, "");
    // The emptied line lies over the done label and would paint its background across it.
    GetDlgItem(IDC_ITEM)->ShowWindow(SW_HIDE);
    m_progress.ShowWindow(SW_HIDE);
    GetDlgItem(IDC_GROUP)->ShowWindow(SW_HIDE);
    GetDlgItem(IDC_DONE)->ShowWindow(SW_SHOW);
    m_btnFinish.EnableWindow(TRUE);
    m_btnFinish.SetFocus();
}

void CUninstallDlg::OnUninstallFailed()
{
    MessageBox("QELMAR V7.0 卸载未能完成!", AfxGetAppName(), MB_OK | MB_ICONINFORMATION);
    EndDialog(IDCANCEL);
}

// Only while minimised: the icon in the middle of the client area.
void CUninstallDlg::OnPaint()
{
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()));
    RECT client;
    GetClientRect(&client);
    const int x = (client.right - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc.GetSafeHdc(), x, y, m_hIcon);
}

void CUninstallDlg::StopWorker()
{
    if (m_thread.IsRunning())
    {
        m_thread.Stop();
        m_thread.WaitPumping();
    }
}

void CUninstallDlg::OnOK()
{
    // Enter arrives as IDOK too: only an enabled Finish ends the window.
    if (!m_btnFinish.IsWindowEnabled())
        return;
    StopWorker(); // past its last message: only its end is awaited
    CDialog::OnOK();
}

void CUninstallDlg::OnCancel()
{
    StopWorker();
    CDialog::OnCancel();
}
