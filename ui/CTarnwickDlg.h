// The main window: a fixed-size dialog on template 102 with the accelerated-mode toggle, the
// command buttons, the connection figures and the network interface box. It also receives
// every command of the tray menu.
#pragma once
#include "controls/CButtonST.h"
#include "framework/CComboBox.h"
#include "framework/CDialog.h"

#include <string>

class CTarnwickDlg : public CDialog {
public:
    CTarnwickDlg();
    ~CTarnwickDlg() override = default;

    // Settings in the registry (the product key and the start-with-Windows entry).
    void LoadAutoResume();
    void LoadRunOtherApp();
    void LoadWindowSettings();
    void SaveWindowSettings();
    void WriteFlag(LPCSTR valueName, bool flag);
    void WriteRunAtStartup();
    void DeleteRunAtStartup();
    bool IsRunAtStartupPresent();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnQuitApplication();
    afx_msg void OnAbout();
    afx_msg void OnExit();

    DECLARE_MESSAGE_MAP()

private:
    void ShowAboutBox();

    HICON WindowIcon = nullptr;
    bool AutoResumeFlag = false;
    bool RunAtStartupFlag = false;
    CButtonST QuitButton;
    CButtonST MinimizeButton;
    CButtonST AccelerateButton;
    std::string InterfaceNameText;
    std::string BytesReceivedText;
    std::string BytesSentText;
    std::string ConnectedTimeText;
    std::string ConnectionStatusText;
    CButtonST RunClientButton;
    std::string ConnectionTypeText;
    bool RunOtherAppFlag = false;
    std::string CheckPeriodNumText;
    std::string AccelerateNText;
    std::string AcceleratedTimeText = " 0 hrs :  0 mins :  0 secs";
    int SelectedInterface = 0;
    CComboBox InterfaceBox;
};
