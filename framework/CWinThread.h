// A thread. The application's own thread runs a message loop: it gets each queued message, lets
// the windows and the thread pre-translate it, then translates and dispatches it, until WM_QUIT.
// A worker thread (AfxBeginThread) runs one function.
#pragma once
#include "framework/CCmdTarget.h"

#include <windows.h>

class CWnd;

// A worker thread's function: its parameter in, the thread's exit code out.
typedef UINT (*AFX_THREADPROC)(LPVOID);

class CWinThread : public CCmdTarget {
public:
    CWinThread() = default;
    // A worker thread that will run pfnThreadProc(pParam) once created.
    CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
    // Closes the thread's handle.
    ~CWinThread() override;

    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    // Whether the object deletes itself when its thread's function returns.
    BOOL m_bAutoDelete = TRUE;
    // The thread's main window, or null.
    CWnd* m_pMainWnd = nullptr;
    // The message the loop took last (WM_QUIT once it has ended).
    MSG m_msgCur{};

    virtual BOOL InitInstance();
    // Runs the message loop until WM_QUIT, then returns ExitInstance().
    virtual int Run();
    // Returns the thread's exit code: the code of the WM_QUIT that ended the loop, 0 when no
    // loop ran.
    virtual int ExitInstance();
    // Sees each queued message after the windows' PreTranslateMessage declined it; TRUE keeps
    // it from being dispatched.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Work to do while the queue is empty; returns TRUE to be called again before the next
    // wait. By default deletes the temporary wrappers (AfxDeleteTempMaps).
    virtual BOOL OnIdle(LONG lCount);
    virtual CWnd* GetMainWnd();

    // Takes one message from the queue and dispatches it; FALSE when it is WM_QUIT.
    BOOL PumpMessage();
    // The windows' PreTranslateMessage, from the target up through its parents, then the
    // thread's; TRUE when one took the message.
    BOOL PreTranslateChain(MSG* pMsg);

    // Starts the worker thread (suspended with CREATE_SUSPENDED); FALSE when it could not be.
    BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0,
                      LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
    DWORD ResumeThread();
    BOOL SetThreadPriority(int nPriority);
    int GetThreadPriority();

private:
    static DWORD WINAPI ThreadEntry(LPVOID pThread);

    AFX_THREADPROC m_pfnThreadProc = nullptr;
    LPVOID m_pThreadParams = nullptr;
};

// Starts a worker thread running pfnThreadProc(pParam) at nPriority. The object returned deletes
// itself (and closes its handle) when the function returns, unless m_bAutoDelete is cleared
// while the thread is still suspended. Null when the thread could not be started.
CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam,
                           int nPriority = THREAD_PRIORITY_NORMAL, UINT nStackSize = 0,
                           DWORD dwCreateFlags = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
