#include "platform/RegKey.h"

#include <cstring>
#include <utility>
#include <vector>

CRegKey& CRegKey::operator=(CRegKey&& other) noexcept
{
    if (this != &other)
    {
        Close();
        m_hKey = other.Detach();
    }
    return *this;
}

LONG CRegKey::Open(HKEY root, const char* path, REGSAM access)
{
    Close();
    const LONG result = ::RegOpenKeyExA(root, path, 0, access, &m_hKey);
    if (result != ERROR_SUCCESS)
        m_hKey = nullptr;
    return result;
}

LONG CRegKey::Create(HKEY root, const char* path)
{
    Close();
    const LONG result = ::RegCreateKeyA(root, path, &m_hKey);
    if (result != ERROR_SUCCESS)
        m_hKey = nullptr;
    return result;
}

void CRegKey::Close()
{
    if (m_hKey)
        ::RegCloseKey(m_hKey);
    m_hKey = nullptr;
}

HKEY CRegKey::Detach()
{
    return std::exchange(m_hKey, nullptr);
}

LONG CRegKey::QueryString(const char* name, CString& out, DWORD bufferSize) const
{
    out.Empty();
    std::vector<char> buffer(bufferSize + 1, '\0');
    DWORD size = bufferSize;
    const LONG result =
        ::RegQueryValueExA(m_hKey, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()), &size);
    if (result == ERROR_SUCCESS)
        out = buffer.data(); // up to the first NUL; the extra byte terminates unterminated data
    return result;
}

LONG CRegKey::SetString(const char* name, const char* data) const
{
    return ::RegSetValueExA(m_hKey, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data),
                            static_cast<DWORD>(std::strlen(data) + 1));
}

LONG CRegKey::SetDword(const char* name, DWORD data) const
{
    return ::RegSetValueExA(m_hKey, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
}
