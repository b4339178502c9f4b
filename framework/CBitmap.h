// A bitmap (HBITMAP).
#pragma once
#include "framework/CGdiObject.h"

#include <windows.h>

class CDC;

class CBitmap : public CGdiObject {
public:
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
    static CBitmap* FromHandle(HBITMAP hBitmap);

    // A bitmap of nWidth by nHeight pixels in the format of pDC's device.
    BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
    int GetBitmap(BITMAP* pBitMap) const;
};
