// The product constants the uninstaller relies on, in the exact bytes Setup writes them.
#pragma once

namespace UninstallConstants
{

// Under HKEY_LOCAL_MACHINE: the installation key and the entry in Windows' installed programs.
constexpr const char* kInstallKey = "SOFTWARE\\Quorvane\\enggQELMAR\\V8";
constexpr const char* kUninstallEntryKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QELMAR V7";

// The folders Setup copies into the installation folder.
constexpr const char* kInstallFolders[] = {"Support", "Controls", "图框", "模板", "Database", "Data", "Temp"};

// The installed folder whose *.ocx files Setup registers.
constexpr const char* kControlsFolder = "Controls";
constexpr const char* kControlExtension = ".ocx";

// Shortcuts: the desktop one by its name, the program group as a folder of the programs folder.
constexpr const char* kDesktopShortcut = "土方工程量计算软件.LNK";
constexpr const char* kProgramGroup = "土方工程量计算软件 QELMAR V7.0";
constexpr const char* kShortcutExtension = ".lnk";

// Where Setup may have found the desktop and programs folders: per user, then for all users.
struct ShellFolderSource
{
    bool bLocalMachine;
    const char* key;
    const char* desktopValue;
    const char* programsValue;
};
constexpr ShellFolderSource kShellFolderSources[] = {
    {false, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Desktop", "Programs"},
    {false, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Explorer\\Shell Folders", "Desktop",
     "Programs"},
    {true, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Common Desktop",
     "Common Programs"},
    {true, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Explorer\\Shell Folders", "Common Desktop",
     "Common Programs"},
};
// The shell-folder values are read through a buffer of this many bytes.
constexpr unsigned kRegStringBuffer = 2048;

// The self-removal script: relative to the root of the current drive.
constexpr const char* kSelfRemovalScript = "\\DelUS.bat";
constexpr const char* kSelfRemovalFormat =
    ":Repeat\r\ndel \"%s\"\r\ndel \"Filedelr.avi\"\r\nif exist \"%s\" goto "
    "Repeat\r\nrmdir \"%s\"\r\ndel \"%s\"\r\n";

} // namespace UninstallConstants
