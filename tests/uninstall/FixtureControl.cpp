// A stand-in ActiveX control. Each call of its registration entry points is recorded under
// HKEY_CURRENT_USER\Software\QelmarTests\Controls as the value "<entry point> <library path>".
// Built a second time without the entry points, as a library that lacks them.
#include <windows.h>

#include <cstring>

namespace
{
HMODULE g_module = nullptr;
} // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        g_module = instance;
    return TRUE;
}

#ifndef FIXTURE_WITHOUT_ENTRY_POINTS
namespace
{
void Record(const char* entryPoint)
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(g_module, path, MAX_PATH);
    char name[2 * MAX_PATH] = "";
    std::strcat(std::strcat(std::strcpy(name, entryPoint), " "), path);
    HKEY key = nullptr;
    if (::RegCreateKeyA(HKEY_CURRENT_USER, "Software\\QelmarTests\\Controls", &key) != ERROR_SUCCESS)
        return;
    ::RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>("1"), 2);
    ::RegCloseKey(key);
}
} // namespace

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllRegisterServer()
{
    Record("DllRegisterServer");
    return S_OK;
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllUnregisterServer()
{
    Record("DllUnregisterServer");
    return S_OK;
}
#endif
