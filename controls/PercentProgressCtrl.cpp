#include "controls/PercentProgressCtrl.h"

#include "controls/BufferDC.h"
#include "platform/PaintDC.h"

#include <algorithm>
#include <cstring>

CPercentProgressCtrl::CPercentProgressCtrl()
    : m_crBar(::GetSysColor(COLOR_HIGHLIGHT)), m_crBack(::GetSysColor(COLOR_WINDOW)),
      m_crTextOverBack(::GetSysColor(COLOR_HIGHLIGHT)), m_crTextOverBar(::GetSysColor(COLOR_WINDOW))
{
}

void CPercentProgressCtrl::SetShowText(BOOL show)
{
    const BOOL changed = (show != FALSE) != (m_bShowText != FALSE);
    m_bShowText = show;
    if (m_hWnd && changed)
        Invalidate();
}

void CPercentProgressCtrl::SetRange(int lower, int upper)
{
    m_nLower = lower;
    m_nUpper = upper;
}

double CPercentProgressCtrl::Fraction() const
{
    return (static_cast<double>(m_nPos) - m_nLower) / (static_cast<double>(m_nUpper) - m_nLower);
}

int CPercentProgressCtrl::BarWidth(int clientWidth) const
{
    if (m_nLower == m_nUpper)
        return 0; // an empty range draws nothing at all
    // Far outside the range the width is only clamped to what an int can hold.
    return static_cast<int>(std::clamp(Fraction() * clientWidth, -1e9, 1e9));
}

int CPercentProgressCtrl::SetPos(int pos)
{
    if (!m_hWnd)
        return -1;
    const int previous = m_nPos;
    m_nPos = pos;
    CRect client;
    GetClientRect(&client);
    const int width = BarWidth(client.Width());
    if (width != m_nDrawnWidth)
    {
        m_nDrawnWidth = width;
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    return previous;
}

LRESULT CPercentProgressCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_ERASEBKGND:
        return TRUE;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_SIZE:
    {
        const LRESULT result = Default();
        m_nDrawnWidth = -1;
        return result;
    }
    case WM_SETTEXT:
        return OnSetText(reinterpret_cast<const char*>(lParam));
    case WM_GETTEXT:
        return OnGetText(wParam, reinterpret_cast<char*>(lParam));
    // The standard queries answer with the bar's own range and position, for whoever reads it.
    case PBM_GETPOS:
        return m_nPos;
    case PBM_GETRANGE:
        if (lParam)
        {
            reinterpret_cast<PBRANGE*>(lParam)->iLow = m_nLower;
            reinterpret_cast<PBRANGE*>(lParam)->iHigh = m_nUpper;
        }
        return wParam ? m_nLower : m_nUpper;
    }
    return CProgressCtrl::WindowProc(message, wParam, lParam);
}

void CPercentProgressCtrl::OnPaint()
{
    CPaintDC paint(this); // consumes the request even when nothing is drawn
    if (m_nLower >= m_nUpper)
        return;
    const double fraction = Fraction();
    CBufferDC dc(&paint);
    CRect client;
    GetClientRect(&client);
    const int barRight = std::clamp(client.left + BarWidth(client.Width()), client.left, client.right);
    const CRect bar(client.left, client.top, barRight, client.bottom);
    const CRect rest(barRight, client.top, client.right, client.bottom);
    dc.FillSolidRect(bar, m_crBar);
    dc.FillSolidRect(rest, m_crBack);
    if (!m_bShowText)
        return;

    CString text = m_strText;
    if (text.IsEmpty())
        text.Format("%d%%", static_cast<int>(std::clamp(fraction * 100, -1e9, 1e9)));
    dc.SetBkMode(TRANSPARENT);
    const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    for (const auto& [clip, colour] :
         {std::make_pair(bar, m_crTextOverBar), std::make_pair(rest, m_crTextOverBack)})
    {
        const int saved = dc.SaveDC();
        dc.IntersectClipRect(clip);
        dc.SetTextColor(colour);
        CRect area = client;
        dc.DrawText(text, area, format);
        dc.RestoreDC(saved);
    }
}

LRESULT CPercentProgressCtrl::OnSetText(const char* text)
{
    const LRESULT result = Default();
    if (!text)
    {
        if (!m_strText.IsEmpty())
        {
            m_strText.Empty();
            Invalidate();
        }
    }
    else if (m_strText != text)
    {
        m_strText = text;
        Invalidate();
    }
    return result;
}

LRESULT CPercentProgressCtrl::OnGetText(WPARAM size, char* buffer) const
{
    if (size == 0 || !buffer)
        return 0;
    const std::size_t count =
        std::min<std::size_t>(static_cast<std::size_t>(m_strText.GetLength()), size - 1);
    std::memcpy(buffer, static_cast<const char*>(m_strText), count);
    buffer[count] = '\0';
    return static_cast<LRESULT>(count);
}
