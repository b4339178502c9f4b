// The main window's timers and the once-a-second status refresh: the connected-time clock, the
// chosen interface's byte counters and the connection state.
#include "framework/CException.h"
#include "ui/CTarnwickDlg.h"
#include "ui/MainWindowIds.h"

#include <wininet.h>

// The framework routes WM_TIMER to OnTimer.
void CTarnwickDlg::OnTimer(UINT_PTR nIDEvent) { HandleTimer(nIDEvent); }

void CTarnwickDlg::HandleTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == TIMER_STATUS)
        RefreshStatus();
    else if (nIDEvent == TIMER_ACCELERATED)
        AdvanceAcceleratedClock();
}

void CTarnwickDlg::AdvanceConnectedClock() {
    ConnectedClock.Advance();
    ConnectedTimeText = ConnectedClock.Text();
    UpdateData(FALSE);
}

void CTarnwickDlg::RefreshStatus() {
    UpdateData(TRUE);
    AdvanceConnectedClock();
    ReadInterfaceTable();
    ShowSelectedCounters();

    try {
        DWORD flags = 0;
        if (InternetGetConnectedState(&flags, 0)) {
            ConnectionTypeText.clear();
            ConnectionStatusText = " Connected";
            if (flags & INTERNET_CONNECTION_LAN)
                ConnectionTypeText += " LAN ";
            if (flags & INTERNET_CONNECTION_MODEM)
                ConnectionTypeText += " Modem ";
            if (flags & INTERNET_CONNECTION_OFFLINE)
                ConnectionTypeText += " Offline ";
            if (flags & INTERNET_CONNECTION_PROXY)
                ConnectionTypeText += " Proxy ";
        } else {
            // The type of the last connected refresh stays.
            ConnectionStatusText = "N/A";
        }
        UpdateData(FALSE);
    } catch (const CException&) {
        // The next tick refreshes again.
    }
}
