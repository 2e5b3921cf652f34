#include "RegistryProbe.h"

#include <shlwapi.h>

#include <vector>

bool RegKeyExists(HKEY root, const char* key)
{
    HKEY opened;
    if (::RegOpenKeyExA(root, key, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(opened);
    return true;
}

bool RegRawValue(HKEY root, const char* key, const char* name, std::string& data, DWORD& type)
{
    HKEY opened;
    if (::RegOpenKeyExA(root, key, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
        return false;
    DWORD size = 0;
    LONG result = ::RegQueryValueExA(opened, name, nullptr, &type, nullptr, &size);
    std::vector<char> buffer(size + 1);
    if (result == ERROR_SUCCESS)
        result =
            ::RegQueryValueExA(opened, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size);
    ::RegCloseKey(opened);
    if (result != ERROR_SUCCESS)
        return false;
    data.assign(buffer.data(), size);
    return true;
}

CString RegString(HKEY root, const char* key, const char* name)
{
    std::string data;
    DWORD type = 0;
    if (!RegRawValue(root, key, name, data, type))
        return "";
    return CString(data.c_str());
}

DWORD RegDword(HKEY root, const char* key, const char* name)
{
    std::string data;
    DWORD type = 0;
    if (!RegRawValue(root, key, name, data, type) || type != REG_DWORD || data.size() != sizeof(DWORD))
        return 0xFFFFFFFF;
    return *reinterpret_cast<const DWORD*>(data.data());
}

void DeleteRegTree(HKEY root, const char* key)
{
    ::SHDeleteKeyA(root, key);
}
