// The install worker's shortcuts: desktop, program group and one AutoCAD launcher per release.
#include "setup/SetupThread.h"

#include "platform/ComInitializer.h"
#include "platform/ComPtr.h"
#include "platform/Mbcs.h"
#include "setup/Product.h"
#include "setup/acad/AcadRelease.h"

#include <shlobj.h>

namespace
{
struct ShellFolderSource
{
    HKEY root;
    const char* key;
    const char* desktop;
    const char* programs;
};

// A blank value would turn every shortcut path into a bare name, relative to whatever folder is
// current; it counts as unreadable.
bool ReadShellFolder(const ShellFolderSource& source, const char* name, CString& folder)
{
    if (!CSetupThread::ReadRegString(source.root, source.key, name, folder) || folder.Trim().IsEmpty())
        return false;
    if (!Mbcs::EndsWithSeparator(folder))
        folder += '\\';
    return true;
}

// The per-user folders first; both folders always come from the same place.
bool FindShellFolders(CString& desktop, CString& programs)
{
    const char kWindows[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    const char kWindowsNT[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Explorer\\Shell Folders";
    const ShellFolderSource sources[] = {
        {HKEY_CURRENT_USER, kWindows, "Desktop", "Programs"},
        {HKEY_CURRENT_USER, kWindowsNT, "Desktop", "Programs"},
        {HKEY_LOCAL_MACHINE, kWindows, "Common Desktop", "Common Programs"},
        {HKEY_LOCAL_MACHINE, kWindowsNT, "Common Desktop", "Common Programs"},
    };
    for (const ShellFolderSource& source : sources)
    {
        if (ReadShellFolder(source, source.desktop, desktop) &&
            ReadShellFolder(source, source.programs, programs))
            return true;
    }
    desktop.Empty();
    programs.Empty();
    return false;
}
} // namespace

BOOL CSetupThread::CreateShortcuts()
{
    CString desktop;
    CString programs;
    if (!FindShellFolders(desktop, programs))
        return FALSE;

    // The group bears the product's display name.
    const CString group = JoinPath(programs, Product::kDisplayName);
    CreateFolderPath(group);

    const CString& dir = m_strInstallDir;
    const CString program = JoinPath(dir, Product::kProgramExe);
    MakeShortcut(JoinPath(desktop, Product::kProgramLink), program, nullptr, nullptr);
    MakeShortcut(JoinPath(group, Product::kProgramLink), program, nullptr, nullptr);

    const CString icon = JoinPath(dir, Product::kLauncherIcon);
    for (const AcadRelease& release : AcadRelease::Table())
    {
        CString acadFolder;
        if (!FindAcadLocation(release, acadFolder))
            continue;
        CString name;
        name.Format("QELMARfor%d.LNK", release.year);
        MakeShortcut(JoinPath(dir, name), JoinPath(acadFolder, "acad.exe"), Product::kLauncherArguments,
                     icon);
    }

    MakeShortcut(JoinPath(group, Product::kWebLinkName), JoinPath(dir, Product::kWebShortcut), nullptr,
                 nullptr);
    MakeShortcut(JoinPath(group, Product::kUninstallLinkName), JoinPath(dir, Product::kUninstallExe), nullptr,
                 nullptr);
    return TRUE;
}

void CSetupThread::MakeShortcut(const CString& linkPath, const CString& target, const char* arguments,
                                const char* iconPath)
{
    ::DeleteFileA(linkPath);
    if (CreateShellLink(m_strInstallDir, linkPath, target, arguments, iconPath))
        LogFileCopy(linkPath);
}

BOOL CSetupThread::CreateShellLink(const char* workDir, const char* linkPath, const char* target,
                                   const char* arguments, const char* iconPath)
{
    // A path that does not fit is refused: a cut one would save the link under another name
    // than the one recorded.
    wchar_t widePath[MAX_PATH];
    if (!::MultiByteToWideChar(CP_ACP, 0, linkPath, -1, widePath, MAX_PATH))
        return FALSE;

    const CComInitializer com;
    if (!com)
        return FALSE;
    CComPtr<IShellLinkA> link;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  link.Receive())))
        return FALSE;
    link->SetPath(target);
    link->SetArguments(arguments);
    link->SetIconLocation(iconPath, 0);
    link->SetWorkingDirectory(workDir);

    CComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.Receive())))
        return FALSE;
    return SUCCEEDED(file->Save(widePath, TRUE));
}
