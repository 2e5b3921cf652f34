#include "HiddenWindow.h"

HiddenWindow::HiddenWindow(const char* className, WNDPROC proc, void* owner)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = className;
    ::RegisterClassA(&wc); // fails harmlessly once registered
    m_wnd.m_hWnd =
        ::CreateWindowExA(0, className, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    ::SetWindowLongPtrA(m_wnd.m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
}

HiddenWindow::~HiddenWindow()
{
    ::DestroyWindow(m_wnd.m_hWnd);
    m_wnd.m_hWnd = nullptr;
}
