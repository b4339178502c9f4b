// The user-interface state of one command, handed to its ON_UPDATE_COMMAND_UI handler, which
// decides whether the command is enabled, checked and what it reads. The state is applied to
// the control that shows the command (m_pOther). Menu items come with the menu classes.
#pragma once
#include <windows.h>

class CCmdTarget;
class CWnd;

class CCmdUI {
public:
    UINT m_nID = 0;
    // The position of the item among those being updated.
    UINT m_nIndex = 0;
    // The control that shows the command, or null.
    CWnd* m_pOther = nullptr;
    // Whether the handler called Enable.
    BOOL m_bEnableChanged = FALSE;

    virtual ~CCmdUI() = default;

    virtual void Enable(BOOL bOn = TRUE);
    // 0 clears the check, 1 checks, 2 shows the indeterminate state.
    virtual void SetCheck(int nCheck = 1);
    virtual void SetText(LPCSTR lpszText);

    // Asks pTarget's update handler for m_nID's state; TRUE when one ran. Without one, the
    // item is disabled when bDisableIfNoHandler and pTarget has no handler for the command
    // itself either.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler);
};
