#include "uninstall/ReplayDomain.h"

#include "platform/Mbcs.h"
#include "platform/RegKey.h"
#include "uninstall/UninstallConstants.h"

#include <windows.h>

#include <cstring>

namespace
{
bool IsSeparator(char ch)
{
    return ch == '\\' || ch == '/';
}

// A drive path or a share path. Relative paths would depend on the current folder, and device or
// verbatim paths ("\\?\", "\\.\") escape the normalisation.
bool IsFullyQualified(const char* path)
{
    const unsigned char first = static_cast<unsigned char>(path[0]);
    if (((first | 0x20) >= 'a' && (first | 0x20) <= 'z') && path[1] == ':')
        return IsSeparator(path[2]);
    return IsSeparator(path[0]) && IsSeparator(path[1]) && path[2] != '\0' && path[2] != '?' &&
           path[2] != '.' && !IsSeparator(path[2]);
}

// The system's own normalisation ("..", ".", slashes, trailing dots and blanks), so the path
// checked is the path acted on; trailing backslashes are dropped. Paths that do not fit are refused.
bool FullPath(const char* path, CString& full)
{
    full.Empty();
    char buffer[MAX_PATH];
    const DWORD length = ::GetFullPathNameA(path, MAX_PATH, buffer, nullptr);
    if (length == 0 || length >= MAX_PATH || !IsFullyQualified(buffer))
        return false;
    full = buffer;
    while (Mbcs::EndsWithSeparator(full))
        full = full.Left(full.GetLength() - 1);
    return !full.IsEmpty();
}

bool FullRecordPath(const char* path, CString& full)
{
    return IsFullyQualified(path) && FullPath(path, full);
}

// folder ends with a backslash, so the comparison cannot end inside a double-byte character.
bool IsInside(const CString& full, const CString& folder)
{
    const int length = folder.GetLength();
    return length > 0 && full.GetLength() > length && full.Left(length).CompareNoCase(folder) == 0;
}

bool IsDirectChild(const CString& full, const CString& folder)
{
    return IsInside(full, folder) && Mbcs::FindChar(full, '\\', folder.GetLength()) < 0;
}

// The extension is plain ASCII starting with a dot, which is never a trail byte.
bool HasExtension(const CString& full, const char* extension)
{
    const int length = static_cast<int>(std::strlen(extension));
    return full.GetLength() > length && full.Right(length).CompareNoCase(extension) == 0;
}

bool IsRoot(const CString& folder)
{
    if (folder.GetLength() == 3 && folder[1] == ':')
        return true;
    // "\\server\share\": two separators after the leading pair.
    int separators = 0;
    for (int i = Mbcs::FindChar(folder, '\\', 2); i >= 0; i = Mbcs::FindChar(folder, '\\', i + 1))
        ++separators;
    return folder.Left(2) == "\\\\" && separators <= 2;
}

// A shell-folder value as Setup treats it: trimmed, with a trailing backslash.
bool ShellFolder(const CString& value, CString& folder)
{
    CString trimmed(value);
    trimmed.Trim();
    if (!FullRecordPath(trimmed, folder))
        return false;
    folder += '\\';
    return true;
}
} // namespace

void CReplayDomain::SetLogPath(const char* logPath)
{
    m_strInstallFolder.Empty();
    m_bRoot = false;
    CString full;
    if (!FullPath(logPath, full))
        return;
    m_strInstallFolder = full.Left(Mbcs::ReverseFindChar(full, '\\') + 1);
    m_bRoot = IsRoot(m_strInstallFolder);
}

void CReplayDomain::FindShellFolders()
{
    for (const auto& source : UninstallConstants::kShellFolderSources)
    {
        CRegKey key;
        if (key.Open(source.bLocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, source.key) !=
            ERROR_SUCCESS)
            continue;
        CString desktop;
        CString programs;
        key.QueryString(source.desktopValue, desktop, UninstallConstants::kRegStringBuffer);
        key.QueryString(source.programsValue, programs, UninstallConstants::kRegStringBuffer);
        AddShellFolders(desktop, programs);
    }
}

void CReplayDomain::AddShellFolders(const char* desktop, const char* programs)
{
    CString folder;
    if (ShellFolder(desktop, folder))
        m_arrDesktops.Add(folder);
    if (ShellFolder(programs, folder))
        m_arrGroups.Add(folder + UninstallConstants::kProgramGroup + '\\');
}

BOOL CReplayDomain::HoldsFile(const char* path, CString& full) const
{
    if (!FullRecordPath(path, full))
        return FALSE;
    if (IsInstalled(full, true))
        return TRUE;
    for (const CString& desktop : m_arrDesktops)
        if (full.CompareNoCase(desktop + UninstallConstants::kDesktopShortcut) == 0)
            return TRUE;
    for (const CString& group : m_arrGroups)
        if (IsDirectChild(full, group) && HasExtension(full, UninstallConstants::kShortcutExtension))
            return TRUE;
    return FALSE;
}

BOOL CReplayDomain::HoldsFolder(const char* path, CString& full) const
{
    if (!FullRecordPath(path, full))
        return FALSE;
    if (IsInstalled(full, false))
        return TRUE;
    for (const CString& group : m_arrGroups)
        if ((full + '\\').CompareNoCase(group) == 0)
            return TRUE;
    return FALSE;
}

bool CReplayDomain::IsInstalled(const CString& full, bool file) const
{
    if (!IsInside(full, m_strInstallFolder))
        return false;
    if (!m_bRoot)
        return true;
    // A drive holds much besides the installation: only Setup's files in the root itself and its
    // folders with all they hold.
    if (file && IsDirectChild(full, m_strInstallFolder))
        return true;
    for (const char* name : UninstallConstants::kInstallFolders)
    {
        const CString folder = m_strInstallFolder + name;
        if (full.CompareNoCase(folder) == 0 || IsInside(full, folder + '\\'))
            return true;
    }
    return false;
}

BOOL CReplayDomain::HoldsControl(const char* path, CString& full) const
{
    if (!FullRecordPath(path, full) || m_strInstallFolder.IsEmpty())
        return FALSE;
    const CString controls = m_strInstallFolder + UninstallConstants::kControlsFolder + '\\';
    return IsDirectChild(full, controls) && HasExtension(full, UninstallConstants::kControlExtension);
}

BOOL CReplayDomain::HoldsKey(LogRecord::Root root, const char* keyPath) const
{
    return root == LogRecord::Root::LocalMachine &&
           (Mbcs::CompareNoCase(keyPath, UninstallConstants::kInstallKey) == 0 ||
            Mbcs::CompareNoCase(keyPath, UninstallConstants::kUninstallEntryKey) == 0);
}
