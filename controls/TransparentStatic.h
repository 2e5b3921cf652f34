// CTransparentStatic: a label that draws only its text, so the dialog shows through, optionally
// over a light grey copy of itself as a drop shadow. The text is always laid out left-aligned
// from the top with word wrapping, whatever the template's alignment.
#pragma once

#include "platform/Static.h"

class CTransparentStatic : public CStatic
{
public:
    // The previous setting; takes effect at the next paint.
    BOOL SetShadow(BOOL on);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnPaint();

    BOOL m_bShadow = FALSE;
};
