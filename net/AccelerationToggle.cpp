// The accelerated-mode toggle and the clock of the time spent in that mode.
// Winsock's header comes before the Windows header that the framework includes.
#include "net/CaptureSocket.h"

#include "framework/CWinThread.h"
#include "ui/CTarnwickDlg.h"
#include "ui/MainWindowIds.h"

void CTarnwickDlg::ToggleAcceleration() {
    if (AccelerationActive == 0) {
        AccelerationActive = 1;
        OpenCaptureSocket();
        // The watcher drains the socket this switch-on opened, whatever became of it.
        AfxBeginThread(CaptureWatcher, reinterpret_cast<LPVOID>(CaptureSocket.load()), THREAD_PRIORITY_NORMAL, 0, 0,
                       nullptr);
        SetTimer(TIMER_ACCELERATED, 1000, nullptr);
        AccelerateButton.SetWindowText("State: Activated\nPush to stop");
    } else {
        AccelerationActive = 0;
        KillTimer(TIMER_ACCELERATED);
        AccelerateButton.SetWindowText("State: Stopped\nPush to activate acceleration");
    }
}

void CTarnwickDlg::AdvanceAcceleratedClock() {
    AcceleratedClock.Advance();
    AcceleratedTimeText = AcceleratedClock.Text();
    UpdateData(FALSE);
}
