// What the uninstall tests build for themselves: folders and files, registry keys, and the window
// the worker reports to.
#pragma once

#include "platform/String.h"
#include "platform/Wnd.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// The folder of the running test program, with a trailing backslash: the fixtures lie beside it.
CString TestProgramFolder();

bool Exists(const char* path);
void WriteBytes(const char* path, const std::string& bytes);
std::string ReadBytes(const char* path);
// Deletes a file or a whole folder; absence is fine.
void RemoveTree(const char* path);

// A fresh folder under the temporary folder, removed with all it holds when the test ends.
class CTempFolder
{
public:
    explicit CTempFolder(const char* name);
    ~CTempFolder();
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;

    // The folder (trailing backslash) followed by relative.
    CString Path(const char* relative = "") const { return m_strPath + relative; }

private:
    CString m_strPath;
};

// A registry key (with a value) that the test creates, deleted at the end with the parents it made.
class CTestKey
{
public:
    CTestKey(HKEY root, const char* path);
    ~CTestKey();
    CTestKey(const CTestKey&) = delete;
    CTestKey& operator=(const CTestKey&) = delete;
    static bool Exists(HKEY root, const char* path);

private:
    HKEY m_root;
    CString m_strPath;
};

// What the stand-in controls recorded under HKEY_CURRENT_USER: "<entry point> <library path>".
bool ControlCalled(const char* entryPoint, const char* libraryPath);
void ForgetControlCalls();

// A hidden window that records what the worker sends or posts to it.
class CRecorderWnd : public CWnd
{
public:
    struct Received
    {
        UINT message;
        std::string path; // the string of WM_UNINSTALL_ITEM
        bool sent;        // by another thread's SendMessage, not posted
    };

    CRecorderWnd();
    ~CRecorderWnd() override;

    // Dispatches what has been posted to this thread.
    void DrainPosted();

    std::vector<Received> m_received;
    std::function<void(UINT)> m_onMessage; // called after each record

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};
