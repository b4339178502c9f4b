// The main window's initialisation: it runs once, after the window and its controls exist
// and before the window is first shown, and sets everything in motion.
// Winsock's header comes before the Windows header that the framework includes.
#include <winsock2.h>

#include "framework/CMenu.h"
#include "framework/CWinApp.h"
#include "net/LocalAddresses.h"
#include "res/resource.h"
#include "ui/CTarnwickDlg.h"
#include "ui/MainWindowIds.h"

#include <cstdio>

namespace {
const char* const ClientName = "Quorva";
}

BOOL CTarnwickDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    if (CMenu* systemMenu = GetSystemMenu(FALSE)) {
        char about[256] = "";
        LoadStringA(AfxGetInstanceHandle(), IDS_ABOUTBOX, about, sizeof about);
        if (about[0]) {
            systemMenu->AppendMenu(MF_SEPARATOR, 0, nullptr);
            systemMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, about);
        }
    }

    LoadWindowSettings();
    LoadInterfaceList();

    SetTimer(TIMER_STATUS, 1000, nullptr);

    CenterWindow(CWnd::FromHandle(::GetDesktopWindow()));

    char tip[64];
    std::snprintf(tip, sizeof tip, "Run %s", ClientName);
    RunClientButton.SetTipText(tip, TRUE);
    std::snprintf(tip, sizeof tip, "Accelerate %s", ClientName);
    AccelerateButton.SetTipText(tip, TRUE);
    QuitButton.SetTipText("Exit", TRUE);
    MinimizeButton.SetTipText("Save", TRUE);

    WSADATA sockets;
    WSAStartup(0x0101, &sockets);
    LocalAddressCount = ReadLocalAddresses(LocalAddressTable, LocalAddressCapacity);
    // The program always starts in accelerated mode, with the toggle shown pressed.
    ToggleAcceleration();
    AccelerateButton.SendMessage(BM_SETCHECK, 1, 0);

    return TRUE;
}
