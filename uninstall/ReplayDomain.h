// CReplayDomain: what an installation of the product can have made, and so all that the
// uninstaller may touch: a tampered log must not make an elevated uninstaller delete, load or
// unregister anything else.
#pragma once

#include "common/LogRecord.h"
#include "platform/String.h"
#include "platform/StringArray.h"

#include <windows.h>

class CReplayDomain
{
public:
    // The installation folder is the folder that holds the log. Setup accepts a drive's root too,
    // whose files would otherwise stay while the uninstaller reports success; of a root only the
    // files in it and Setup's folders are held.
    void SetLogPath(const char* logPath);
    // Adds the folders of every shell-folder source that can be read: the uninstalling user need
    // not see the same desktop as the installing one.
    void FindShellFolders();
    void AddShellFolders(const char* desktop, const char* programs);

    // Each gives, when the record lies in the domain, the normalised full path to act on.
    // Files: inside the installation folder, the desktop shortcut, shortcuts in the program group.
    BOOL HoldsFile(const char* path, CString& full) const;
    // Folders: inside the installation folder, and the program group itself.
    BOOL HoldsFolder(const char* path, CString& full) const;
    // Controls: *.ocx directly inside the installed controls folder.
    BOOL HoldsControl(const char* path, CString& full) const;
    // Keys: the two keys Setup writes under HKEY_LOCAL_MACHINE.
    BOOL HoldsKey(LogRecord::Root root, const char* keyPath) const;

    // Full, with a trailing backslash; empty when the log's path cannot be made full.
    const CString& GetInstallFolder() const { return m_strInstallFolder; }

private:
    // Inside the installation folder, and at a root inside what Setup puts there.
    bool IsInstalled(const CString& full, bool file) const;

    CString m_strInstallFolder;
    bool m_bRoot = false;
    CStringArray m_arrDesktops; // full, with a trailing backslash
    CStringArray m_arrGroups;   // full program group folders, with a trailing backslash
};
