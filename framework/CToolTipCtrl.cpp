#include "framework/CToolTipCtrl.h"

#include <commctrl.h>
#include <string>
#include <windows.h>

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle) {
    ::InitCommonControls();
    return CreateEx(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | dwStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, pParentWnd ? pParentWnd->m_hWnd : nullptr,
                    nullptr);
}

TOOLINFOA CToolTipCtrl::ToolInfo(CWnd* pWnd, LPCRECT lpRectTool, UINT_PTR nIDTool) {
    TOOLINFOA ti{};
    ti.cbSize = sizeof ti;
    HWND hWndTool = pWnd ? pWnd->m_hWnd : nullptr;
    if (nIDTool == 0 && !lpRectTool) {
        // The window is the tool; its parent hears the tip's notifications.
        ti.uFlags = TTF_IDISHWND;
        ti.hwnd = hWndTool ? ::GetParent(hWndTool) : nullptr;
        ti.uId = reinterpret_cast<UINT_PTR>(hWndTool);
    } else {
        ti.hwnd = hWndTool;
        ti.uId = nIDTool;
        if (lpRectTool)
            ti.rect = *lpRectTool;
    }
    return ti;
}

void CToolTipCtrl::Activate(BOOL bActivate) {
    SendMessage(TTM_ACTIVATE, static_cast<WPARAM>(bActivate));
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool) {
    if (!pWnd || !pWnd->m_hWnd) {
        ::SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    TOOLINFOA ti = ToolInfo(pWnd, lpRectTool, nIDTool);
    ti.lpszText = const_cast<LPSTR>(lpszText);
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti)));
}

void CToolTipCtrl::UpdateTipText(LPCSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool) {
    TOOLINFOA ti = ToolInfo(pWnd, nullptr, nIDTool);
    ti.lpszText = const_cast<LPSTR>(lpszText);
    SendMessage(TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::GetText(std::string& str, CWnd* pWnd, UINT_PTR nIDTool) const {
    char buffer[1024] = "";
    TOOLINFOA ti = ToolInfo(pWnd, nullptr, nIDTool);
    ti.lpszText = buffer;
    SendMessage(TTM_GETTEXTA, sizeof buffer, reinterpret_cast<LPARAM>(&ti));
    str = buffer;
}

int CToolTipCtrl::GetToolCount() const {
    return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT));
}

int CToolTipCtrl::SetMaxTipWidth(int iWidth) {
    return static_cast<int>(SendMessage(TTM_SETMAXTIPWIDTH, 0, iWidth));
}

void CToolTipCtrl::SetDelayTime(DWORD dwDuration, int iTime) {
    SendMessage(TTM_SETDELAYTIME, dwDuration, MAKELPARAM(iTime, 0));
}

void CToolTipCtrl::SetDelayTime(UINT nDelay) {
    SendMessage(TTM_SETDELAYTIME, TTDT_AUTOMATIC, MAKELPARAM(nDelay, 0));
}

void CToolTipCtrl::RelayEvent(LPMSG lpMsg) {
    SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(lpMsg));
}

void CToolTipCtrl::Pop() {
    SendMessage(TTM_POP);
}
