// A thread with a message loop: gets each queued message, lets the windows and the thread
// pre-translate it, then translates and dispatches it, until WM_QUIT.
#pragma once
#include "framework/CCmdTarget.h"

#include <windows.h>

class CWnd;

class CWinThread : public CCmdTarget {
public:
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
    // wait. By default deletes the temporary window wrappers.
    virtual BOOL OnIdle(LONG lCount);
    virtual CWnd* GetMainWnd();

    // Takes one message from the queue and dispatches it; FALSE when it is WM_QUIT.
    BOOL PumpMessage();
    // The windows' PreTranslateMessage, from the target up through its parents, then the
    // thread's; TRUE when one took the message.
    BOOL PreTranslateChain(MSG* pMsg);
};
