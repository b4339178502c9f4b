// The main window: a fixed-size dialog on template 102 with the accelerated-mode toggle, the
// command buttons, the connection figures and the network interface box. It also receives
// every command of the tray menu.
#pragma once
#include "controls/CButtonST.h"
#include "framework/CComboBox.h"
#include "framework/CDialog.h"
#include "net/ElapsedClock.h"

#include <array>
#include <string>
#include <vector>

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

    // The network interface box and the counters of the chosen interface.
    void LoadInterfaceList();
    // The once-a-second status refresh and its connected-time clock.
    void HandleTimer(UINT_PTR nIDEvent);
    void RefreshStatus();
    void AdvanceConnectedClock();
    // Accelerated mode: the toggle and its clock.
    void AdvanceAcceleratedClock();

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
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void ToggleAcceleration();
    afx_msg void OnInterfaceSelected();

    DECLARE_MESSAGE_MAP()

private:
    void ShowAboutBox();
    // Reads the interface table into InterfaceTable, growing it to the size the platform asks
    // for; any other failure leaves the previous table in place.
    void ReadInterfaceTable();
    // A zeroed buffer of InterfaceTableSize bytes.
    void AllocateInterfaceTable();
    // Shows the byte counters of the interface that the selected entry stands for; when the
    // selection names no listed interface the texts stay as they are.
    void ShowSelectedCounters();

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
    ElapsedClock AcceleratedClock;
    ElapsedClock ConnectedClock;
    // The interface table as GetIfTable writes it, in DWORDs so that it is aligned; empty
    // until the list is built.
    std::vector<DWORD> InterfaceTable;
    ULONG InterfaceTableSize = 0;
    int SelectedInterface = 0;
    CComboBox InterfaceBox;
    // Slot k: the table row that box entry k stands for; only the first ListedInterfaceCount
    // slots are written.
    std::array<int, 256> InterfaceRowOfEntry;
    int ListedInterfaceCount = 0;
};
