// Owning wrappers for kernel handles: closed exactly once, never copied.
#pragma once

#include <windows.h>

#include <utility>

template <typename Traits> class CUniqueHandle
{
public:
    using Type = typename Traits::Type;

    CUniqueHandle() = default;
    explicit CUniqueHandle(Type handle) : m_handle(handle) {}
    ~CUniqueHandle() { Close(); }
    CUniqueHandle(const CUniqueHandle&) = delete;
    CUniqueHandle& operator=(const CUniqueHandle&) = delete;
    CUniqueHandle(CUniqueHandle&& other) noexcept : m_handle(other.Detach()) {}
    CUniqueHandle& operator=(CUniqueHandle&& other) noexcept
    {
        if (this != &other)
            Attach(other.Detach());
        return *this;
    }

    bool IsValid() const { return Traits::IsValid(m_handle); }
    explicit operator bool() const { return IsValid(); }
    Type Get() const { return m_handle; }

    void Attach(Type handle)
    {
        Close();
        m_handle = handle;
    }
    Type Detach() { return std::exchange(m_handle, Traits::Invalid()); }
    void Close()
    {
        if (IsValid())
            Traits::Close(m_handle);
        m_handle = Traits::Invalid();
    }

private:
    Type m_handle = Traits::Invalid();
};

struct KernelHandleTraits
{
    using Type = HANDLE;
    static Type Invalid() { return nullptr; }
    static bool IsValid(Type h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(Type h) { ::CloseHandle(h); }
};

struct FindHandleTraits
{
    using Type = HANDLE;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Type h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
    static void Close(Type h) { ::FindClose(h); }
};

struct LibraryTraits
{
    using Type = HMODULE;
    static Type Invalid() { return nullptr; }
    static bool IsValid(Type h) { return h != nullptr; }
    static void Close(Type h) { ::FreeLibrary(h); }
};

struct LocalMemoryTraits
{
    using Type = HLOCAL;
    static Type Invalid() { return nullptr; }
    static bool IsValid(Type h) { return h != nullptr; }
    static void Close(Type h) { ::LocalFree(h); }
};

using CHandle = CUniqueHandle<KernelHandleTraits>;
using CFindHandle = CUniqueHandle<FindHandleTraits>;
using CLibrary = CUniqueHandle<LibraryTraits>;
using CLocalMemory = CUniqueHandle<LocalMemoryTraits>;
