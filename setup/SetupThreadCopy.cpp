// The file tree copy of the install worker.
#include "setup/SetupThread.h"

#include "platform/FileFind.h"
#include "platform/Mbcs.h"
#include "setup/Product.h"

#include <cstring>

namespace
{
const char kMissingFolderPrompt[] =
    "%s\n找不到安装文件的路径 %s，\n点击“重试”按钮试图重新查找该安装文件路径；\n"
    "点击“忽略”按钮将跳过该路径下的操作并继续执行；\n点击“取消”按钮将终止程序运行。";
const char kCreateFolderPrompt[] = "%s\n不能创建文件夹 %s ，\n点击“重试”按钮试图重新创建文件夹；\n"
                                   "点击“取消”按钮将终止程序运行。";

bool Fits(const CString& path)
{
    return path.GetLength() < MAX_PATH;
}

bool Exists(const char* path)
{
    CFileFind finder;
    return finder.FindFile(path) != FALSE;
}
} // namespace

CString CSetupThread::JoinPath(const CString& folder, const CString& name)
{
    if (folder.GetLength() <= 2)
        return name;
    if (Mbcs::EndsWithSeparator(folder, true))
        return folder + name;
    return folder + '\\' + name;
}

BOOL CSetupThread::CopyFolder(const CString& source, const CString& target)
{
    CString dir = source;
    if (!Mbcs::EndsWithSeparator(dir))
        dir += '\\';

    CFileFind finder;
    bool ignored = false;
    while (!finder.FindFile(dir + "*.*"))
    {
        const int answer =
            AskWithSystemError(kMissingFolderPrompt, ::GetLastError(), dir, MB_ABORTRETRYIGNORE);
        if (answer == IDIGNORE)
        {
            ignored = true;
            break;
        }
        // Abort, and a box that could not be shown at all: retrying blind would never end.
        if (answer != IDRETRY)
            return FALSE;
    }
    if (!CreateFolderPath(target))
        return FALSE;
    if (ignored)
        return TRUE;

    for (BOOL more = TRUE; more;)
    {
        more = finder.FindNextFile();
        if (finder.IsDots())
            continue;
        const CString entrySource = finder.GetFilePath();
        const CString entryTarget = JoinPath(target, finder.GetFileName());
        if (finder.IsDirectory())
        {
            if (!CopyFolder(entrySource, entryTarget))
                return FALSE;
        }
        else if (Fits(entryTarget) && ::CopyFileA(entrySource, entryTarget, FALSE))
        {
            ::SetFileAttributesA(entryTarget, FILE_ATTRIBUTE_NORMAL);
            m_nBytesCopied += finder.GetLength();
            LogFileCopy(entryTarget);
        }
        NotifyProgress(entrySource, entryTarget);
        if (IsCancelled())
            return FALSE;
    }
    return TRUE;
}

BOOL CSetupThread::CreateFolderPath(const CString& path)
{
    LogMadeDir(path);

    // A path the 260-byte buffer cannot hold is refused as the system refuses it.
    if (!Fits(path))
    {
        while (AskWithSystemError(kCreateFolderPrompt, ERROR_FILENAME_EXCED_RANGE, path, MB_RETRYCANCEL) ==
               IDRETRY)
        {
        }
        return FALSE;
    }

    char buffer[MAX_PATH] = "";
    const char* text = path;
    const int length = path.GetLength();
    // A network path's "\\server" cannot be made or found; its walk starts at the share.
    const bool network =
        length > 1 && (text[0] == '\\' || text[0] == '/') && (text[1] == '\\' || text[1] == '/');
    int separators = 0;
    bool afterSeparator = false;
    for (int i = 0; i <= length; ++i)
    {
        const char c = text[i];
        buffer[i] = c;
        if (i < length && Mbcs::IsLeadByte(static_cast<unsigned char>(c)) && i + 1 < length)
        {
            // A trail byte may be 0x5C; it never ends a component.
            ++i;
            buffer[i] = text[i];
            afterSeparator = false;
            continue;
        }
        const bool separator = (c == '\\' || c == '/');
        separators += separator;
        const bool endsComponent = separator || (c == '\0' && !afterSeparator);
        afterSeparator = separator;
        if (!endsComponent || i == 0 || text[i - 1] == ':' || (network && separator && separators <= 3))
            continue;

        buffer[i] = '\0';
        if (!Exists(buffer) && !MakeFolder(buffer))
            return FALSE;
        buffer[i] = c;
    }
    return TRUE;
}

BOOL CSetupThread::MakeFolder(const char* path)
{
    for (;;)
    {
        if (::CreateDirectoryA(path, nullptr))
            return TRUE;
        const DWORD error = ::GetLastError();
        // There all along, only hidden from the search: a share's root, or below a folder that
        // cannot be listed.
        const DWORD attributes = ::GetFileAttributesA(path);
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            return TRUE;
        if (AskWithSystemError(kCreateFolderPrompt, error, path, MB_RETRYCANCEL) != IDRETRY)
            return FALSE;
    }
}

void CSetupThread::ListFiles(const CString& folder, const char* pattern, CStringArray& list)
{
    // Searches the folder by path rather than through the process's current folder, which other
    // threads share; a missing folder lists nothing.
    list.RemoveAll();
    CFileFind finder;
    if (!finder.FindFile(folder + pattern))
        return;
    for (BOOL more = TRUE; more;)
    {
        more = finder.FindNextFile();
        if (!finder.IsDirectory())
            list.Add(finder.GetFileName());
    }
}

void CSetupThread::CopyRootFiles()
{
    CStringArray names;
    ListFiles(m_strSetupDir, "*.*", names);
    for (const CString& name : names)
    {
        if (name.CompareNoCase(Product::kSetupExe) == 0)
            continue;
        const CString target = m_strInstallDir + name;
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (Fits(target) && ::CopyFileA(m_strSetupDir + name, target, FALSE) &&
            ::GetFileAttributesExA(target, GetFileExInfoStandard, &data))
            m_nBytesCopied += (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        LogFileCopy(target);
        if (name.CompareNoCase(Product::kIconFile) == 0)
            ::SetFileAttributesA(target, FILE_ATTRIBUTE_HIDDEN);
    }
}
