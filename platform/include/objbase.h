// The COM library: apartments, class identifiers and object creation.
#pragma once
#include <wtypes.h>
#include <unknwn.h>
#include <objidl.h>

#ifndef RPC_E_CHANGED_MODE
#define RPC_E_CHANGED_MODE ((HRESULT)0x80010106L)
#endif
#ifndef CLASS_E_CLASSNOTAVAILABLE
#define CLASS_E_CLASSNOTAVAILABLE ((HRESULT)0x80040111L)
#endif

DEFINE_GUID(GUID_NULL, 0x00000000, 0x0000, 0x0000, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00);
#define IID_NULL GUID_NULL
#define CLSID_NULL GUID_NULL

typedef enum tagCOINIT {
    COINIT_MULTITHREADED = 0x0,
    COINIT_APARTMENTTHREADED = 0x2,
    COINIT_DISABLE_OLE1DDE = 0x4,
    COINIT_SPEED_OVER_MEMORY = 0x8,
} COINIT;

// Remote activation is not implemented; the types are only passed through.
struct _COAUTHINFO;
typedef struct _COSERVERINFO {
    DWORD dwReserved1;
    LPWSTR pwszName;
    struct _COAUTHINFO* pAuthInfo;
    DWORD dwReserved2;
} COSERVERINFO;

HRESULT WINAPI CoInitialize(LPVOID pvReserved);
HRESULT WINAPI CoInitializeEx(LPVOID pvReserved, DWORD dwCoInit);
void WINAPI CoUninitialize(void);

HRESULT WINAPI CLSIDFromProgID(LPCOLESTR lpszProgID, LPCLSID lpclsid);
HRESULT WINAPI CLSIDFromString(LPCOLESTR lpsz, LPCLSID pclsid);
int WINAPI StringFromGUID2(REFGUID rguid, LPOLESTR lpsz, int cchMax);

HRESULT WINAPI CoGetClassObject(REFCLSID rclsid, DWORD dwClsContext, COSERVERINFO* pServerInfo, REFIID riid,
                                LPVOID* ppv);
HRESULT WINAPI CoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD dwClsContext, REFIID riid,
                                LPVOID* ppv);
