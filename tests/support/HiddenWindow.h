// A message-only window of the test thread that stands in for a program's window: its messages go
// to a procedure that finds its owner through GetOwner.
#pragma once

#include "platform/Wnd.h"

#include <windows.h>

class HiddenWindow
{
public:
    HiddenWindow(const char* className, WNDPROC proc, void* owner);
    ~HiddenWindow();
    HiddenWindow(const HiddenWindow&) = delete;
    HiddenWindow& operator=(const HiddenWindow&) = delete;

    CWnd& Window() { return m_wnd; }
    // The owner given at construction, or null before the window knows it.
    template <typename Owner> static Owner* GetOwner(HWND hwnd)
    {
        return reinterpret_cast<Owner*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    }

private:
    CWnd m_wnd;
};
