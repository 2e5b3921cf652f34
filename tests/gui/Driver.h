// Drives another program's windows the way a person does: finds them, reads them, clicks them.
#pragma once

#include "platform/Handle.h"
#include "platform/String.h"

#include <windows.h>

#include <string>

namespace driver
{

// A started program; ended (killed) if the test leaves it running.
class Program
{
public:
    Program(const char* exe, const char* currentFolder);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool Started() const { return m_process.IsValid(); }
    DWORD Id() const { return m_id; }
    // Whether it ended within the time; its exit code then in code.
    bool WaitForExit(DWORD timeoutMs, DWORD& code) const;

private:
    CHandle m_process;
    DWORD m_id = 0;
};

// A visible top-level window of the process with this text (any text when null), waited for.
HWND WaitForWindow(DWORD processId, const char* text, DWORD timeoutMs);
// Any visible top-level window of the process, else null.
HWND AnyWindow(DWORD processId);
std::string Text(HWND window);
std::string ItemText(HWND dialog, int id);
bool IsVisible(HWND dialog, int id);
bool IsEnabled(HWND dialog, int id);
// Clicks a button of a dialog or message box as the mouse does: press and release on it.
void Click(HWND dialog, int id);
// Waits until the condition holds; whether it did.
template <typename Condition> bool WaitUntil(Condition condition, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    while (!condition())
    {
        if (::GetTickCount() - start > timeoutMs)
            return false;
        ::Sleep(20);
    }
    return true;
}

// How many pixels of the window, as it is on screen, are dark: text drawn there.
int DarkPixels(HWND window);
// Saves the window as it is on screen into a 24-bit BMP file.
bool SaveScreenshot(HWND window, const char* path);
// The folder for test artefacts (screenshots): QELMAR_ARTEFACTS, else the program's folder.
CString ArtefactFolder();

} // namespace driver
