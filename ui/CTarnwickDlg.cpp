#include "ui/CTarnwickDlg.h"

#include "framework/CDC.h"
#include "framework/CWinApp.h"
#include "framework/CDataExchange.h"
#include "framework/CPaintDC.h"
#include "res/resource.h"
#include "ui/CAboutDlg.h"
#include "ui/MainWindowIds.h"

CTarnwickDlg::CTarnwickDlg() : CDialog(IDD_QUORVA_DIALOG, nullptr) {
    WindowIcon = LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME));
    LoadAutoResume();
}

void CTarnwickDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDCANCEL, MinimizeButton);
    DDX_Control(pDX, IDC_ACCELERATE, AccelerateButton);
    DDX_Control(pDX, IDC_QUIT, QuitButton);
    DDX_Text(pDX, IDC_BYTES_RECEIVED, BytesReceivedText);
    DDX_Text(pDX, IDC_BYTES_SENT, BytesSentText);
    DDX_Text(pDX, IDC_CONNECTED_TIME, ConnectedTimeText);
    DDX_Text(pDX, IDC_CONNECTION_STATUS, ConnectionStatusText);
    DDX_Control(pDX, IDC_RUN_QUORVA, RunClientButton);
    DDX_Text(pDX, IDC_CONNECTION_TYPE, ConnectionTypeText);
    DDX_Text(pDX, IDC_ACCELERATED_TIME, AcceleratedTimeText);
    DDX_Control(pDX, IDC_INTERFACE_BOX, InterfaceBox);
}

BEGIN_MESSAGE_MAP(CTarnwickDlg, CDialog)
    ON_WM_SYSCOMMAND()
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_WM_CTLCOLOR()
    ON_WM_ERASEBKGND()
    ON_WM_TIMER()
    ON_BN_CLICKED(IDC_ACCELERATE, &CTarnwickDlg::ToggleAcceleration)
    ON_COMMAND(IDC_QUIT, &CTarnwickDlg::OnQuitApplication)
    ON_CBN_SELCHANGE(IDC_INTERFACE_BOX, &CTarnwickDlg::OnInterfaceSelected)
    ON_COMMAND(ID_TRAY_ABOUT, &CTarnwickDlg::OnAbout)
    ON_COMMAND(ID_TRAY_EXIT, &CTarnwickDlg::OnExit)
END_MESSAGE_MAP()

void CTarnwickDlg::ShowAboutBox() {
    CAboutDlg about;
    about.DoModal();
}

void CTarnwickDlg::OnSysCommand(UINT nID, LPARAM lParam) {
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        ShowAboutBox();
        return;
    }
    CDialog::OnSysCommand(nID, lParam);
}

void CTarnwickDlg::OnPaint() {
    if (!IsIconic()) {
        CDialog::OnPaint();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    int cxIcon = GetSystemMetrics(SM_CXICON);
    int cyIcon = GetSystemMetrics(SM_CYICON);
    RECT rect;
    GetClientRect(&rect);
    // Signed divisions that truncate toward zero.
    int x = (rect.right - rect.left - cxIcon + 1) / 2;
    int y = (rect.bottom - rect.top - cyIcon + 1) / 2;
    dc.DrawIcon(x, y, WindowIcon);
}

HCURSOR CTarnwickDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(WindowIcon); }

HBRUSH CTarnwickDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    if (nCtlColor == CTLCOLOR_STATIC) {
        // Labels and figures draw over the dialog's own background.
        pDC->SetBkMode(TRANSPARENT);
        return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    }
    return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}

BOOL CTarnwickDlg::OnEraseBkgnd(CDC* pDC) { return CDialog::OnEraseBkgnd(pDC); }

void CTarnwickDlg::OnQuitApplication() {
    KillTimer(TIMER_STATUS);
    CDialog::OnCancel();
}

void CTarnwickDlg::OnAbout() { ShowAboutBox(); }

void CTarnwickDlg::OnExit() {
    KillTimer(TIMER_STATUS);
    EndDialog(0);
}
