// CWnd: a C++ object bound to a window handle.
#pragma once

#include <windows.h>

class CWnd
{
public:
    CWnd() = default;
    virtual ~CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // A null caption shows the application's name.
    int MessageBox(const char* text, const char* caption = nullptr, UINT type = MB_OK) const;

    HWND m_hWnd = nullptr;
};
