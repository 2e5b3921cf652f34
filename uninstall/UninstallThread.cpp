#include "uninstall/UninstallThread.h"

#include "platform/Handle.h"
#include "platform/StdioFile.h"
#include "platform/StringArray.h"
#include "platform/Wnd.h"
#include "uninstall/SelfRemoval.h"
#include "uninstall/UninstallMessages.h"

#include <climits>

BOOL CUninstallThread::ReadLog(const char* path)
{
    m_domain = CReplayDomain();
    m_domain.SetLogPath(path);
    m_domain.FindShellFolders();
    m_domain.HoldsFile(path, m_strLogPath);
    m_bLogRecorded = false;
    try
    {
        CStdioFile file(path, CStdioFile::modeRead | CStdioFile::typeText);
        const unsigned long long size = file.GetLength();
        if (size > INT_MAX) // would not fit the text; no log of ours is near that size
            return ReadFailed(CFileException(ERROR_FILE_TOO_LARGE, path));
        CString text;
        const unsigned read = file.Read(text.GetBuffer(static_cast<int>(size)), static_cast<unsigned>(size));
        text.ReleaseBuffer(static_cast<int>(read));
        file.Close();
        m_strLog = text;
        return TRUE;
    }
    catch (const CFileException& error)
    {
        return ReadFailed(error);
    }
}

BOOL CUninstallThread::ReadFailed(const CFileException& error)
{
    ReportFileError(error);
    if (m_pMainWnd)
        m_pMainWnd->PostMessage(WM_UNINSTALL_FAILED);
    return FALSE;
}

BOOL CUninstallThread::NextRecord(LogRecord::Kind kind, int& pos, int& start, int& length) const
{
    std::size_t next = static_cast<std::size_t>(pos);
    std::size_t valueStart = 0;
    std::size_t valueLength = 0;
    if (!LogRecord::Next(m_strLog.str(), kind, next, valueStart, valueLength))
        return FALSE;
    pos = static_cast<int>(next);
    start = static_cast<int>(valueStart);
    length = static_cast<int>(valueLength);
    return TRUE;
}

int CUninstallThread::CountRecords(LogRecord::Kind kind) const
{
    int count = 0;
    int pos = 0;
    int start = 0;
    int length = 0;
    while (NextRecord(kind, pos, start, length))
        ++count;
    return count;
}

CString CUninstallThread::Value(int start, int length) const
{
    return m_strLog.Mid(start, length);
}

BOOL CUninstallThread::InitInstance()
{
    // Controls first: the file pass deletes every control Setup copied, and a deleted control
    // can no longer be unregistered.
    UnregisterLoggedControls();
    DeleteLoggedFiles();
    Send(WM_UNINSTALL_FILESDONE);
    RemoveLoggedFolders();
    DeleteLoggedKeys();
    // A stopped run keeps the uninstaller and its log, so the user can run it again.
    if (IsStopping())
        return FALSE;
    if (m_bLogRecorded)
        DeleteEvenReadOnly(m_strLogPath);
    StartSelfRemoval();
    Send(WM_UNINSTALL_DONE);
    return FALSE;
}

void CUninstallThread::UnregisterLoggedControls()
{
    int pos = 0;
    int start = 0;
    int length = 0;
    while (!IsStopping() && NextRecord(LogRecord::RegCtrl, pos, start, length))
    {
        CString path;
        if (!m_domain.HoldsControl(Value(start, length), path))
            continue;
        UnregisterServer(path);
        DeleteEvenReadOnly(path);
    }
}

void CUninstallThread::DeleteLoggedFiles()
{
    int pos = 0;
    int start = 0;
    int length = 0;
    while (!IsStopping() && NextRecord(LogRecord::FileCopy, pos, start, length))
    {
        const CString value = Value(start, length);
        CString path;
        if (!m_domain.HoldsFile(value, path))
            continue;
        // The log goes last: stopped after this pass, the run could not be repeated without it.
        if (!m_strLogPath.IsEmpty() && path.CompareNoCase(m_strLogPath) == 0)
            m_bLogRecorded = true;
        else
            DeleteEvenReadOnly(path);
        Send(WM_UNINSTALL_ITEM, reinterpret_cast<LPARAM>(static_cast<const char*>(value)));
    }
}

void CUninstallThread::RemoveLoggedFolders()
{
    CStringArray folders;
    int pos = 0;
    int start = 0;
    int length = 0;
    while (NextRecord(LogRecord::MadeDir, pos, start, length))
        folders.Add(Value(start, length));
    // Folders are logged before the folders made inside them: the last one logged goes first.
    for (int i = folders.GetSize() - 1; i >= 0 && !IsStopping(); --i)
    {
        CString path;
        if (m_domain.HoldsFolder(folders[i], path))
            ::RemoveDirectoryA(path);
    }
}

void CUninstallThread::DeleteLoggedKeys()
{
    int pos = 0;
    int start = 0;
    int length = 0;
    while (!IsStopping() && NextRecord(LogRecord::RegDbKey, pos, start, length))
    {
        const CString value = Value(start, length);
        LogRecord::Root root = LogRecord::Root::Other;
        std::string_view keyPath;
        if (!LogRecord::SplitKey(value.str(), root, keyPath))
            continue; // a key without its root names nothing
        const CString key{std::string(keyPath)};
        if (m_domain.HoldsKey(root, key))
            ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, key);
    }
}

void CUninstallThread::UnregisterServer(const char* path)
{
    const CLibrary library(::LoadLibraryA(path));
    if (!library)
        return;
    using Entry = HRESULT(STDAPICALLTYPE*)();
    // void (*)() converts to and from any function pointer without a cast warning.
    const auto unregister = reinterpret_cast<Entry>(
        reinterpret_cast<void (*)()>(::GetProcAddress(library.Get(), "DllUnregisterServer")));
    if (unregister)
        unregister(); // its result changes nothing: the file is deleted either way
}

void CUninstallThread::DeleteEvenReadOnly(const char* path)
{
    // Setup copies root files with the medium's attributes, and a CD's files are all read-only:
    // such a file would never go, nor would a read-only uninstaller under the script's "del". The
    // attribute is not put back when the delete fails: the script deletes a running uninstaller later.
    const DWORD attributes = ::GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        ::SetFileAttributesA(path, attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    ::DeleteFileA(path);
}

void CUninstallThread::Send(UINT message, LPARAM lParam) const
{
    if (m_pMainWnd)
        m_pMainWnd->SendMessage(message, 0, lParam);
}

void CUninstallThread::ReportFileError(const CFileException& error)
{
    error.ReportError(m_pMainWnd ? m_pMainWnd->GetSafeHwnd() : nullptr);
}

void CUninstallThread::StartSelfRemoval()
{
    // Only the installed copy removes itself. A copy run from elsewhere, the medium's say, is no part
    // of the installation; the installed one went with the file pass, so its folder can go now.
    char module[MAX_PATH];
    char longModule[MAX_PATH];
    const DWORD length = ::GetModuleFileNameA(nullptr, module, MAX_PATH);
    const DWORD longLength =
        length > 0 && length < MAX_PATH ? ::GetLongPathNameA(module, longModule, MAX_PATH) : 0;
    CString installed;
    if (longLength > 0 && longLength < MAX_PATH && m_domain.HoldsFile(longModule, installed))
        ::StartSelfRemoval();
    else if (!m_domain.GetInstallFolder().IsEmpty())
        ::RemoveDirectoryA(m_domain.GetInstallFolder());
}
