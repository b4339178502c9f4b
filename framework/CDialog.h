// A dialog made from a template in the application's resources. DoModal runs it modally in the
// framework's own loop, so that the dialog and its controls pre-translate the queued messages
// (their PreTranslateMessage, then the dialog keys of IsDialogMessageA); Create makes it
// modeless. The object is attached before WM_INITDIALOG, so OnInitDialog sees the controls.
#pragma once
#include "framework/CWnd.h"

#include <windows.h>

class CDataExchange;

class CDialog : public CWnd {
public:
    CDialog() = default;
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    explicit CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr);

    // Runs the dialog until EndDialog and returns its end code; -1 when the dialog could not be
    // made (no such template), or when WM_QUIT ended the loop first (the quit message is posted
    // again for the enclosing loop).
    virtual INT_PTR DoModal();
    // Makes the dialog modeless; FALSE when it could not be made.
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    virtual BOOL Create(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr);

    // Ends the dialog with nResult: a modal dialog's loop stops and DoModal returns nResult; a
    // modeless dialog is hidden.
    void EndDialog(int nResult);

    // Exchanges the dialog's data: controls to members when bSaveAndValidate, else the other
    // way; FALSE when validation failed.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    virtual BOOL OnInitDialog();
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    // IDOK: takes the controls' data and, when it validates, ends the dialog with IDOK.
    virtual void OnOK();
    // IDCANCEL (Esc, the Close command): ends the dialog with IDCANCEL.
    virtual void OnCancel();

    LPCSTR m_lpszTemplateName = nullptr;
    CWnd* m_pParentWnd = nullptr;

    DECLARE_MESSAGE_MAP()

private:
    // The template's bytes in the application's resources, or null.
    const DLGTEMPLATE* LoadTemplate(LPCSTR lpszTemplateName) const;
    // Makes the dialog window attached to this object, owned by hWndOwner.
    HWND CreateFromTemplate(const DLGTEMPLATE* pTemplate, HWND hWndOwner);
    // The window that should own the dialog: the parent's top-level window, or the
    // application's main window when that is another window.
    HWND OwnerWindow() const;
    // The modal loop: runs until EndDialog or WM_QUIT; FALSE for WM_QUIT.
    BOOL RunModalLoop();

    BOOL m_bEnded = FALSE;
    INT_PTR m_nResult = -1;

    friend INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM);
};

// The framework's dialog procedure: calls OnInitDialog at WM_INITDIALOG; everything else is
// handled by the object's message map before the dialog manager sees it.
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
