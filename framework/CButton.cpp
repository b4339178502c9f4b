#include "framework/CButton.h"

#include <windows.h>

BOOL CButton::Create(LPCSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                     UINT nID) {
    return CWnd::Create("BUTTON", lpszCaption, dwStyle, rect, pParentWnd, nID);
}

int CButton::GetCheck() const {
    return static_cast<int>(SendMessage(BM_GETCHECK));
}

void CButton::SetCheck(int nCheck) {
    SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck));
}

UINT CButton::GetState() const {
    return static_cast<UINT>(SendMessage(BM_GETSTATE));
}

void CButton::SetState(BOOL bHighlight) {
    SendMessage(BM_SETSTATE, static_cast<WPARAM>(bHighlight));
}

UINT CButton::GetButtonStyle() const {
    // The button type and its other BS_ bits live in the low word of the window style.
    return static_cast<UINT>(GetStyle() & 0xFFFF);
}

void CButton::SetButtonStyle(UINT nStyle, BOOL bRedraw) {
    SendMessage(BM_SETSTYLE, static_cast<WPARAM>(nStyle), static_cast<LPARAM>(bRedraw));
}
