// A button control ("BUTTON" class): push buttons, check boxes, radio buttons.
#pragma once
#include "framework/CWnd.h"

#include <windows.h>

class CButton : public CWnd {
public:
    BOOL Create(LPCSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
    int GetCheck() const;
    void SetCheck(int nCheck);
    // The check state with BST_PUSHED and BST_FOCUS.
    UINT GetState() const;
    // Shows the button pushed (TRUE) or released.
    void SetState(BOOL bHighlight);
    UINT GetButtonStyle() const;
    void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE);
};
