#include "platform/WinThread.h"
#include "platform/Wnd.h"

#include <gtest/gtest.h>

#include <atomic>

namespace
{
// Sends to a window of the creating thread, as the workers do, then ends its loop.
class SendingThread : public CWinThread
{
public:
    BOOL InitInstance() override
    {
        m_idSeenAtStart = m_nThreadID;
        return TRUE;
    }
    int Run() override
    {
        m_reply = m_pMainWnd->SendMessage(WM_USER + 1, 20, 22);
        ::PostThreadMessageA(m_nThreadID, WM_QUIT, 7, 0);
        return CWinThread::Run();
    }
    DWORD m_idSeenAtStart = 0;
    LRESULT m_reply = 0;
};

LRESULT CALLBACK AddingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_USER + 1)
        return static_cast<LRESULT>(wParam + lParam);
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

class RefusingThread : public CWinThread
{
public:
    explicit RefusingThread(std::atomic<int>& deleted) : m_deleted(deleted) {}
    BOOL InitInstance() override { return FALSE; }
    int ExitInstance() override { return 3; }
    void Delete() override
    {
        ++m_deleted;
        CWinThread::Delete();
    }
    std::atomic<int>& m_deleted;
};
} // namespace

TEST(CWinThread, WaitPumpingServesTheWorkersSendsAndReturnsWhenItEnds)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = &AddingProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "QelmarAdding";
    ::RegisterClassA(&wc);
    CWnd window;
    window.m_hWnd = ::CreateWindowExA(0, "QelmarAdding", "", 0, 0, 0, 1, 1, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(window.m_hWnd, nullptr);

    SendingThread thread;
    thread.m_pMainWnd = &window;
    thread.m_bAutoDelete = FALSE;
    ASSERT_TRUE(thread.CreateThread());
    thread.WaitPumping(); // a plain wait would deadlock on the send
    EXPECT_FALSE(thread.IsRunning());
    EXPECT_EQ(thread.m_reply, 42);
    EXPECT_EQ(thread.m_idSeenAtStart, thread.m_nThreadID);
    DWORD code = 0;
    ::GetExitCodeThread(thread.GetHandle(), &code);
    EXPECT_EQ(code, 7u);
    ::DestroyWindow(window.m_hWnd);
}

TEST(CWinThread, RefusedInitEndsThroughExitInstanceAndAutoDeletes)
{
    std::atomic<int> deleted{0};
    auto* thread = new RefusingThread(deleted);
    ASSERT_TRUE(thread->CreateThread(CREATE_SUSPENDED));
    HANDLE handle;
    ::DuplicateHandle(::GetCurrentProcess(), thread->GetHandle(), ::GetCurrentProcess(), &handle, 0, FALSE,
                      DUPLICATE_SAME_ACCESS);
    thread->ResumeThread();
    ASSERT_EQ(::WaitForSingleObject(handle, 10000), WAIT_OBJECT_0);
    DWORD code = 0;
    ::GetExitCodeThread(handle, &code);
    ::CloseHandle(handle);
    EXPECT_EQ(code, 3u);
    EXPECT_EQ(deleted, 1);
}
