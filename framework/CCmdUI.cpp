#include "framework/CCmdUI.h"

#include "framework/CCmdTarget.h"
#include "framework/CMenu.h"
#include "framework/CWnd.h"

#include <windows.h>

void CCmdUI::Enable(BOOL bOn) {
    m_bEnableChanged = TRUE;
    if (m_pMenu) {
        // A submenu's own item is enabled through its parent, at the same position.
        m_pMenu->EnableMenuItem(m_nIndex,
                                MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
        return;
    }
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
    if (m_pMenu) {
        // Menus show a plain check mark for the indeterminate state too.
        m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
        return;
    }
    // Only buttons have a check state.
    if (m_pOther && (m_pOther->SendMessage(WM_GETDLGCODE) & DLGC_BUTTON))
        m_pOther->SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck));
}

void CCmdUI::SetText(LPCSTR lpszText) {
    if (m_pMenu) {
        // ModifyMenu replaces the whole item: keep its state and what it opens.
        UINT nState = m_pMenu->GetMenuState(m_nIndex, MF_BYPOSITION);
        if (nState == static_cast<UINT>(-1))
            return;
        nState &= MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_MENUBREAK | MF_MENUBARBREAK;
        UINT_PTR nIDNewItem = m_nID;
        if (m_pSubMenu) {
            nState |= MF_POPUP;
            nIDNewItem = reinterpret_cast<UINT_PTR>(m_pSubMenu->m_hMenu);
        }
        m_pMenu->ModifyMenu(m_nIndex, MF_BYPOSITION | MF_STRING | nState, nIDNewItem, lpszText);
        return;
    }
    if (m_pOther)
        m_pOther->SetWindowText(lpszText);
}

void CCmdUI::ContinueRouting() {
    m_bContinueRouting = TRUE;
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler) {
    m_bEnableChanged = FALSE;
    m_bContinueRouting = FALSE;
    if (!pTarget)
        return FALSE;
    if (pTarget->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr) && !m_bContinueRouting)
        return TRUE;
    if (bDisableIfNoHandler && !m_bEnableChanged) {
        AFX_CMDHANDLERINFO info{};
        Enable(pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info));
    }
    return FALSE;
}
