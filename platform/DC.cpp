#include "platform/DC.h"

void CDC::Attach(HDC hdc)
{
    DeleteDC();
    m_hDC = hdc;
}

HDC CDC::Detach()
{
    HDC hdc = m_hDC;
    m_hDC = nullptr;
    m_bOwned = false;
    return hdc;
}

BOOL CDC::CreateCompatibleDC(CDC* dc)
{
    DeleteDC();
    m_hDC = ::CreateCompatibleDC(dc ? dc->m_hDC : nullptr);
    m_bOwned = m_hDC != nullptr;
    return m_bOwned;
}

void CDC::DeleteDC()
{
    if (m_bOwned)
        ::DeleteDC(m_hDC);
    m_hDC = nullptr;
    m_bOwned = false;
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    POINT old{};
    ::SetWindowOrgEx(m_hDC, x, y, &old);
    return old;
}

void CDC::FillSolidRect(const RECT& rect, COLORREF colour)
{
    // An opaque empty text output fills with the background colour without creating a brush.
    const COLORREF old = ::SetBkColor(m_hDC, colour);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, old);
}

void CDC::Draw3dRect(const RECT& rect, COLORREF topLeft, COLORREF bottomRight)
{
    const int w = rect.right - rect.left;
    const int h = rect.bottom - rect.top;
    FillSolidRect(CRect(rect.left, rect.top, rect.left + w - 1, rect.top + 1), topLeft);
    FillSolidRect(CRect(rect.left, rect.top, rect.left + 1, rect.top + h - 1), topLeft);
    FillSolidRect(CRect(rect.right - 1, rect.top, rect.right, rect.bottom), bottomRight);
    FillSolidRect(CRect(rect.left, rect.bottom - 1, rect.right, rect.bottom), bottomRight);
}
