// CComPtr: an owning pointer to a COM interface. Releases its reference exactly once; never
// copied, so no reference is ever shared without an AddRef.
#pragma once

#include <utility>

template <typename T> class CComPtr
{
public:
    CComPtr() = default;
    // Takes over a reference the caller owns.
    explicit CComPtr(T* pointer) : m_p(pointer) {}
    ~CComPtr() { Close(); }
    CComPtr(const CComPtr&) = delete;
    CComPtr& operator=(const CComPtr&) = delete;
    CComPtr(CComPtr&& other) noexcept : m_p(other.Detach()) {}
    CComPtr& operator=(CComPtr&& other) noexcept
    {
        if (this != &other)
        {
            Close();
            m_p = other.Detach();
        }
        return *this;
    }

    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

    // For the out parameter of a creating call: any reference held is released first.
    void** Receive()
    {
        Close();
        return reinterpret_cast<void**>(&m_p);
    }
    T* Detach() { return std::exchange(m_p, nullptr); }
    void Close()
    {
        if (m_p)
            std::exchange(m_p, nullptr)->Release();
    }

private:
    T* m_p = nullptr;
};
