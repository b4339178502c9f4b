// OLE's initialisation (COM in a single-threaded apartment) and OleRun.
#include <ole2.h>

HRESULT WINAPI OleInitialize(LPVOID pvReserved) {
    return CoInitializeEx(pvReserved, COINIT_APARTMENTTHREADED);
}

void WINAPI OleUninitialize(void) { CoUninitialize(); }

// An object without IRunnableObject is always running.
HRESULT WINAPI OleRun(LPUNKNOWN pUnknown) {
    if (!pUnknown)
        return E_INVALIDARG;
    IRunnableObject* runnable = nullptr;
    if (FAILED(pUnknown->QueryInterface(IID_IRunnableObject, reinterpret_cast<void**>(&runnable))) || !runnable)
        return S_OK;
    const HRESULT hr = runnable->Run(nullptr);
    runnable->Release();
    return hr;
}
