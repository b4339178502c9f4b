#include "framework/CBitmap.h"

#include "framework/CDC.h"

#include <windows.h>

CBitmap* CBitmap::FromHandle(HBITMAP hBitmap) {
    return FromHandleAs<CBitmap>(hBitmap);
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight) {
    return Attach(::CreateCompatibleBitmap(pDC ? pDC->m_hDC : nullptr, nWidth, nHeight));
}

int CBitmap::GetBitmap(BITMAP* pBitMap) const {
    return GetObject(sizeof(BITMAP), pBitMap);
}
