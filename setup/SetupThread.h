// CSetupThread: the install worker. Copies the medium into the installation folder, registers the
// controls, records the installation and writes the uninstall log, telling its page how it goes.
#pragma once

#include "platform/String.h"
#include "platform/StringArray.h"
#include "platform/WinThread.h"

#include <atomic>

class CFileException;
struct AcadProductLookup;
struct AcadRelease;

// Sent by the worker after every file and subfolder of the folder copy; wParam and lParam are the
// source and target paths (NUL-terminated, alive only during the send).
constexpr UINT WM_SETUP_PROGRESS = 1012;
// Sent once, after the uninstall log has been written (or failed to be); wParam, lParam 0.
constexpr UINT WM_SETUP_CONFIGURING = 1013;
// Posted right after WM_SETUP_CONFIGURING: the installation is complete; wParam, lParam 0.
constexpr UINT WM_SETUP_DONE = 1014;
// Posted instead when the folder copy ended early (abort, cancel); wParam, lParam 0.
constexpr UINT WM_SETUP_ABORTED = 1015;

class CSetupThread : public CWinThread
{
public:
    CSetupThread() = default;

    BOOL InitInstance() override { return TRUE; }
    int Run() override;

    // Called by the page on its own thread; the worker sees it after the entry in hand.
    void RequestCancel() { m_bCancel = 1; }
    BOOL IsCancelled() const { return m_bCancel; }
    void NotifyProgress(const char* source, const char* target);

    BOOL CopyFolder(const CString& source, const CString& target);
    BOOL CreateFolderPath(const CString& path);
    void CopyRootFiles();
    static void ListFiles(const CString& folder, const char* pattern, CStringArray& list);
    static CString JoinPath(const CString& folder, const CString& name);

    void LogFileCopy(const CString& path);
    void LogMadeDir(const CString& path);
    void LogRegCtrl(const CString& path);
    void LogRegKey(HKEY root, const CString& keyPath);
    BOOL WriteUninstallLog();

    void RegisterControls();
    static BOOL RegisterControl(const CString& path);
    void WriteInstallRecords();

    // REG_SZ values. A read opens the key for query only and never creates it; data of more than
    // 2047 bytes reads as absent. A write stores the whole string, creating the key as needed.
    static BOOL ReadRegString(HKEY root, const char* key, const char* name, CString& out);
    static BOOL WriteRegString(HKEY root, const char* key, const char* name, const char* data);
    static BOOL WriteRegDword(HKEY root, const char* key, const char* name, DWORD data);

    // AutoCAD integration: detection (reads only), the add-on's profile, the shortcuts.
    static BOOL FindAcadLocation(const AcadRelease& release, CString& folder);
    void ConfigureAcadProfiles();
    void WriteAcadProfile(const AcadRelease& release, const CString& acadFolder);
    BOOL CreateShortcuts();
    // arguments and iconPath may be null: none.
    static BOOL CreateShellLink(const char* workDir, const char* linkPath, const char* target,
                                const char* arguments, const char* iconPath);

    std::atomic<LONG> m_bCancel{0};
    CString m_strLog;
    CString m_strSetupDir;
    CString m_strInstallDir;

protected:
    // Every box the worker shows goes through here, owned by the page; tests answer it.
    virtual int AskUser(const char* text, UINT type);

private:
    int AskWithSystemError(const char* format, DWORD error, const char* path, UINT buttons);
    // Creates one folder, asking until it exists or the user gives up.
    BOOL MakeFolder(const char* path);
    void ReportFileError(const CFileException& error);
    void MakeFoldersAbsolute();
    void WriteUninstallEntry();
    static BOOL FindAcadProduct(const AcadRelease& release, const AcadProductLookup& lookup,
                                CString& product);
    void MakeShortcut(const CString& linkPath, const CString& target, const char* arguments,
                      const char* iconPath);

    unsigned long long m_nBytesCopied = 0; // for the size shown in the list of installed programs
};
