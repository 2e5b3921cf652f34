#include "platform/WinApp.h"

#include "platform/AppName.h"

#include <commctrl.h>

namespace
{
CWinApp* g_app = nullptr;
}

CWinApp::CWinApp(const char* appName)
{
    g_app = this;
    if (appName)
        AfxSetAppName(appName);
}

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}

HICON CWinApp::LoadIcon(UINT id) const
{
    return ::LoadIconA(m_hInstance, MAKEINTRESOURCEA(id));
}

HCURSOR CWinApp::LoadCursor(UINT id) const
{
    return ::LoadCursorA(m_hInstance, MAKEINTRESOURCEA(id));
}

CWinApp* AfxGetApp()
{
    return g_app;
}

HINSTANCE AfxGetInstanceHandle()
{
    return g_app ? g_app->m_hInstance : ::GetModuleHandleA(nullptr);
}

int AfxWinMain(HINSTANCE instance)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return 1;
    app->m_hInstance = instance;
    app->m_nThreadID = ::GetCurrentThreadId();
    // The common controls (progress bars) and visual styles of the manifest.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    return app->InitInstance() ? app->Run() : app->ExitInstance();
}
