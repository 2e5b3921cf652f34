// CWinApp: the program's one application object. The program defines a global instance; the
// platform's WinMain hands it the instance handle, runs InitInstance and, when that returns TRUE,
// the message loop of the main thread.
#pragma once

#include "platform/WinThread.h"

class CWinApp : public CWinThread
{
public:
    // Without a name the application is called after its executable's file name.
    explicit CWinApp(const char* appName = nullptr);
    ~CWinApp() override;

    BOOL InitInstance() override { return TRUE; }

    HICON LoadIcon(UINT id) const;
    HCURSOR LoadCursor(UINT id) const;

    HINSTANCE m_hInstance = nullptr;
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
// The body of the program's WinMain.
int AfxWinMain(HINSTANCE instance);
