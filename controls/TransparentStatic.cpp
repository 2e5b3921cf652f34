#include "controls/TransparentStatic.h"

#include "platform/PaintDC.h"

namespace
{
const int kShadowOffsetX = 3;
const int kShadowOffsetY = 3;
const COLORREF kShadowColor = RGB(208, 208, 208);
const COLORREF kTextColor = RGB(0, 0, 0);
} // namespace

BOOL CTransparentStatic::SetShadow(BOOL on)
{
    const BOOL previous = m_bShadow;
    m_bShadow = on;
    return previous;
}

LRESULT CTransparentStatic::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_ERASEBKGND:
        return TRUE;
    case WM_PAINT:
        OnPaint();
        return 0;
    }
    return CStatic::WindowProc(message, wParam, lParam);
}

void CTransparentStatic::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    const CString text = GetWindowText();
    dc.SetBkMode(TRANSPARENT);
    // The dialog's font, as the label reports it.
    CGdiSelection font(dc, reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
    if (m_bShadow)
    {
        CRect shadow = client;
        shadow.OffsetRect(kShadowOffsetX, kShadowOffsetY);
        dc.SetTextColor(kShadowColor);
        dc.DrawText(text, shadow, DT_WORDBREAK);
    }
    dc.SetTextColor(kTextColor);
    CRect area = client;
    dc.DrawText(text, area, DT_WORDBREAK);
}
