#include "UninstallHarness.h"

#include "platform/Handle.h"
#include "platform/RegKey.h"
#include "support/RegistryProbe.h"
#include "uninstall/UninstallMessages.h"

#include <gtest/gtest.h>

std::vector<UINT> MessageRecorder::Ids() const
{
    std::vector<UINT> ids;
    for (const Received& r : received)
        ids.push_back(r.id);
    return ids;
}

std::vector<std::string> MessageRecorder::Items() const
{
    std::vector<std::string> items;
    for (const Received& r : received)
        if (r.id == WM_UNINSTALL_ITEM)
            items.push_back(r.path);
    return items;
}

bool MessageRecorder::AllSent() const
{
    for (const Received& r : received)
        if (!r.sent)
            return false;
    return true;
}

LRESULT CALLBACK MessageRecorder::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* recorder = HiddenWindow::GetOwner<MessageRecorder>(hwnd);
    if (recorder == nullptr || message < WM_USER)
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    Received r{message, "", ::InSendMessage() != FALSE};
    if (message == WM_UNINSTALL_ITEM)
        r.path = reinterpret_cast<const char*>(lParam);
    recorder->received.push_back(r);
    if (recorder->onMessage)
        recorder->onMessage(message);
    return 1;
}

ScriptedUninstallThread::ScriptedUninstallThread(MessageRecorder& recorder)
{
    m_pMainWnd = &recorder.Window();
    m_bAutoDelete = FALSE;
}

void ScriptedUninstallThread::RunPumping()
{
    ASSERT_TRUE(CreateThread());
    WaitPumping();
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageA(&msg);
}

void ScriptedUninstallThread::ReportFileError(const CFileException& error)
{
    reportedErrors.push_back(error.m_lOsError);
}

void ScriptedUninstallThread::StartSelfRemoval()
{
    ++selfRemovals;
    if (onSelfRemoval)
        onSelfRemoval();
}

void WriteLog(const char* path, const std::string& text)
{
    std::string bytes;
    for (char ch : text)
    {
        if (ch == '\n')
            bytes.push_back('\r');
        bytes.push_back(ch);
    }
    const CHandle file(
        ::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr));
    ASSERT_TRUE(file.IsValid()) << path;
    DWORD written = 0;
    ::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

TestKey::TestKey(HKEY root, const char* path) : m_root(root), m_strTopmostMade(path)
{
    const CString full(path);
    for (int at = full.Find('\\'); at > 0; at = full.Find('\\', at + 1))
    {
        if (!RegKeyExists(root, full.Left(at)))
        {
            m_strTopmostMade = full.Left(at);
            break;
        }
    }
    CRegKey key;
    EXPECT_EQ(key.Create(root, path), ERROR_SUCCESS) << path;
    key.SetString("installPath", "test");
}

TestKey::~TestKey()
{
    DeleteRegTree(m_root, m_strTopmostMade);
}
