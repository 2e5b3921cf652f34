#include "platform/WinThread.h"

#include <process.h>

CWinThread::~CWinThread()
{
    if (IsRunning() && ::GetCurrentThreadId() != m_nThreadID)
        WaitPumping();
}

BOOL CWinThread::CreateThread(DWORD createFlags, UINT stackSize, LPSECURITY_ATTRIBUTES security)
{
    unsigned id = 0;
    const uintptr_t handle = _beginthreadex(security, stackSize, &Entry, this, CREATE_SUSPENDED, &id);
    if (handle == 0)
        return FALSE;
    m_thread.Attach(reinterpret_cast<HANDLE>(handle));
    m_nThreadID = id;
    if ((createFlags & CREATE_SUSPENDED) == 0)
        ResumeThread();
    return TRUE;
}

DWORD CWinThread::ResumeThread()
{
    return ::ResumeThread(m_thread.Get());
}

BOOL CWinThread::SetThreadPriority(int priority)
{
    return ::SetThreadPriority(m_thread.Get(), priority);
}

bool CWinThread::IsRunning() const
{
    return m_thread && ::WaitForSingleObject(m_thread.Get(), 0) == WAIT_TIMEOUT;
}

void CWinThread::WaitPumping()
{
    if (!m_thread)
        return;
    const HANDLE handle = m_thread.Get();
    bool quit = false;
    WPARAM quitCode = 0;
    while (::MsgWaitForMultipleObjects(1, &handle, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1)
    {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            if (msg.message == WM_QUIT)
            {
                quit = true;
                quitCode = msg.wParam;
                continue;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    if (quit)
        ::PostQuitMessage(static_cast<int>(quitCode));
}

int CWinThread::Run()
{
    MSG msg{};
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0)
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    m_nExitCode = static_cast<int>(msg.wParam);
    return ExitInstance();
}

unsigned __stdcall CWinThread::Entry(void* param)
{
    CWinThread* thread = static_cast<CWinThread*>(param);
    // Give the thread its message queue before anyone posts to it.
    MSG msg;
    ::PeekMessageA(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    const int result = thread->InitInstance() ? thread->Run() : thread->ExitInstance();
    if (thread->m_bAutoDelete)
        thread->Delete();
    return static_cast<unsigned>(result);
}
