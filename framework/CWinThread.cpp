#include "framework/CWinThread.h"

#include "framework/CWnd.h"

#include <windows.h>

BOOL CWinThread::InitInstance() {
    return TRUE;
}

int CWinThread::Run() {
    for (;;) {
        MSG peeked;
        for (LONG lCount = 0;
             !::PeekMessageA(&peeked, nullptr, 0, 0, PM_NOREMOVE) && OnIdle(lCount); ++lCount) {
        }
        if (!PumpMessage())
            return ExitInstance();
    }
}

int CWinThread::ExitInstance() {
    return m_msgCur.message == WM_QUIT ? static_cast<int>(m_msgCur.wParam) : 0;
}

BOOL CWinThread::PreTranslateMessage(MSG*) {
    return FALSE;
}

BOOL CWinThread::OnIdle(LONG) {
    CWnd::DeleteTempMap();
    return FALSE;
}

CWnd* CWinThread::GetMainWnd() {
    return m_pMainWnd;
}

BOOL CWinThread::PumpMessage() {
    MSG msg{};
    BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
    m_msgCur = msg;
    // 0 is WM_QUIT; -1 an error that would only repeat.
    if (got == 0 || got == -1)
        return FALSE;
    if (!PreTranslateChain(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return TRUE;
}

BOOL CWinThread::PreTranslateChain(MSG* pMsg) {
    return CWnd::WalkPreTranslateTree(pMsg) || PreTranslateMessage(pMsg);
}
