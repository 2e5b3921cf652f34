// CStatic: a static control (label, picture, frame or line).
#pragma once

#include "platform/Wnd.h"

class CStatic : public CWnd
{
};
