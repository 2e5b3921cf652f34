#include "platform/Wnd.h"

#include "platform/AppName.h"

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
