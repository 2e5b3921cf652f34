// CWinThread: a thread with an optional message loop. Override InitInstance (FALSE ends the
// thread at once through ExitInstance) and Run (the default loop runs until WM_QUIT).
#pragma once

#include "platform/Handle.h"

#include <windows.h>

class CWnd;

class CWinThread
{
public:
    CWinThread() = default;
    // Waits for a still running thread (pumping messages) so that it never outlives its object.
    virtual ~CWinThread();
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;

    // The thread is created suspended and resumed once its id and handle are stored, so the
    // thread can rely on m_nThreadID from its first instruction.
    BOOL CreateThread(DWORD createFlags = 0, UINT stackSize = 0, LPSECURITY_ATTRIBUTES security = nullptr);
    DWORD ResumeThread();
    BOOL SetThreadPriority(int priority);
    HANDLE GetHandle() const { return m_thread.Get(); }
    bool IsRunning() const;

    // Waits for the thread to end while dispatching this thread's messages: the worker may be
    // inside a SendMessage to one of our windows. A WM_QUIT seen meanwhile is posted again.
    void WaitPumping();

    virtual BOOL InitInstance() { return FALSE; }
    virtual int Run();
    virtual int ExitInstance() { return m_nExitCode; }
    // Called when the thread ends with m_bAutoDelete set.
    virtual void Delete() { delete this; }

    CWnd* m_pMainWnd = nullptr;
    BOOL m_bAutoDelete = TRUE;
    DWORD m_nThreadID = 0;

private:
    static unsigned __stdcall Entry(void* param);

    CHandle m_thread;
    int m_nExitCode = 0;
};
