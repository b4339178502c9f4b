// Dialog data exchange: DoDataExchange lists the dialog's controls once, and each DDX_ call
// moves one value between a control and a member, in the direction the exchange says.
#pragma once
#include <string>
#include <windows.h>

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    // TRUE: controls to members (with validation); FALSE: members to controls.
    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;

    // The dialog's control nIDC, remembered as the one to give the focus to when validation
    // fails; null when the dialog has no such control.
    HWND PrepareCtrl(int nIDC);
    // Gives the focus back to the last prepared control and abandons the exchange by throwing
    // CUserException.
    [[noreturn]] void Fail();

private:
    HWND m_hWndLastControl = nullptr;
};

// Attaches rControl to the dialog's control nIDC (subclassing it) the first time.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
// The control's text.
void DDX_Text(CDataExchange* pDX, int nIDC, std::string& value);
// The control's text as a decimal integer; text that is not one fails the exchange.
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
