// The application object: its instance initialisation prepares the common controls, COM and
// the skin engine, then runs the main window as a modal dialog.
#pragma once
#include "framework/COleDispatchDriver.h"
#include "framework/CWinApp.h"

class CTarnwickApp : public CWinApp {
public:
    CTarnwickApp();

    BOOL InitInstance() override;
    int ExitInstance() override;

protected:
    DECLARE_MESSAGE_MAP()

private:
    // The skin engine's automation client; kept for the life of the process, never released.
    COleDispatchDriver* SkinEngine = nullptr;
};
