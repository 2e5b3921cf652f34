// CWnd: a C++ object bound to a window handle.
//
// A window is bound either by Attach (the object only names it) or by SubclassWindow (its
// messages then pass through WindowProc, each class answering them in one switch and leaving the
// rest to its base, down to the window's original procedure). A subclassed object lets go of its
// window when the window is destroyed, so it can be bound again to the next one.
// Owner-draw and colour requests that reach a parent are reflected to the bound child that asked
// (DrawItem, CtlColor); the parent stays ignorant of how its children look.
#pragma once

#include "platform/Rect.h"
#include "platform/String.h"

#include <windows.h>

#include <map>
#include <memory>

class CDC;

class CWnd
{
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // The object whose window this is, when one is bound; else null.
    static CWnd* FromHandlePermanent(HWND hwnd);
    BOOL Attach(HWND hwnd);
    // Lets go of the window, giving a subclassed one its own procedure back.
    HWND Detach();
    // Binds the object and routes the window's messages through WindowProc.
    BOOL SubclassWindow(HWND hwnd);
    BOOL SubclassDlgItem(int id, CWnd* parent);

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // A null caption shows the application's name.
    int MessageBox(const char* text, const char* caption = nullptr, UINT type = MB_OK) const;

    void SetWindowText(const char* text) { ::SetWindowTextA(m_hWnd, text); }
    void GetWindowText(CString& text) const;
    CString GetWindowText() const;
    void SetDlgItemText(int id, const char* text) { ::SetDlgItemTextA(m_hWnd, id, text); }
    // The bound object of a child, or a plain one that lives as long as this window's binding.
    CWnd* GetDlgItem(int id);
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }

    BOOL ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    HWND SetFocus() { return ::SetFocus(m_hWnd); }

    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE)); }
    // Removes then adds style bits; with flags, SetWindowPos applies them (SWP_FRAMECHANGED).
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0)
    {
        return ModifyLong(GWL_STYLE, remove, add, flags);
    }
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0)
    {
        return ModifyLong(GWL_EXSTYLE, remove, add, flags);
    }

    void GetClientRect(LPRECT rect) const { ::GetClientRect(m_hWnd, rect); }
    void GetWindowRect(LPRECT rect) const { ::GetWindowRect(m_hWnd, rect); }
    void ClientToScreen(LPPOINT point) const { ::ClientToScreen(m_hWnd, point); }
    void ScreenToClient(LPPOINT point) const { ::ScreenToClient(m_hWnd, point); }
    BOOL MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE)
    {
        return ::MoveWindow(m_hWnd, x, y, width, height, repaint);
    }

    void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }
    void InvalidateRect(LPCRECT rect, BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, rect, erase); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    BOOL RedrawWindow(LPCRECT rect = nullptr, HRGN region = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE)
    {
        return ::RedrawWindow(m_hWnd, rect, region, flags);
    }

    UINT_PTR SetTimer(UINT_PTR id, UINT elapse) { return ::SetTimer(m_hWnd, id, elapse, nullptr); }
    BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }

    HICON SetIcon(HICON icon, BOOL big);
    HICON GetIcon(BOOL big) const;

protected:
    // The class's message switch. Overrides answer their messages and pass the others to the
    // base; CWnd reflects owner-draw and colour requests, then calls the default handling.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The window's original handling of a message.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The original handling of the message now being dispatched, for handlers that work around it.
    LRESULT Default();

    // Called just before the window is subclassed.
    virtual void PreSubclassWindow() {}
    // A request of this child that its parent reflected back; TRUE when answered in *result.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // The brush for a reflected colour request (nCtlColor is CTLCOLOR_*); null lets the parent answer.
    virtual HBRUSH CtlColor(CDC* dc, UINT nCtlColor);
    // After the last message of the window; the object is no longer bound.
    virtual void PostNcDestroy() {}

    // The procedure of subclassed windows: finds the object and dispatches to it.
    static LRESULT CALLBACK WndProcThunk(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    // Runs WindowProc with the message remembered for Default.
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

public:
    HWND m_hWnd = nullptr;

private:
    BOOL ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    BOOL ModifyLong(int index, DWORD remove, DWORD add, UINT flags);

    WNDPROC m_pfnSuper = nullptr;
    MSG m_current{};
    std::map<HWND, std::unique_ptr<CWnd>> m_items;
};
