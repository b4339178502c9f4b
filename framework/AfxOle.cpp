#include "framework/AfxOle.h"

#include <windows.h>
#include <ole2.h>

namespace {
BOOL g_bControlContainer = FALSE;
}

void AfxEnableControlContainer() { g_bControlContainer = TRUE; }

BOOL AfxIsControlContainerEnabled() { return g_bControlContainer; }

BOOL AfxOleInit() { return SUCCEEDED(OleInitialize(nullptr)); }
