// The user-interface state of one command, handed to its ON_UPDATE_COMMAND_UI handler, which
// decides whether the command is enabled, checked and what it reads. The state is applied to
// the menu item that shows the command (m_pMenu at position m_nIndex) or to the control
// (m_pOther).
//
// A popup's initialisation walks its items with one CCmdUI: m_pMenu the popup, m_nIndexMax its
// item count, and for each item m_nIndex, m_nID (and m_pSubMenu for an item that opens a
// submenu, whose first command then stands for it), then DoUpdate.
#pragma once
#include <windows.h>

class CCmdTarget;
class CMenu;
class CWnd;

class CCmdUI {
public:
    UINT m_nID = 0;
    // The position of the item among those being updated.
    UINT m_nIndex = 0;
    UINT m_nIndexMax = 0;
    // The menu being updated, or null for a control.
    CMenu* m_pMenu = nullptr;
    // The submenu the item opens, or null.
    CMenu* m_pSubMenu = nullptr;
    // The control that shows the command, or null.
    CWnd* m_pOther = nullptr;
    // Whether the handler called Enable.
    BOOL m_bEnableChanged = FALSE;
    // Set by ContinueRouting: the handler let the update go on to other handlers.
    BOOL m_bContinueRouting = FALSE;

    virtual ~CCmdUI() = default;

    virtual void Enable(BOOL bOn = TRUE);
    // 0 clears the check, 1 checks, 2 shows the indeterminate state.
    virtual void SetCheck(int nCheck = 1);
    virtual void SetText(LPCSTR lpszText);
    // Called by an update handler that does not settle the state itself.
    void ContinueRouting();

    // Asks pTarget's update handler for m_nID's state; TRUE when one settled it. Without one,
    // the item is disabled when bDisableIfNoHandler and pTarget has no handler for the command
    // itself either.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler);
};
