#include "framework/WndCreateHook.h"

#include "framework/CWnd.h"

#include <windows.h>

namespace {

// One hook per thread, installed while any creation is pending; nested creations (a window
// made in another's WM_CREATE) each keep their own pending object.
struct CreateHookState {
    HHOOK hook = nullptr;
    int depth = 0;
    CWnd* pending = nullptr;
};

thread_local CreateHookState t_state;

LRESULT CALLBACK CbtFilter(int nCode, WPARAM wParam, LPARAM lParam) {
    if (nCode == HCBT_CREATEWND && t_state.pending) {
        CWnd* pWnd = t_state.pending;
        // Only the window being created is ours; windows it creates in turn are not.
        t_state.pending = nullptr;
        if (!pWnd->SubclassWindow(reinterpret_cast<HWND>(wParam)))
            return 1;
    }
    return ::CallNextHookEx(t_state.hook, nCode, wParam, lParam);
}

} // namespace

CWndCreateHook::CWndCreateHook(CWnd* pWnd) : m_pPrevious(t_state.pending), m_bInstalled(FALSE) {
    if (t_state.depth == 0) {
        t_state.hook = ::SetWindowsHookExA(WH_CBT, CbtFilter, nullptr, ::GetCurrentThreadId());
        if (!t_state.hook)
            return;
    }
    ++t_state.depth;
    t_state.pending = pWnd;
    m_bInstalled = TRUE;
}

CWndCreateHook::~CWndCreateHook() {
    if (!m_bInstalled)
        return;
    t_state.pending = m_pPrevious;
    if (--t_state.depth == 0) {
        ::UnhookWindowsHookEx(t_state.hook);
        t_state.hook = nullptr;
    }
}
