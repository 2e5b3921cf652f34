// What an uninstall test needs around the worker: a window that records its messages, a worker
// whose file-error box and self-removal are the test's, logs and registry keys built by the test.
#pragma once

#include "platform/String.h"
#include "support/HiddenWindow.h"
#include "uninstall/UninstallThread.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// A hidden window of the test thread standing in for the progress window.
class MessageRecorder
{
public:
    struct Received
    {
        UINT id;
        std::string path; // the string of WM_UNINSTALL_ITEM
        bool sent;        // by another thread's SendMessage, not posted
    };

    MessageRecorder() = default;
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    CWnd& Window() { return m_window.Window(); }
    std::vector<UINT> Ids() const;
    std::vector<std::string> Items() const;
    bool AllSent() const;

    std::vector<Received> received;
    // Runs inside the handling of each message, while a sent one keeps the worker waiting.
    std::function<void(UINT)> onMessage;

private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HiddenWindow m_window{"QelmarUninstallRecorder", &WndProc, this};
};

// Answers the file-error box and records the self-removal instead of starting it: a real script
// would delete the test program once it has ended.
class ScriptedUninstallThread : public CUninstallThread
{
public:
    explicit ScriptedUninstallThread(MessageRecorder& recorder);

    // Starts the thread and pumps messages until it has ended and what it posted has arrived.
    void RunPumping();

    std::vector<DWORD> reportedErrors;
    int selfRemovals = 0;
    std::function<void()> onSelfRemoval;

protected:
    void ReportFileError(const CFileException& error) override;
    void StartSelfRemoval() override;
};

// Writes the log as Setup does: LF in memory, CR LF on disk, hidden.
void WriteLog(const char* path, const std::string& text);

// A registry key with a value, made by the test and deleted at the end with the parents it made.
class TestKey
{
public:
    TestKey(HKEY root, const char* path);
    ~TestKey();
    TestKey(const TestKey&) = delete;
    TestKey& operator=(const TestKey&) = delete;

private:
    HKEY m_root;
    CString m_strTopmostMade;
};
