#include "controls/SkinButton.h"

#include "platform/DC.h"
#include "platform/GdiObject.h"

CSkinButton::CSkinButton() : m_crText(::GetSysColor(COLOR_BTNTEXT)) {}

void CSkinButton::PreSubclassWindow()
{
    // A dialog shown again binds the same object to a new window, which starts afresh.
    m_bChecked = FALSE;
    m_bHover = FALSE;
    m_bLButtonDown = FALSE;
    m_nBorder = 1;
    const DWORD style = GetStyle();
    m_bPushLike = (style & BS_PUSHLIKE) != 0;
    m_bFlat = (style & BS_FLAT) != 0;
    switch (style & BS_CENTER)
    {
    case BS_LEFT:
        m_nTextFormat = DT_LEFT;
        break;
    case BS_RIGHT:
        m_nTextFormat = DT_RIGHT;
        break;
    default:
        m_nTextFormat = DT_CENTER;
        break;
    }
    m_nTextFormat |= DT_VCENTER | DT_SINGLELINE;

    // The automatic check box and radio button styles; every other type is a push button.
    if ((style & 0x03) == 0x03)
        m_nKind = CheckKind;
    else if ((style & 0x09) == 0x09)
        m_nKind = RadioKind;
    else
    {
        m_nKind = PushKind;
        m_bPushLike = TRUE;
    }
    if (!m_bPushLike)
        m_nBorder = 0;

    CButton::PreSubclassWindow();
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW, SWP_FRAMECHANGED);
}

void CSkinButton::SetFacePattern(UINT pattern, BYTE noise, BYTE hoverPercent, BYTE tintPercent,
                                 COLORREF tintColor)
{
    CRect rect;
    GetWindowRect(&rect);
    const FaceColors colors{::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNFACE),
                            ::GetSysColor(COLOR_BTNHIGHLIGHT)};
    m_faces.Build(pattern, rect.Width(), rect.Height(), m_nBorderWidth, noise, hoverPercent, tintPercent,
                  tintColor, colors);
}

LRESULT CSkinButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_ERASEBKGND:
        return TRUE;
    case WM_LBUTTONDOWN:
        return OnLButtonDown();
    case WM_LBUTTONUP:
        return OnLButtonUp(CPoint(lParam));
    case WM_MOUSEMOVE:
        return OnMouseMove(CPoint(lParam));
    case WM_LBUTTONDBLCLK:
        // A double click is a second press.
        return SendMessage(WM_LBUTTONDOWN, wParam, lParam);
    case WM_KILLFOCUS:
        return OnKillFocus();
    case WM_KEYDOWN:
        return OnKeyDown(static_cast<UINT>(wParam));
    case WM_MOUSELEAVE:
        return OnMouseLeave();
    case WM_SKIN_UNCHECK:
        return OnSkinUncheck();
    case BM_SETCHECK:
        return OnSetCheck(wParam);
    case BM_GETCHECK:
        return m_bChecked;
    }
    return CButton::WindowProc(message, wParam, lParam);
}

LRESULT CSkinButton::OnLButtonDown()
{
    if (m_bHover)
    {
        TRACKMOUSEEVENT track{sizeof(track), TME_CANCEL | TME_LEAVE, m_hWnd, 0};
        if (::TrackMouseEvent(&track))
            m_bHover = FALSE;
    }
    const LRESULT result = Default(); // captures the mouse and shows the button pushed
    m_bLButtonDown = TRUE;
    return result;
}

LRESULT CSkinButton::OnLButtonUp(CPoint point)
{
    if (m_nKind != PushKind && m_bLButtonDown && IsOnButton(point))
        ToggleCheck();
    m_bLButtonDown = FALSE;
    return Default(); // releases the capture; a click when released over the button
}

LRESULT CSkinButton::OnMouseMove(CPoint point)
{
    if (m_bLButtonDown && ::GetCapture() == m_hWnd)
    {
        const bool on = IsOnButton(point);
        if (on != ((GetState() & BST_PUSHED) != 0))
        {
            SetState(on);
            Invalidate();
        }
    }
    else if (!m_bHover)
    {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, m_hWnd, 0};
        if (::TrackMouseEvent(&track))
        {
            m_bHover = TRUE;
            Invalidate();
        }
    }
    return Default();
}

LRESULT CSkinButton::OnKillFocus()
{
    if (::GetCapture() == m_hWnd)
    {
        ::ReleaseCapture();
        m_bLButtonDown = FALSE;
    }
    return Default();
}

LRESULT CSkinButton::OnKeyDown(UINT key)
{
    if (m_nKind != PushKind && key == VK_SPACE)
        ToggleCheck();
    return Default();
}

LRESULT CSkinButton::OnMouseLeave()
{
    m_bHover = FALSE;
    Invalidate();
    return 0;
}

LRESULT CSkinButton::OnSkinUncheck()
{
    if (m_bChecked)
    {
        m_bChecked = FALSE;
        Invalidate();
    }
    return 0;
}

LRESULT CSkinButton::OnSetCheck(WPARAM state)
{
    m_bChecked = m_nKind != PushKind && state != 0;
    if (m_nKind == RadioKind && state != 0)
    {
        HWND parent = ::GetParent(m_hWnd);
        for (HWND other = ::GetNextDlgGroupItem(parent, m_hWnd, FALSE); other && other != m_hWnd;
             other = ::GetNextDlgGroupItem(parent, other, FALSE))
            ::PostMessageA(other, WM_SKIN_UNCHECK, 0, 0);
    }
    Invalidate();
    return 0;
}

bool CSkinButton::IsOnButton(CPoint client) const
{
    ClientToScreen(&client);
    return ::WindowFromPoint(client) == m_hWnd;
}

void CSkinButton::ToggleCheck()
{
    SendMessage(BM_SETCHECK, m_nKind == CheckKind ? !m_bChecked : TRUE);
}

BOOL CSkinButton::FollowDrag()
{
    POINT cursor;
    if (!m_bLButtonDown || ::GetCapture() != m_hWnd || !::GetCursorPos(&cursor))
        return FALSE;
    const bool on = ::WindowFromPoint(cursor) == m_hWnd;
    if (on == ((GetState() & BST_PUSHED) != 0))
        return FALSE;
    // The new state asks for another drawing.
    SetState(on);
    return TRUE;
}

void CSkinButton::DrawItem(LPDRAWITEMSTRUCT item)
{
    if (FollowDrag())
        return;
    CDC target;
    target.Attach(item->hDC);
    const CRect whole = item->rcItem;
    CDC dc;
    CBitmap bitmap;
    if (!dc.CreateCompatibleDC(&target) ||
        !bitmap.CreateCompatibleBitmap(&target, whole.Width(), whole.Height()))
        return;
    CGdiSelection selectBitmap(dc, bitmap);
    CGdiSelection selectFont(dc, ::GetStockObject(DEFAULT_GUI_FONT));
    dc.SetBkMode(TRANSPARENT);
    CRect rect = whole;
    CRect caption = whole;
    caption.DeflateRect(m_nBorderWidth + 2, 0);
    DrawFace(dc, rect, item->itemState, caption);
    target.BitBlt(0, 0, whole.Width(), whole.Height(), &dc, 0, 0, SRCCOPY);
}

void CSkinButton::DrawFace(CDC& dc, CRect& rect, UINT state, CRect& caption)
{
    const CString text = GetWindowText();
    if (state & ODS_DISABLED)
    {
        if (!m_faces.m_disabled.Draw(&dc, 0, 0))
            dc.FillSolidRect(rect, ::GetSysColor(COLOR_BTNFACE));
        if (m_nBorder && !m_bFlat)
            dc.DrawEdge(rect, EDGE_RAISED, BF_RECT);
        // Embossed: a highlight copy under the grey caption, one pixel down and right.
        dc.SetTextColor(::GetSysColor(COLOR_BTNHIGHLIGHT));
        dc.DrawText(text, caption, m_nTextFormat);
        caption.OffsetRect(-1, -1);
        dc.SetTextColor(::GetSysColor(COLOR_GRAYTEXT));
        dc.DrawText(text, caption, m_nTextFormat);
        return;
    }

    if ((state & ODS_SELECTED) || m_bChecked)
    {
        if (!m_faces.m_pressed.Draw(&dc, m_nBorder, m_nBorder))
            dc.FillSolidRect(rect, ::GetSysColor(COLOR_BTNFACE));
        if (m_bPushLike)
            caption.OffsetRect(1, 1);
        if (m_nBorder && m_bFlat)
            dc.Draw3dRect(rect, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        else if (m_nBorder)
            dc.DrawEdge(rect, EDGE_SUNKEN, BF_RECT);
    }
    else
    {
        if (!m_faces.m_normal.IsValid())
            dc.FillSolidRect(rect, ::GetSysColor(COLOR_BTNFACE));
        else if (m_bHover && m_faces.m_hover.IsValid())
            m_faces.m_hover.Draw(&dc, 0, 0);
        else
            m_faces.m_normal.Draw(&dc, 0, 0);
        if (m_nBorder && (m_bHover || !m_bFlat))
        {
            if (state & ODS_DEFAULT)
            {
                dc.DrawEdge(rect, EDGE_SUNKEN, BF_RECT);
                rect.DeflateRect(1, 1);
                dc.DrawEdge(rect, EDGE_RAISED, BF_RECT);
            }
            else if (m_bFlat)
                dc.Draw3dRect(rect, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
            else
                dc.DrawEdge(rect, EDGE_RAISED, BF_RECT);
        }
    }

    if ((state & ODS_FOCUS) && m_nBorderWidth > 0)
    {
        rect.DeflateRect(m_nBorderWidth, m_nBorderWidth);
        m_faces.m_focusHorz.Draw(&dc, rect.left + 1, rect.top);
        m_faces.m_focusHorz.Draw(&dc, rect.left + 1, rect.bottom);
        m_faces.m_focusVert.Draw(&dc, rect.left, rect.top + 1);
        m_faces.m_focusVert.Draw(&dc, rect.right, rect.top + 1);
    }
    dc.SetTextColor(m_crText);
    dc.DrawText(text, caption, m_nTextFormat);
}
