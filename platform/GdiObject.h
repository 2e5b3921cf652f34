// Owned GDI objects: CGdiObject and its kinds CBitmap, CFont and CBrush. Each deletes the object
// it holds exactly once; a stock object is never held (select it by handle instead).
#pragma once

#include "platform/Handle.h"

#include <windows.h>

struct GdiObjectTraits
{
    using Type = HGDIOBJ;
    static Type Invalid() { return nullptr; }
    static bool IsValid(Type h) { return h != nullptr; }
    static void Close(Type h) { ::DeleteObject(h); }
};

class CDC;

class CGdiObject
{
public:
    CGdiObject() = default;
    CGdiObject(CGdiObject&&) noexcept = default;
    CGdiObject& operator=(CGdiObject&&) noexcept = default;

    HGDIOBJ GetSafeHandle() const { return m_object.Get(); }
    bool IsValid() const { return m_object.IsValid(); }
    void Attach(HGDIOBJ object) { m_object.Attach(object); }
    HGDIOBJ Detach() { return m_object.Detach(); }
    // Must not be selected into a context any more: GDI refuses to delete a selected object.
    void DeleteObject() { m_object.Close(); }

protected:
    // Takes ownership of a freshly created object; FALSE when creation failed.
    BOOL Own(HGDIOBJ object)
    {
        m_object.Attach(object);
        return object != nullptr;
    }

private:
    CUniqueHandle<GdiObjectTraits> m_object;
};

class CBitmap : public CGdiObject
{
public:
    BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
    operator HBITMAP() const { return static_cast<HBITMAP>(GetSafeHandle()); }
};

class CFont : public CGdiObject
{
public:
    BOOL CreateFontIndirect(const LOGFONTA* font) { return Own(::CreateFontIndirectA(font)); }
    operator HFONT() const { return static_cast<HFONT>(GetSafeHandle()); }
};

class CBrush : public CGdiObject
{
public:
    BOOL CreateSolidBrush(COLORREF colour) { return Own(::CreateSolidBrush(colour)); }
    operator HBRUSH() const { return static_cast<HBRUSH>(GetSafeHandle()); }
};
