// CEdit: an edit control.
#pragma once

#include "platform/Wnd.h"

class CEdit : public CWnd
{
public:
    // start 0, end -1 selects all the text.
    void SetSel(int start, int end) { SendMessage(EM_SETSEL, static_cast<WPARAM>(start), end); }
    void LimitText(int bytes) { SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(bytes)); }
};
