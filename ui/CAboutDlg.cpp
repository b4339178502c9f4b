#include "ui/CAboutDlg.h"

#include "framework/CDC.h"
#include "framework/CDataExchange.h"
#include "res/resource.h"

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX, nullptr) {}

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

void CAboutDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, OkButton);
}

BOOL CAboutDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    return TRUE;
}

BOOL CAboutDlg::OnEraseBkgnd(CDC* pDC) { return CDialog::OnEraseBkgnd(pDC); }
