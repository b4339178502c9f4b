// The main window's initialisation: it runs once, after the window and its controls exist
// and before the window is first shown, and sets everything in motion.
#include "framework/CMenu.h"
#include "framework/CWinApp.h"
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

    CenterWindow(CWnd::FromHandle(::GetDesktopWindow()));

    char tip[64];
    std::snprintf(tip, sizeof tip, "Run %s", ClientName);
    RunClientButton.SetTipText(tip, TRUE);
    std::snprintf(tip, sizeof tip, "Accelerate %s", ClientName);
    AccelerateButton.SetTipText(tip, TRUE);
    QuitButton.SetTipText("Exit", TRUE);
    MinimizeButton.SetTipText("Save", TRUE);

    return TRUE;
}
