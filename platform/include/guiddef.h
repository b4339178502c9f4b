// Globally unique identifiers: GUID, IID and CLSID, their comparison and DEFINE_GUID.
#pragma once
#include <windef.h>

#include <string.h>

#ifndef GUID_DEFINED
#define GUID_DEFINED
typedef struct _GUID {
    DWORD Data1;
    WORD Data2;
    WORD Data3;
    BYTE Data4[8];
} GUID;
#endif

typedef GUID* LPGUID;
typedef const GUID* LPCGUID;
typedef GUID IID;
typedef IID* LPIID;
typedef GUID CLSID;
typedef CLSID* LPCLSID;
typedef GUID FMTID;
typedef const GUID& REFGUID;
typedef const IID& REFIID;
typedef const CLSID& REFCLSID;
typedef const FMTID& REFFMTID;

// Declares a GUID; the translation unit that defines INITGUID first defines it.
#ifdef INITGUID
#define DEFINE_GUID(name, l, w1, w2, b1, b2, b3, b4, b5, b6, b7, b8)                               \
    extern const GUID name = {l, w1, w2, {b1, b2, b3, b4, b5, b6, b7, b8}}
#else
#define DEFINE_GUID(name, l, w1, w2, b1, b2, b3, b4, b5, b6, b7, b8) extern const GUID name
#endif

inline BOOL IsEqualGUID(REFGUID rguid1, REFGUID rguid2) {
    return memcmp(&rguid1, &rguid2, sizeof(GUID)) == 0;
}
#define IsEqualIID(riid1, riid2) IsEqualGUID(riid1, riid2)
#define IsEqualCLSID(rclsid1, rclsid2) IsEqualGUID(rclsid1, rclsid2)

inline bool operator==(REFGUID guidOne, REFGUID guidOther) { return !!IsEqualGUID(guidOne, guidOther); }
inline bool operator!=(REFGUID guidOne, REFGUID guidOther) { return !(guidOne == guidOther); }
