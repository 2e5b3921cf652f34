// What an engine test needs around the worker: a page stand-in that records the worker's
// messages, a worker whose questions are answered by the test, and a sample medium.
#pragma once

#include "setup/SetupThread.h"
#include "support/HiddenWindow.h"
#include "support/TempTree.h"

#include <functional>
#include <string>
#include <vector>

struct SinkMessage
{
    UINT id;
    std::string source;
    std::string target;
};

// A hidden window of the test thread standing in for the copying page.
class MessageSink
{
public:
    MessageSink() = default;
    MessageSink(const MessageSink&) = delete;
    MessageSink& operator=(const MessageSink&) = delete;

    CWnd& Window() { return m_window.Window(); }
    std::vector<SinkMessage> messages;
    // Runs inside the handling of each message, while a sent one keeps the worker waiting.
    std::function<void(const SinkMessage&)> onMessage;

    int Count(UINT id) const;

private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HiddenWindow m_window{"QelmarTestSink", &WndProc, this};
};

struct Question
{
    std::string text;
    UINT type;
};

class ScriptedSetupThread : public CSetupThread
{
public:
    std::vector<Question> questions;
    // Answers each question; without it every question fails the test and is answered Cancel.
    std::function<int(const Question&)> answer;

protected:
    int AskUser(const char* text, UINT type) override;
};

// Starts the worker with the sink as its page and pumps messages until it has ended and its
// posted message has arrived.
void RunWorker(ScriptedSetupThread& worker, MessageSink& sink, const CString& setupDir,
               const CString& installDir);

// The sample medium: nested folders, GBK names (one whose trail byte is a backslash), empty
// folders, a read-only file, "setup.exe" at the root in mixed case and inside a folder, the fixture
// controls, the icon and the slides folder.
void BuildMedium(const TempTree& medium);

// Removes every registry key an installation writes, the controls' traces and AutoCAD's keys.
void CleanRegistry();

// The prefix's own shell folders, where a run puts its desktop shortcut and program group.
CString DesktopShortcut();
CString ProgramGroup();
// Removes what a run left there: a test leaves the prefix as it found it.
void RemoveShortcuts();

// The records a complete folder copy of this medium yields, found by an independent walk.
struct ExpectedCopy
{
    std::string log;                   // "Made Dir: " and "File Copy: " records, LF
    std::vector<std::string> reported; // target paths in the order 1012 reports them
};
ExpectedCopy WalkMedium(const CString& setupDir, const CString& installDir,
                        const std::vector<std::string>& failingTargets = {});
