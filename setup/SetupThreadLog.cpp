// The uninstall log: built in memory during the run, written once at its end.
#include "setup/SetupThread.h"

#include "common/LogRecord.h"
#include "platform/StdioFile.h"
#include "setup/Product.h"

void CSetupThread::LogFileCopy(const CString& path)
{
    m_strLog += LogRecord::Format(LogRecord::FileCopy, path.str()).c_str();
}

void CSetupThread::LogMadeDir(const CString& path)
{
    m_strLog += LogRecord::Format(LogRecord::MadeDir, path.str()).c_str();
}

void CSetupThread::LogRegCtrl(const CString& path)
{
    m_strLog += LogRecord::Format(LogRecord::RegCtrl, path.str()).c_str();
}

void CSetupThread::LogRegKey(HKEY root, const CString& keyPath)
{
    LogRecord::Root digit = LogRecord::Root::Other;
    if (root == HKEY_CLASSES_ROOT)
        digit = LogRecord::Root::ClassesRoot;
    else if (root == HKEY_CURRENT_USER)
        digit = LogRecord::Root::CurrentUser;
    else if (root == HKEY_LOCAL_MACHINE)
        digit = LogRecord::Root::LocalMachine;
    else if (root == HKEY_USERS)
        digit = LogRecord::Root::Users;
    m_strLog += LogRecord::FormatKey(digit, keyPath.str()).c_str();
}

BOOL CSetupThread::WriteUninstallLog()
{
    const CString path = JoinPath(m_strInstallDir, Product::kLogFile);
    LogFileCopy(path);

    // Written beside the old log and moved over it, so a failure leaves the earlier log whole.
    char temp[MAX_PATH];
    if (!::GetTempFileNameA(m_strInstallDir, "log", 0, temp))
    {
        ReportFileError(CFileException(::GetLastError(), path));
        return FALSE;
    }
    try
    {
        CStdioFile file(temp, CStdioFile::modeCreate | CStdioFile::modeWrite | CStdioFile::typeText);
        file.Write(m_strLog, static_cast<unsigned>(m_strLog.GetLength()));
        file.Close();
    }
    catch (const CFileException& error)
    {
        ::DeleteFileA(temp);
        // The user knows the log by its name, not by the temporary one.
        ReportFileError(CFileException(error.m_lOsError, path));
        return FALSE;
    }
    if (!::MoveFileExA(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    {
        const DWORD error = ::GetLastError();
        ::DeleteFileA(temp);
        ReportFileError(CFileException(error, path));
        return FALSE;
    }
    ::SetFileAttributesA(path, FILE_ATTRIBUTE_HIDDEN);
    return TRUE;
}
