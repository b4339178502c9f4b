// The automation client: holds an IDispatch of a component created by ProgID or class identifier
// and calls its methods and properties by dispatch identifier.
#pragma once
#include <windows.h>
#include <ole2.h>

#include <stdarg.h>

// Parameter descriptors for InvokeHelper: one byte per argument, as a BYTE array, e.g.
// static const BYTE parms[] = VTS_I4 VTS_BSTR;
#define VTS_NONE ""
#define VTS_I2 "\x02"
#define VTS_I4 "\x03"
#define VTS_R4 "\x04"
#define VTS_R8 "\x05"
#define VTS_DATE "\x07"
#define VTS_BSTR "\x08" // a narrow string (LPCSTR), passed as a BSTR
#define VTS_DISPATCH "\x09"
#define VTS_SCODE "\x0A"
#define VTS_BOOL "\x0B"
#define VTS_VARIANT "\x0C" // const VARIANT*
#define VTS_UNKNOWN "\x0D"
#define VTS_I1 "\x10"
#define VTS_UI1 "\x11"
#define VTS_UI2 "\x12"
#define VTS_UI4 "\x13"

class COleDispatchDriver {
public:
    COleDispatchDriver() = default;
    explicit COleDispatchDriver(LPDISPATCH lpDispatch, BOOL bAutoRelease = TRUE);
    COleDispatchDriver(const COleDispatchDriver& dispatchSrc);
    COleDispatchDriver& operator=(const COleDispatchDriver& dispatchSrc);
    ~COleDispatchDriver();

    LPDISPATCH m_lpDispatch = nullptr;
    // Whether the driver releases m_lpDispatch when it lets it go.
    BOOL m_bAutoRelease = TRUE;

    // Creates the component, puts it into the running state and keeps its IDispatch. FALSE, holding
    // nothing, on any failure.
    BOOL CreateDispatch(REFCLSID clsid);
    BOOL CreateDispatch(LPCSTR lpszProgID);

    void AttachDispatch(LPDISPATCH lpDispatch, BOOL bAutoRelease = TRUE);
    // Hands m_lpDispatch to the caller, with its reference.
    LPDISPATCH DetachDispatch();
    void ReleaseDispatch();

    // Calls a method or property with the arguments that pbParamInfo describes. vtRet VT_EMPTY asks
    // for no result; otherwise pvRet receives a result of that type (VT_I2 SHORT*, VT_I4 LONG*,
    // VT_BOOL BOOL*, VT_ERROR SCODE*, VT_DISPATCH LPDISPATCH*, VT_UNKNOWN LPUNKNOWN*, VT_VARIANT
    // VARIANT*).
    void InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const BYTE* pbParamInfo, ...);
    void InvokeHelperV(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const BYTE* pbParamInfo,
                       va_list argList);
};
