// CUninstallApp: asks before anything is removed, then runs the progress window.
#pragma once

#include "platform/WinApp.h"

class CUninstallApp : public CWinApp
{
public:
    // FALSE in every case: the program ends when the window has closed.
    BOOL InitInstance() override;
};
