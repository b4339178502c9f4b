#include "app/CTarnwickApp.h"

#include "framework/AfxOle.h"
#include "ui/CTarnwickDlg.h"

#include <commctrl.h>

namespace {

// The skin engine's methods, by dispatch id.
constexpr DISPID SkinInitialise = 17;
constexpr DISPID SkinEnable = 1;
constexpr DISPID SkinLoadFile = 2;
constexpr DISPID SkinApply = 18;

} // namespace

BEGIN_MESSAGE_MAP(CTarnwickApp, CWinApp)
    ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

CTarnwickApp::CTarnwickApp() : CWinApp(nullptr) {}

// The one application object.
CTarnwickApp theApp;

BOOL CTarnwickApp::InitInstance() {
    InitCommonControls();
    CWinApp::InitInstance();
    AfxEnableControlContainer();
    SetRegistryKey("Local AppWizard-Generated Applications");

    SkinEngine = new COleDispatchDriver;
    CoInitialize(nullptr);
    // Without the component (never there on Linux) the calls below do nothing, and the
    // program keeps the standard look.
    SkinEngine->CreateDispatch("SkinCrafter.SCSkin3");
    static const BYTE integer[] = VTS_I4;
    static const BYTE text[] = VTS_BSTR;
    static const BYTE none[] = VTS_NONE;
    SkinEngine->InvokeHelper(SkinInitialise, DISPATCH_METHOD, VT_EMPTY, nullptr, integer, 0);
    SkinEngine->InvokeHelper(SkinEnable, DISPATCH_METHOD, VT_EMPTY, nullptr, integer, 1);
    SkinEngine->InvokeHelper(SkinLoadFile, DISPATCH_METHOD, VT_EMPTY, nullptr, text, "Skin.skf");
    SkinEngine->InvokeHelper(SkinApply, DISPATCH_METHOD, VT_EMPTY, nullptr, none);

    CTarnwickDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    return FALSE;
}

int CTarnwickApp::ExitInstance() { return CWinApp::ExitInstance(); }
