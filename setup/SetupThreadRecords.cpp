// Control registration and the installation's registry records.
#include "setup/SetupThread.h"

#include "platform/Handle.h"
#include "platform/RegKey.h"
#include "setup/Product.h"

namespace
{
// The registry's string buffer: 2047 bytes of data and the NUL.
constexpr DWORD kValueBuffer = 2048;
} // namespace

void CSetupThread::RegisterControls()
{
    const CString dir = m_strInstallDir + Product::kControlsFolder;
    CStringArray names;
    ListFiles(dir, "*.ocx", names);
    for (const CString& name : names)
    {
        const CString path = dir + name;
        RegisterControl(path);
        LogRegCtrl(path);
    }
}

BOOL CSetupThread::RegisterControl(const CString& path)
{
    // Like the system's registration tool: the control's own folder is searched for what it needs.
    const CLibrary library(::LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
    if (!library)
        return FALSE;
    using RegisterServer = HRESULT(STDAPICALLTYPE*)();
    const auto registerServer = reinterpret_cast<RegisterServer>(
        reinterpret_cast<void*>(::GetProcAddress(library.Get(), "DllRegisterServer")));
    // Exactly S_OK counts: a control answering S_FALSE has not registered.
    return registerServer && registerServer() == S_OK;
}

void CSetupThread::WriteInstallRecords()
{
    WriteRegString(HKEY_LOCAL_MACHINE, Product::kInstallKey, Product::kInstallPathValue, m_strInstallDir);
    WriteRegString(HKEY_LOCAL_MACHINE, Product::kInstallKey, Product::kVersionValue, Product::kVersion);
    LogRegKey(HKEY_LOCAL_MACHINE, Product::kInstallKey);

    ConfigureAcadProfiles();

    WriteUninstallEntry();
    LogRegKey(HKEY_LOCAL_MACHINE, Product::kUninstallKey);
}

// The entry of Windows' list of installed programs, with the values that list shows.
void CSetupThread::WriteUninstallEntry()
{
    const char* key = Product::kUninstallKey;
    WriteRegString(HKEY_LOCAL_MACHINE, key, "DisplayName", Product::kDisplayName);
    // Quoted: unquoted, a folder with spaces lets the system start "C:\Program.exe" instead.
    WriteRegString(HKEY_LOCAL_MACHINE, key, "UninstallString",
                   "\"" + JoinPath(m_strInstallDir, Product::kUninstallExe) + "\"");
    WriteRegString(HKEY_LOCAL_MACHINE, key, "DisplayIcon", JoinPath(m_strInstallDir, Product::kIconFile));
    WriteRegString(HKEY_LOCAL_MACHINE, key, "DisplayVersion", Product::kDisplayVersion);
    WriteRegString(HKEY_LOCAL_MACHINE, key, "Publisher", Product::kPublisher);
    WriteRegString(HKEY_LOCAL_MACHINE, key, "InstallLocation", m_strInstallDir);
    WriteRegString(HKEY_LOCAL_MACHINE, key, "URLInfoAbout", Product::kWebLink);
    WriteRegString(HKEY_LOCAL_MACHINE, key, "HelpTelephone", Product::kHotline);
    WriteRegDword(HKEY_LOCAL_MACHINE, key, "NoModify", 1);
    WriteRegDword(HKEY_LOCAL_MACHINE, key, "NoRepair", 1);
    WriteRegDword(HKEY_LOCAL_MACHINE, key, "EstimatedSize",
                  static_cast<DWORD>((m_nBytesCopied + 1023) / 1024));
    SYSTEMTIME today;
    ::GetLocalTime(&today);
    CString date;
    date.Format("%04u%02u%02u", today.wYear, today.wMonth, today.wDay);
    WriteRegString(HKEY_LOCAL_MACHINE, key, "InstallDate", date);
}

BOOL CSetupThread::ReadRegString(HKEY root, const char* key, const char* name, CString& out)
{
    out.Empty();
    CRegKey regKey;
    if (regKey.Open(root, key) != ERROR_SUCCESS)
        return FALSE;
    return regKey.QueryString(name, out, kValueBuffer) == ERROR_SUCCESS;
}

BOOL CSetupThread::WriteRegString(HKEY root, const char* key, const char* name, const char* data)
{
    CRegKey regKey;
    return regKey.Create(root, key) == ERROR_SUCCESS && regKey.SetString(name, data) == ERROR_SUCCESS;
}

BOOL CSetupThread::WriteRegDword(HKEY root, const char* key, const char* name, DWORD data)
{
    CRegKey regKey;
    return regKey.Create(root, key) == ERROR_SUCCESS && regKey.SetDword(name, data) == ERROR_SUCCESS;
}
