// CWnd's thin wrappers: one check for a live window, then one call.
#include "framework/CCmdUI.h"
#include "framework/CWnd.h"

#include <algorithm>
#include <string>
#include <windows.h>

bool CWnd::CheckLive() const {
    if (m_hWnd && ::IsWindow(m_hWnd))
        return true;
    ::SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return false;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return CheckLive() ? ::SendMessageA(m_hWnd, message, wParam, lParam) : 0;
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return CheckLive() && ::PostMessageA(m_hWnd, message, wParam, lParam);
}

CWnd* CWnd::GetDlgItem(int nID) const {
    return CheckLive() ? FromHandle(::GetDlgItem(m_hWnd, nID)) : nullptr;
}

int CWnd::GetDlgCtrlID() const {
    return CheckLive() ? ::GetDlgCtrlID(m_hWnd) : 0;
}

CWnd* CWnd::GetParent() const {
    return CheckLive() ? FromHandle(::GetParent(m_hWnd)) : nullptr;
}

void CWnd::SetWindowText(LPCSTR lpszString) {
    if (CheckLive())
        ::SetWindowTextA(m_hWnd, lpszString);
}

int CWnd::GetWindowText(LPSTR lpszStringBuf, int nMaxCount) const {
    if (!CheckLive()) {
        if (lpszStringBuf && nMaxCount > 0)
            lpszStringBuf[0] = '\0';
        return 0;
    }
    return ::GetWindowTextA(m_hWnd, lpszStringBuf, nMaxCount);
}

void CWnd::GetWindowText(std::string& rString) const {
    rString.clear();
    if (!CheckLive())
        return;
    int length = ::GetWindowTextLengthA(m_hWnd);
    if (length <= 0)
        return;
    rString.resize(static_cast<size_t>(length) + 1);
    int copied = ::GetWindowTextA(m_hWnd, rString.data(), length + 1);
    rString.resize(static_cast<size_t>(std::max(copied, 0)));
}

int CWnd::GetWindowTextLength() const {
    return CheckLive() ? ::GetWindowTextLengthA(m_hWnd) : 0;
}

BOOL CWnd::ShowWindow(int nCmdShow) {
    return CheckLive() && ::ShowWindow(m_hWnd, nCmdShow);
}

BOOL CWnd::EnableWindow(BOOL bEnable) {
    return CheckLive() && ::EnableWindow(m_hWnd, bEnable);
}

BOOL CWnd::IsWindowEnabled() const {
    return CheckLive() && ::IsWindowEnabled(m_hWnd);
}

BOOL CWnd::IsWindowVisible() const {
    return CheckLive() && ::IsWindowVisible(m_hWnd);
}

BOOL CWnd::IsIconic() const {
    return CheckLive() && ::IsIconic(m_hWnd);
}

void CWnd::GetClientRect(LPRECT lpRect) const {
    if (CheckLive())
        ::GetClientRect(m_hWnd, lpRect);
}

void CWnd::GetWindowRect(LPRECT lpRect) const {
    if (CheckLive())
        ::GetWindowRect(m_hWnd, lpRect);
}

void CWnd::ClientToScreen(LPPOINT lpPoint) const {
    if (CheckLive())
        ::ClientToScreen(m_hWnd, lpPoint);
}

void CWnd::ClientToScreen(LPRECT lpRect) const {
    if (CheckLive())
        ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::ScreenToClient(LPPOINT lpPoint) const {
    if (CheckLive())
        ::ScreenToClient(m_hWnd, lpPoint);
}

void CWnd::ScreenToClient(LPRECT lpRect) const {
    if (CheckLive())
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint) {
    if (CheckLive())
        ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint) {
    MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left,
               lpRect->bottom - lpRect->top, bRepaint);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) {
    return CheckLive() &&
           ::SetWindowPos(m_hWnd, pWndInsertAfter ? pWndInsertAfter->m_hWnd : nullptr, x, y, cx, cy,
                          nFlags);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner) {
    if (!CheckLive())
        return;
    RECT rcWindow;
    ::GetWindowRect(m_hWnd, &rcWindow);
    RECT rcArea;   // where the window must stay
    RECT rcCenter; // what it is centred on
    HWND hWndParent = (GetStyle() & WS_CHILD) ? ::GetParent(m_hWnd) : nullptr;
    if (hWndParent) {
        ::GetClientRect(hWndParent, &rcArea);
        rcCenter = rcArea;
        ::MapWindowPoints(nullptr, hWndParent, reinterpret_cast<LPPOINT>(&rcWindow), 2);
    } else {
        HWND hWndCenter = pAlternateOwner ? pAlternateOwner->m_hWnd : ::GetWindow(m_hWnd, GW_OWNER);
        // A hidden or minimised owner is no place to appear beside.
        if (hWndCenter && (!::IsWindowVisible(hWndCenter) || ::IsIconic(hWndCenter)))
            hWndCenter = nullptr;
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcArea, 0);
        if (!hWndCenter || !::GetWindowRect(hWndCenter, &rcCenter))
            rcCenter = rcArea;
    }
    LONG width = rcWindow.right - rcWindow.left;
    LONG height = rcWindow.bottom - rcWindow.top;
    LONG x = (rcCenter.left + rcCenter.right) / 2 - width / 2;
    LONG y = (rcCenter.top + rcCenter.bottom) / 2 - height / 2;
    x = std::max(rcArea.left, std::min(x, rcArea.right - width));
    y = std::max(rcArea.top, std::min(y, rcArea.bottom - height));
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer) {
    return CheckLive() ? ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer) : 0;
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent) {
    return CheckLive() && ::KillTimer(m_hWnd, nIDEvent);
}

void CWnd::Invalidate(BOOL bErase) {
    if (CheckLive())
        ::InvalidateRect(m_hWnd, nullptr, bErase);
}

void CWnd::UpdateWindow() {
    if (CheckLive())
        ::UpdateWindow(m_hWnd);
}

CWnd* CWnd::SetFocus() {
    return CheckLive() ? FromHandle(::SetFocus(m_hWnd)) : nullptr;
}

DWORD CWnd::GetStyle() const {
    return CheckLive() ? static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE)) : 0;
}

DWORD CWnd::GetExStyle() const {
    return CheckLive() ? static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_EXSTYLE)) : 0;
}

namespace {

BOOL ModifyLong(HWND hWnd, int nIndex, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    DWORD old = static_cast<DWORD>(::GetWindowLongA(hWnd, nIndex));
    DWORD changed = (old & ~dwRemove) | dwAdd;
    if (changed == old)
        return FALSE;
    ::SetWindowLongA(hWnd, nIndex, static_cast<LONG>(changed));
    if (nFlags)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

} // namespace

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    return CheckLive() && ModifyLong(m_hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    return CheckLive() && ModifyLong(m_hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::SetForegroundWindow() {
    return CheckLive() && ::SetForegroundWindow(m_hWnd);
}

CWnd* CWnd::SetActiveWindow() {
    return CheckLive() ? FromHandle(::SetActiveWindow(m_hWnd)) : nullptr;
}

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHandler) {
    if (!CheckLive() || !pTarget)
        return;
    CCmdUI state;
    for (HWND hWndChild = ::GetWindow(m_hWnd, GW_CHILD); hWndChild;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT), ++state.m_nIndex) {
        int nID = ::GetDlgCtrlID(hWndChild);
        // Labels share the id -1 (or 0) and stand for no command.
        if (nID == 0 || LOWORD(nID) == 0xFFFF)
            continue;
        state.m_nID = static_cast<UINT>(nID);
        state.m_pOther = FromHandle(hWndChild);
        state.DoUpdate(pTarget, bDisableIfNoHandler);
    }
}
