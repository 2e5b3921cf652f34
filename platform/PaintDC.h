// CPaintDC: the context of one WM_PAINT, from BeginPaint to EndPaint.
#pragma once

#include "platform/DC.h"

class CWnd;

class CPaintDC : public CDC
{
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps{};

private:
    HWND m_hWnd;
};
