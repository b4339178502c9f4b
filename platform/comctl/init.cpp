// InitCommonControls: registers the common control classes this library has.
#include "comctl/tooltip.h"

namespace qv::comctl {

void RegisterToolTipClass() {
    WNDCLASSA wc{};
    if (GetClassInfoA(nullptr, TOOLTIPS_CLASSA, &wc))
        return;
    wc.style = CS_GLOBALCLASS | CS_DBLCLKS | CS_SAVEBITS;
    wc.lpfnWndProc = ToolTipProc;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = TOOLTIPS_CLASSA;
    // Two threads asking at once: the second finds the class registered, which is as good.
    RegisterClassA(&wc);
}

} // namespace qv::comctl

void WINAPI InitCommonControls(void) { qv::comctl::RegisterToolTipClass(); }

BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* picce) {
    if (!picce || picce->dwSize != sizeof(INITCOMMONCONTROLSEX))
        return FALSE;
    // The tool tip belongs to the bar and the tab classes.
    if (picce->dwICC & (ICC_BAR_CLASSES | ICC_TAB_CLASSES))
        qv::comctl::RegisterToolTipClass();
    return TRUE;
}
