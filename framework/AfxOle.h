// The application's OLE start-up calls.
#pragma once
#include <windows.h>

// Records that the application hosts controls (the dialogs may contain them).
void AfxEnableControlContainer();
// Whether AfxEnableControlContainer was called.
BOOL AfxIsControlContainerEnabled();
// Initialises OLE on the calling thread; FALSE when it cannot.
BOOL AfxOleInit();
