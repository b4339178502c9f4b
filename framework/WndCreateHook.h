// Attaches a framework object to the next window this thread creates, at the window manager's
// HCBT_CREATEWND notice, so that the object sees the window's first message (WM_NCCREATE,
// WM_CREATE, or a dialog's WM_INITDIALOG). Wrap the creating call in one of these.
#pragma once
#include <windows.h>

class CWnd;

class CWndCreateHook {
public:
    explicit CWndCreateHook(CWnd* pWnd);
    ~CWndCreateHook();
    CWndCreateHook(const CWndCreateHook&) = delete;
    CWndCreateHook& operator=(const CWndCreateHook&) = delete;

    // FALSE when the hook could not be installed: the window would not reach the object, so
    // the caller must not create it.
    BOOL IsInstalled() const { return m_bInstalled; }

private:
    CWnd* m_pPrevious;
    BOOL m_bInstalled;
};
