// VARIANTs: initialising, clearing (which frees what the variant owns) and copying.
#include <oleauto.h>

namespace {

// True for the types a variant can hold by value here; arrays and records are not supported.
bool IsSupportedType(VARTYPE vt) {
    if (vt & VT_BYREF)
        return !(vt & (VT_ARRAY | VT_VECTOR | VT_RESERVED));
    switch (vt) {
    case VT_EMPTY: case VT_NULL: case VT_I2: case VT_I4: case VT_R4: case VT_R8: case VT_CY:
    case VT_DATE: case VT_BSTR: case VT_DISPATCH: case VT_ERROR: case VT_BOOL: case VT_UNKNOWN:
    case VT_DECIMAL: case VT_I1: case VT_UI1: case VT_UI2: case VT_UI4: case VT_I8: case VT_UI8:
    case VT_INT: case VT_UINT:
        return true;
    default:
        return false;
    }
}

} // namespace

void WINAPI VariantInit(VARIANTARG* pvarg) {
    if (pvarg)
        pvarg->vt = VT_EMPTY;
}

HRESULT WINAPI VariantClear(VARIANTARG* pvarg) {
    if (!pvarg)
        return E_INVALIDARG;
    if (!IsSupportedType(pvarg->vt))
        return DISP_E_BADVARTYPE;
    switch (pvarg->vt) {
    case VT_BSTR:
        SysFreeString(pvarg->bstrVal);
        break;
    case VT_DISPATCH:
    case VT_UNKNOWN:
        if (pvarg->punkVal)
            pvarg->punkVal->Release();
        break;
    default:
        break;
    }
    pvarg->vt = VT_EMPTY;
    return S_OK;
}

HRESULT WINAPI VariantCopy(VARIANTARG* pvargDest, const VARIANTARG* pvargSrc) {
    if (!pvargDest || !pvargSrc)
        return E_INVALIDARG;
    if (pvargDest == pvargSrc)
        return S_OK;
    if (!IsSupportedType(pvargSrc->vt))
        return DISP_E_BADVARTYPE;
    const HRESULT cleared = VariantClear(pvargDest);
    if (FAILED(cleared))
        return cleared;
    VARIANTARG copy = *pvargSrc;
    switch (copy.vt) {
    case VT_BSTR:
        if (pvargSrc->bstrVal) {
            copy.bstrVal = SysAllocStringLen(pvargSrc->bstrVal, SysStringLen(pvargSrc->bstrVal));
            if (!copy.bstrVal)
                return E_OUTOFMEMORY;
        }
        break;
    case VT_DISPATCH:
    case VT_UNKNOWN:
        if (copy.punkVal)
            copy.punkVal->AddRef();
        break;
    default:
        break;
    }
    *pvargDest = copy;
    return S_OK;
}
