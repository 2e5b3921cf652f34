// CComInitializer: COM for the current thread while the object lives. Every successful
// CoInitialize, S_FALSE included, is balanced by one CoUninitialize; a thread that already runs
// another apartment model keeps it and is usable as it is.
#pragma once

#include <objbase.h>

class CComInitializer
{
public:
    CComInitializer() : m_hr(::CoInitialize(nullptr)) {}
    ~CComInitializer()
    {
        if (SUCCEEDED(m_hr))
            ::CoUninitialize();
    }
    CComInitializer(const CComInitializer&) = delete;
    CComInitializer& operator=(const CComInitializer&) = delete;

    explicit operator bool() const { return SUCCEEDED(m_hr) || m_hr == RPC_E_CHANGED_MODE; }

private:
    HRESULT m_hr;
};
