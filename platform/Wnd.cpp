#include "platform/Wnd.h"

#include "platform/AppName.h"
#include "platform/DC.h"

namespace
{
// The window property that names a window's bound object.
const char* const kObjectProp = "QelmarCWnd";
} // namespace

CWnd::~CWnd()
{
    // The window may outlive its object (a control member of an ended dialog object): let go so
    // that no later message reaches freed memory.
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this)
        Detach();
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd)
{
    return hwnd ? static_cast<CWnd*>(::GetPropA(hwnd, kObjectProp)) : nullptr;
}

BOOL CWnd::Attach(HWND hwnd)
{
    if (!hwnd || m_hWnd || FromHandlePermanent(hwnd))
        return FALSE;
    if (!::SetPropA(hwnd, kObjectProp, this))
        return FALSE;
    m_hWnd = hwnd;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hwnd = m_hWnd;
    if (m_pfnSuper &&
        ::GetWindowLongPtrA(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&CWnd::WndProcThunk))
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    if (hwnd && FromHandlePermanent(hwnd) == this)
        ::RemovePropA(hwnd, kObjectProp);
    m_hWnd = nullptr;
    m_items.clear();
    return hwnd;
}

BOOL CWnd::SubclassWindow(HWND hwnd)
{
    if (!Attach(hwnd))
        return FALSE;
    PreSubclassWindow();
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::WndProcThunk)));
    if (!m_pfnSuper)
    {
        Detach();
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(int id, CWnd* parent)
{
    return SubclassWindow(::GetDlgItem(parent->m_hWnd, id));
}

LRESULT CALLBACK CWnd::WndProcThunk(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    CWnd* wnd = FromHandlePermanent(hwnd);
    if (!wnd)
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    const LRESULT result = wnd->Dispatch(message, wParam, lParam);
    if (message == WM_NCDESTROY)
    {
        wnd->Detach();
        wnd->PostNcDestroy();
    }
    return result;
}

LRESULT CWnd::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    // Nested messages (a send from inside a handler) keep the outer one for its Default.
    const MSG outer = m_current;
    m_current = MSG{m_hWnd, message, wParam, lParam, 0, {0, 0}};
    const LRESULT result = WindowProc(message, wParam, lParam);
    m_current = outer;
    return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (ReflectToChild(message, wParam, lParam, &result))
        return result;
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam);
}

BOOL CWnd::ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    HWND child = nullptr;
    if (message == WM_DRAWITEM)
    {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item->CtlType != ODT_MENU)
            child = item->hwndItem;
    }
    else if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
    {
        child = reinterpret_cast<HWND>(lParam);
    }
    CWnd* wnd = FromHandlePermanent(child);
    return wnd && wnd != this && wnd->OnChildNotify(message, wParam, lParam, result);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM, LRESULT* result)
{
    if (message < WM_CTLCOLORMSGBOX || message > WM_CTLCOLORSTATIC)
        return FALSE;
    CDC dc;
    dc.Attach(reinterpret_cast<HDC>(wParam));
    const HBRUSH brush = CtlColor(&dc, message - WM_CTLCOLORMSGBOX);
    dc.Detach();
    if (!brush)
        return FALSE;
    *result = reinterpret_cast<LRESULT>(brush);
    return TRUE;
}

HBRUSH CWnd::CtlColor(CDC*, UINT)
{
    return nullptr;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

int CWnd::MessageBox(const char* text, const char* caption, UINT type) const
{
    return ::MessageBoxA(m_hWnd, text, caption ? caption : AfxGetAppName(), type);
}

void CWnd::GetWindowText(CString& text) const
{
    const int length = ::GetWindowTextLengthA(m_hWnd);
    char* buffer = text.GetBuffer(length + 1);
    ::GetWindowTextA(m_hWnd, buffer, length + 1);
    text.ReleaseBuffer();
}

CString CWnd::GetWindowText() const
{
    CString text;
    GetWindowText(text);
    return text;
}

CWnd* CWnd::GetDlgItem(int id)
{
    HWND child = ::GetDlgItem(m_hWnd, id);
    if (!child)
        return nullptr;
    if (CWnd* bound = FromHandlePermanent(child))
        return bound;
    std::unique_ptr<CWnd>& item = m_items[child];
    if (!item)
    {
        item = std::make_unique<CWnd>();
        item->m_hWnd = child;
    }
    return item.get();
}

BOOL CWnd::ModifyLong(int index, DWORD remove, DWORD add, UINT flags)
{
    const DWORD old = static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, index));
    const DWORD changed = (old & ~remove) | add;
    if (changed == old)
        return FALSE;
    ::SetWindowLongPtrA(m_hWnd, index, static_cast<LONG_PTR>(changed));
    if (flags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
    return TRUE;
}

HICON CWnd::SetIcon(HICON icon, BOOL big)
{
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
}

HICON CWnd::GetIcon(BOOL big) const
{
    return reinterpret_cast<HICON>(SendMessage(WM_GETICON, big ? ICON_BIG : ICON_SMALL, 0));
}
