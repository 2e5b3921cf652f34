// CDC: a device context, either created here (deleted with the object) or borrowed from its
// owner (only forgotten). CGdiSelection selects an object for one scope and selects the previous
// one back, so a context never ends with our objects in it.
#pragma once

#include "platform/Rect.h"

#include <windows.h>

class CDC
{
public:
    CDC() = default;
    virtual ~CDC() { DeleteDC(); }
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

    // Borrows a context that someone else releases.
    void Attach(HDC hdc);
    HDC Detach();
    BOOL CreateCompatibleDC(CDC* dc);
    // Deletes a created context, forgets a borrowed one.
    void DeleteDC();

    HGDIOBJ SelectObject(HGDIOBJ object) { return ::SelectObject(m_hDC, object); }
    COLORREF SetTextColor(COLORREF colour) { return ::SetTextColor(m_hDC, colour); }
    COLORREF SetBkColor(COLORREF colour) { return ::SetBkColor(m_hDC, colour); }
    int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
    int SetStretchBltMode(int mode) { return ::SetStretchBltMode(m_hDC, mode); }
    CPoint SetWindowOrg(int x, int y);

    int GetClipBox(LPRECT rect) const { return ::GetClipBox(m_hDC, rect); }
    int IntersectClipRect(const RECT& rect)
    {
        return ::IntersectClipRect(m_hDC, rect.left, rect.top, rect.right, rect.bottom);
    }
    int SaveDC() { return ::SaveDC(m_hDC); }
    BOOL RestoreDC(int saved) { return ::RestoreDC(m_hDC, saved); }

    void FillSolidRect(const RECT& rect, COLORREF colour);
    // A one-pixel frame: top and left in one colour, right and bottom in the other.
    void Draw3dRect(const RECT& rect, COLORREF topLeft, COLORREF bottomRight);
    BOOL DrawEdge(RECT* rect, UINT edge, UINT flags) { return ::DrawEdge(m_hDC, rect, edge, flags); }
    int DrawText(const char* text, RECT* rect, UINT format)
    {
        return ::DrawTextA(m_hDC, text, -1, rect, format);
    }
    BOOL BitBlt(int x, int y, int width, int height, CDC* source, int xSource, int ySource, DWORD rop)
    {
        return ::BitBlt(m_hDC, x, y, width, height, source->m_hDC, xSource, ySource, rop);
    }
    COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }

private:
    HDC m_hDC = nullptr;
    bool m_bOwned = false;
};

class CGdiSelection
{
public:
    CGdiSelection(CDC& dc, HGDIOBJ object) : m_dc(dc), m_old(dc.SelectObject(object)) {}
    ~CGdiSelection()
    {
        if (m_old)
            m_dc.SelectObject(m_old);
    }
    CGdiSelection(const CGdiSelection&) = delete;
    CGdiSelection& operator=(const CGdiSelection&) = delete;

private:
    CDC& m_dc;
    HGDIOBJ m_old;
};
