#include "framework/CCmdUI.h"

#include "framework/CCmdTarget.h"
#include "framework/CWnd.h"

#include <windows.h>

void CCmdUI::Enable(BOOL bOn) {
    m_bEnableChanged = TRUE;
    if (!m_pOther)
        return;
    // A control that loses its ability to take the focus hands it on, as the dialog manager
    // would for a Tab key.
    if (!bOn && ::GetFocus() == m_pOther->m_hWnd) {
        if (HWND hWndParent = ::GetParent(m_pOther->m_hWnd))
            ::SendMessageA(hWndParent, WM_NEXTDLGCTL, 0, FALSE);
    }
    m_pOther->EnableWindow(bOn);
}

void CCmdUI::SetCheck(int nCheck) {
    // Only buttons have a check state.
    if (m_pOther && (m_pOther->SendMessage(WM_GETDLGCODE) & DLGC_BUTTON))
        m_pOther->SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck));
}

void CCmdUI::SetText(LPCSTR lpszText) {
    if (m_pOther)
        m_pOther->SetWindowText(lpszText);
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler) {
    m_bEnableChanged = FALSE;
    if (pTarget->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr))
        return TRUE;
    if (bDisableIfNoHandler) {
        AFX_CMDHANDLERINFO info{};
        Enable(pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info));
    }
    return FALSE;
}
