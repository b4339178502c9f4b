// OLE automation's functions: BSTR allocation, VARIANT handling and the IDispatch::Invoke flags.
#pragma once
#include <oaidl.h>

#define DISPATCH_METHOD 0x1
#define DISPATCH_PROPERTYGET 0x2
#define DISPATCH_PROPERTYPUT 0x4
#define DISPATCH_PROPERTYPUTREF 0x8

#define V_VT(X) ((X)->vt)
#define V_ISBYREF(X) (V_VT(X) & VT_BYREF)
#define V_I2(X) ((X)->iVal)
#define V_I4(X) ((X)->lVal)
#define V_BOOL(X) ((X)->boolVal)
#define V_BSTR(X) ((X)->bstrVal)
#define V_UNKNOWN(X) ((X)->punkVal)
#define V_DISPATCH(X) ((X)->pdispVal)
#define V_ERROR(X) ((X)->scode)
#define V_BYREF(X) ((X)->byref)

BSTR WINAPI SysAllocString(const OLECHAR* psz);
BSTR WINAPI SysAllocStringLen(const OLECHAR* strIn, UINT ui);
void WINAPI SysFreeString(BSTR bstrString);
UINT WINAPI SysStringLen(BSTR pbstr);
UINT WINAPI SysStringByteLen(BSTR bstr);

void WINAPI VariantInit(VARIANTARG* pvarg);
HRESULT WINAPI VariantClear(VARIANTARG* pvarg);
HRESULT WINAPI VariantCopy(VARIANTARG* pvargDest, const VARIANTARG* pvargSrc);
