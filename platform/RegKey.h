// CRegKey: an open registry key, closed on every path.
#pragma once

#include "platform/String.h"

#include <windows.h>

class CRegKey
{
public:
    CRegKey() = default;
    ~CRegKey() { Close(); }
    CRegKey(const CRegKey&) = delete;
    CRegKey& operator=(const CRegKey&) = delete;
    CRegKey(CRegKey&& other) noexcept : m_hKey(other.Detach()) {}
    CRegKey& operator=(CRegKey&& other) noexcept;

    // Opens an existing key for reading only: a missing key stays missing.
    LONG Open(HKEY root, const char* path, REGSAM access = KEY_QUERY_VALUE);
    // Opens the key, creating it and any missing parents.
    LONG Create(HKEY root, const char* path);
    void Close();
    HKEY Detach();
    HKEY Get() const { return m_hKey; }

    // REG_SZ read through a buffer of bufferSize bytes (NUL included); the type is not checked.
    // Larger data fails, as does a missing value; out is emptied first.
    LONG QueryString(const char* name, CString& out, DWORD bufferSize) const;
    // REG_SZ write of the whole string with its NUL.
    LONG SetString(const char* name, const char* data) const;
    LONG SetDword(const char* name, DWORD data) const;

private:
    HKEY m_hKey = nullptr;
};
