// OLE: the COM library, automation, and the OLE functions on top of them.
#pragma once
#include <objbase.h>
#include <oleauto.h>

HRESULT WINAPI OleInitialize(LPVOID pvReserved);
void WINAPI OleUninitialize(void);
HRESULT WINAPI OleRun(LPUNKNOWN pUnknown);
