#include "framework/CDialog.h"

#include "framework/CDataExchange.h"
#include "framework/CException.h"
#include "framework/CWinApp.h"
#include "framework/TempMaps.h"
#include "framework/WndCreateHook.h"

#include <windows.h>

// clang-format off
BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, &CDialog::OnOK)
    ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()
// clang-format on

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCEA(nIDTemplate)), m_pParentWnd(pParentWnd) {}

CDialog::CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_pParentWnd(pParentWnd) {}

const DLGTEMPLATE* CDialog::LoadTemplate(LPCSTR lpszTemplateName) const {
    if (!lpszTemplateName)
        return nullptr;
    HINSTANCE hInstance = AfxGetInstanceHandle();
    HRSRC hResource = ::FindResourceA(hInstance, lpszTemplateName, RT_DIALOG);
    HGLOBAL hTemplate = hResource ? ::LoadResource(hInstance, hResource) : nullptr;
    return hTemplate ? static_cast<const DLGTEMPLATE*>(::LockResource(hTemplate)) : nullptr;
}

HWND CDialog::CreateFromTemplate(const DLGTEMPLATE* pTemplate, HWND hWndOwner) {
    if (m_hWnd) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    m_bEnded = FALSE;
    m_nResult = -1;
    CWndCreateHook hook(this);
    if (!hook.IsInstalled())
        return nullptr;
    return ::CreateDialogIndirectParamA(AfxGetInstanceHandle(), pTemplate, hWndOwner, &AfxDlgProc,
                                        0);
}

HWND CDialog::OwnerWindow() const {
    HWND hWndOwner = nullptr;
    if (m_pParentWnd) {
        hWndOwner = m_pParentWnd->m_hWnd;
    } else if (CWnd* pMainWnd = AfxGetMainWnd(); pMainWnd && pMainWnd != this) {
        // While the main dialog runs, it is the main window itself and has no owner.
        hWndOwner = pMainWnd->m_hWnd;
    }
    if (!hWndOwner || !::IsWindow(hWndOwner))
        return nullptr;
    // Only a top-level window can own a dialog.
    return ::GetAncestor(hWndOwner, GA_ROOT);
}

INT_PTR CDialog::DoModal() {
    const DLGTEMPLATE* pTemplate = LoadTemplate(m_lpszTemplateName);
    if (!pTemplate)
        return -1;
    HWND hWndOwner = OwnerWindow();
    BOOL bDisabledOwner = hWndOwner && ::IsWindowEnabled(hWndOwner);
    if (bDisabledOwner)
        ::EnableWindow(hWndOwner, FALSE);

    INT_PTR nResult = -1;
    if (HWND hWnd = CreateFromTemplate(pTemplate, hWndOwner)) {
        // OnInitDialog may already have ended the dialog, or destroyed it.
        if (::IsWindow(hWnd) && !m_bEnded && !::IsWindowVisible(hWnd))
            ::ShowWindow(hWnd, SW_SHOWNORMAL);
        RunModalLoop();
        if (::IsWindow(hWnd) && m_bEnded)
            nResult = m_nResult;
        // The owner takes input again before the dialog goes, so that it becomes active.
        if (bDisabledOwner)
            ::EnableWindow(hWndOwner, TRUE);
        bDisabledOwner = FALSE;
        // The hidden dialog gave up the activation while its owner could not take it.
        if (hWndOwner && (::GetActiveWindow() == hWnd || !::GetActiveWindow()))
            ::SetActiveWindow(hWndOwner);
        if (::IsWindow(hWnd))
            DestroyWindow();
    }
    if (bDisabledOwner)
        ::EnableWindow(hWndOwner, TRUE);
    return nResult;
}

BOOL CDialog::RunModalLoop() {
    HWND hWnd = m_hWnd;
    CWinApp* pApp = AfxGetApp();
    // The window going away (its object perhaps with it) ends the loop as EndDialog does.
    while (::IsWindow(hWnd) && !m_bEnded) {
        MSG msg;
        if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE))
            AfxDeleteTempMaps();
        BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == -1)
            return FALSE;
        if (!got) {
            // The quit message belongs to the enclosing loop.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return FALSE;
        }
        BOOL bTaken = pApp ? pApp->PreTranslateChain(&msg) : CWnd::WalkPreTranslateTree(&msg);
        if (!bTaken) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    return TRUE;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
    return Create(MAKEINTRESOURCEA(nIDTemplate), pParentWnd);
}

BOOL CDialog::Create(LPCSTR lpszTemplateName, CWnd* pParentWnd) {
    m_lpszTemplateName = lpszTemplateName;
    m_pParentWnd = pParentWnd;
    const DLGTEMPLATE* pTemplate = LoadTemplate(lpszTemplateName);
    if (!pTemplate) {
        ::SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return FALSE;
    }
    return CreateFromTemplate(pTemplate, pParentWnd ? pParentWnd->m_hWnd : nullptr) != nullptr;
}

void CDialog::EndDialog(int nResult) {
    m_bEnded = TRUE;
    m_nResult = nResult;
    if (m_hWnd)
        ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (const CUserException&) {
        return FALSE;
    }
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
    // Keys are the dialog manager's business (Tab, Enter, Esc, mnemonics); the rest is
    // dispatched as usual.
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST || !m_hWnd)
        return FALSE;
    if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd))
        return FALSE;
    return ::IsDialogMessageA(m_hWnd, pMsg);
}

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT nMsg, WPARAM, LPARAM) {
    if (nMsg != WM_INITDIALOG)
        return FALSE;
    auto* pDlg = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(hWnd));
    // TRUE lets the dialog manager give the focus to the first control.
    return pDlg ? pDlg->OnInitDialog() : TRUE;
}
