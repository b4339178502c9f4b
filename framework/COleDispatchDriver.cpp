#include "framework/COleDispatchDriver.h"

#include <windows.h>
#include <ole2.h>
#include <winnls.h>

#include <vector>

namespace {

// The argument of descriptor byte `type` taken from `args` into `arg`; a narrow string becomes a
// new BSTR (null for a null string) that the caller frees. False for a descriptor this driver
// does not know.
bool TakeArgument(BYTE type, va_list& args, VARIANT& arg) {
    VariantInit(&arg);
    switch (type) {
    case VT_I2:
        arg.iVal = static_cast<SHORT>(va_arg(args, int));
        break;
    case VT_I4:
        arg.lVal = va_arg(args, LONG);
        break;
    case VT_R4:
        arg.fltVal = static_cast<FLOAT>(va_arg(args, double));
        break;
    case VT_R8:
        arg.dblVal = va_arg(args, double);
        break;
    case VT_DATE:
        arg.date = va_arg(args, DATE);
        break;
    case VT_BSTR: {
        LPCSTR text = va_arg(args, LPCSTR);
        const int length = text ? MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0) : 0;
        arg.bstrVal = nullptr;
        if (length > 0) {
            std::vector<OLECHAR> wide(static_cast<size_t>(length));
            MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
            arg.bstrVal = SysAllocString(wide.data());
        }
        break;
    }
    case VT_DISPATCH:
        arg.pdispVal = va_arg(args, LPDISPATCH);
        break;
    case VT_ERROR:
        arg.scode = va_arg(args, SCODE);
        break;
    case VT_BOOL:
        arg.boolVal = va_arg(args, BOOL) ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    case VT_VARIANT:
        // The caller's variant is passed as it is and stays the caller's.
        arg = *va_arg(args, const VARIANT*);
        return true;
    case VT_UNKNOWN:
        arg.punkVal = va_arg(args, LPUNKNOWN);
        break;
    case VT_I1:
        arg.cVal = static_cast<CHAR>(va_arg(args, int));
        break;
    case VT_UI1:
        arg.bVal = static_cast<BYTE>(va_arg(args, int));
        break;
    case VT_UI2:
        arg.uiVal = static_cast<USHORT>(va_arg(args, int));
        break;
    case VT_UI4:
        arg.ulVal = va_arg(args, ULONG);
        break;
    default:
        return false;
    }
    arg.vt = type;
    return true;
}

// Stores a result of type `vtRet` at `pvRet`, handing over what the result owns; false when the
// component answered with another type.
bool StoreResult(VARIANT& result, VARTYPE vtRet, void* pvRet) {
    if (vtRet == VT_VARIANT) {
        *static_cast<VARIANT*>(pvRet) = result;
        return true;
    }
    if (result.vt != vtRet)
        return false;
    switch (vtRet) {
    case VT_I2:
        *static_cast<SHORT*>(pvRet) = result.iVal;
        return true;
    case VT_I4:
        *static_cast<LONG*>(pvRet) = result.lVal;
        return true;
    case VT_BOOL:
        *static_cast<BOOL*>(pvRet) = result.boolVal != VARIANT_FALSE;
        return true;
    case VT_ERROR:
        *static_cast<SCODE*>(pvRet) = result.scode;
        return true;
    case VT_DISPATCH:
        *static_cast<LPDISPATCH*>(pvRet) = result.pdispVal;
        return true;
    case VT_UNKNOWN:
        *static_cast<LPUNKNOWN*>(pvRet) = result.punkVal;
        return true;
    default:
        return false;
    }
}

} // namespace

COleDispatchDriver::COleDispatchDriver(LPDISPATCH lpDispatch, BOOL bAutoRelease)
    : m_lpDispatch(lpDispatch), m_bAutoRelease(bAutoRelease) {}

COleDispatchDriver::COleDispatchDriver(const COleDispatchDriver& dispatchSrc)
    : m_lpDispatch(dispatchSrc.m_lpDispatch), m_bAutoRelease(TRUE) {
    if (m_lpDispatch)
        m_lpDispatch->AddRef();
}

COleDispatchDriver& COleDispatchDriver::operator=(const COleDispatchDriver& dispatchSrc) {
    if (this != &dispatchSrc) {
        if (dispatchSrc.m_lpDispatch)
            dispatchSrc.m_lpDispatch->AddRef();
        ReleaseDispatch();
        m_lpDispatch = dispatchSrc.m_lpDispatch;
        m_bAutoRelease = TRUE;
    }
    return *this;
}

COleDispatchDriver::~COleDispatchDriver() { ReleaseDispatch(); }

BOOL COleDispatchDriver::CreateDispatch(REFCLSID clsid) {
    ReleaseDispatch();
    LPUNKNOWN lpUnknown = nullptr;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IUnknown, reinterpret_cast<LPVOID*>(&lpUnknown))))
        return FALSE;
    LPDISPATCH lpDispatch = nullptr;
    HRESULT hr = OleRun(lpUnknown);
    if (SUCCEEDED(hr))
        hr = lpUnknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&lpDispatch));
    lpUnknown->Release();
    if (FAILED(hr) || !lpDispatch)
        return FALSE;
    AttachDispatch(lpDispatch, TRUE);
    return TRUE;
}

BOOL COleDispatchDriver::CreateDispatch(LPCSTR lpszProgID) {
    ReleaseDispatch();
    if (!lpszProgID)
        return FALSE;
    const int length = MultiByteToWideChar(CP_ACP, 0, lpszProgID, -1, nullptr, 0);
    if (length <= 0)
        return FALSE;
    std::vector<OLECHAR> progId(static_cast<size_t>(length));
    MultiByteToWideChar(CP_ACP, 0, lpszProgID, -1, progId.data(), length);
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(progId.data(), &clsid)))
        return FALSE;
    return CreateDispatch(clsid);
}

void COleDispatchDriver::AttachDispatch(LPDISPATCH lpDispatch, BOOL bAutoRelease) {
    ReleaseDispatch();
    m_lpDispatch = lpDispatch;
    m_bAutoRelease = bAutoRelease;
}

LPDISPATCH COleDispatchDriver::DetachDispatch() {
    LPDISPATCH lpDispatch = m_lpDispatch;
    m_lpDispatch = nullptr;
    return lpDispatch;
}

void COleDispatchDriver::ReleaseDispatch() {
    if (m_lpDispatch && m_bAutoRelease)
        m_lpDispatch->Release();
    m_lpDispatch = nullptr;
}

void COleDispatchDriver::InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                                      const BYTE* pbParamInfo, ...) {
    va_list argList;
    va_start(argList, pbParamInfo);
    InvokeHelperV(dwDispID, wFlags, vtRet, pvRet, pbParamInfo, argList);
    va_end(argList);
}

// Failures are not reported: with no component (m_lpDispatch null, e.g. when CreateDispatch
// failed) the call does nothing, and a failed call leaves pvRet as it was. The program calls its
// optional components this way and carries on without them.
void COleDispatchDriver::InvokeHelperV(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                                       const BYTE* pbParamInfo, va_list argList) {
    if (!m_lpDispatch)
        return;
    va_list args;
    va_copy(args, argList);
    std::vector<VARIANT> given;
    std::vector<BSTR> converted;
    bool known = true;
    for (const BYTE* type = pbParamInfo; type && *type && known; ++type) {
        VARIANT arg;
        known = TakeArgument(*type, args, arg);
        if (known) {
            given.push_back(arg);
            if (*type == VT_BSTR)
                converted.push_back(arg.bstrVal);
        }
    }
    va_end(args);
    if (known) {
        // IDispatch::Invoke takes the arguments last first.
        std::vector<VARIANT> reversed(given.rbegin(), given.rend());
        DISPID putId = DISPID_PROPERTYPUT;
        DISPPARAMS params = {reversed.empty() ? nullptr : reversed.data(), nullptr,
                             static_cast<UINT>(reversed.size()), 0};
        if (wFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
            params.rgdispidNamedArgs = &putId;
            params.cNamedArgs = 1;
        }
        VARIANT result;
        VariantInit(&result);
        EXCEPINFO exception = {};
        UINT argErr = 0;
        const HRESULT hr = m_lpDispatch->Invoke(dwDispID, IID_NULL, LOCALE_USER_DEFAULT, wFlags, &params,
                                                vtRet == VT_EMPTY ? nullptr : &result, &exception, &argErr);
        if (hr == DISP_E_EXCEPTION) {
            SysFreeString(exception.bstrSource);
            SysFreeString(exception.bstrDescription);
            SysFreeString(exception.bstrHelpFile);
        }
        if (SUCCEEDED(hr) && vtRet != VT_EMPTY && pvRet && StoreResult(result, vtRet, pvRet))
            VariantInit(&result);
        VariantClear(&result);
    }
    for (BSTR text : converted)
        SysFreeString(text);
}
