#include "setup/SetupThread.h"

#include "platform/AppName.h"
#include "platform/FileException.h"
#include "platform/Mbcs.h"
#include "platform/Wnd.h"
#include "setup/Product.h"

int CSetupThread::Run()
{
    MakeFoldersAbsolute();
    bool copied = true;
    for (const char* folder : Product::kInstallFolders)
    {
        if (!CopyFolder(m_strSetupDir + folder, m_strInstallDir + folder))
        {
            copied = false;
            break;
        }
    }
    if (copied)
    {
        CopyRootFiles();
        RegisterControls();
        WriteInstallRecords();
        WriteUninstallLog();
        if (m_pMainWnd)
            m_pMainWnd->SendMessage(WM_SETUP_CONFIGURING);
    }
    if (m_pMainWnd)
        m_pMainWnd->PostMessage(copied ? WM_SETUP_DONE : WM_SETUP_ABORTED);
    ::PostThreadMessageA(m_nThreadID, WM_QUIT, 0, 0);
    return CWinThread::Run();
}

void CSetupThread::NotifyProgress(const char* source, const char* target)
{
    if (m_pMainWnd)
        m_pMainWnd->SendMessage(WM_SETUP_PROGRESS, reinterpret_cast<WPARAM>(source),
                                reinterpret_cast<LPARAM>(target));
}

int CSetupThread::AskUser(const char* text, UINT type)
{
    return ::MessageBoxA(m_pMainWnd ? m_pMainWnd->GetSafeHwnd() : nullptr, text, AfxGetAppName(), type);
}

int CSetupThread::AskWithSystemError(const char* format, DWORD error, const char* path, UINT buttons)
{
    CString text;
    text.Format(format, SystemErrorText(error).str().c_str(), path);
    return AskUser(text, buttons | MB_ICONQUESTION);
}

void CSetupThread::ReportFileError(const CFileException& error)
{
    AskUser(error.GetErrorMessage(), MB_OK | MB_ICONEXCLAMATION);
}

// Everything is created and recorded by absolute path, whatever the page handed over.
void CSetupThread::MakeFoldersAbsolute()
{
    for (CString* folder : {&m_strSetupDir, &m_strInstallDir})
    {
        char full[MAX_PATH];
        const DWORD length = ::GetFullPathNameA(*folder, MAX_PATH, full, nullptr);
        if (length > 0 && length < MAX_PATH)
            *folder = full;
        if (!Mbcs::EndsWithSeparator(*folder))
            *folder += '\\';
    }
}
