#include "framework/CWinThread.h"

#include "framework/CWnd.h"
#include "framework/TempMaps.h"

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
    AfxDeleteTempMaps();
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

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
    : m_pfnThreadProc(pfnThreadProc), m_pThreadParams(pParam) {}

CWinThread::~CWinThread() {
    if (m_hThread)
        ::CloseHandle(m_hThread);
}

DWORD WINAPI CWinThread::ThreadEntry(LPVOID pParam) {
    auto* pThread = static_cast<CWinThread*>(pParam);
    UINT nResult = pThread->m_pfnThreadProc(pThread->m_pThreadParams);
    if (pThread->m_bAutoDelete)
        delete pThread;
    return nResult;
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize,
                              LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
    if (m_hThread || !m_pfnThreadProc) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    // Suspended until the handle and id are stored: the thread may delete the object as soon
    // as it runs.
    DWORD nThreadID = 0;
    HANDLE hThread = ::CreateThread(lpSecurityAttrs, nStackSize, &ThreadEntry, this,
                                    dwCreateFlags | CREATE_SUSPENDED, &nThreadID);
    if (!hThread)
        return FALSE;
    m_hThread = hThread;
    m_nThreadID = nThreadID;
    if (!(dwCreateFlags & CREATE_SUSPENDED))
        ::ResumeThread(hThread);
    return TRUE;
}

DWORD CWinThread::ResumeThread() {
    return ::ResumeThread(m_hThread);
}

BOOL CWinThread::SetThreadPriority(int nPriority) {
    return ::SetThreadPriority(m_hThread, nPriority);
}

int CWinThread::GetThreadPriority() {
    return ::GetThreadPriority(m_hThread);
}

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority,
                           UINT nStackSize, DWORD dwCreateFlags,
                           LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
    auto* pThread = new CWinThread(pfnThreadProc, pParam);
    if (!pThread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs)) {
        delete pThread;
        return nullptr;
    }
    pThread->SetThreadPriority(nPriority);
    if (!(dwCreateFlags & CREATE_SUSPENDED))
        pThread->ResumeThread();
    return pThread;
}
