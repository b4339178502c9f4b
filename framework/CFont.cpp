#include "framework/CFont.h"

#include "framework/CDC.h"

#include <windows.h>

CFont* CFont::FromHandle(HFONT hFont) {
    return FromHandleAs<CFont>(hFont);
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight,
                       BYTE bItalic, BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet,
                       BYTE nOutPrecision, BYTE nClipPrecision, BYTE nQuality,
                       BYTE nPitchAndFamily, LPCSTR lpszFacename) {
    return Attach(::CreateFontA(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic,
                                bUnderline, cStrikeOut, nCharSet, nOutPrecision, nClipPrecision,
                                nQuality, nPitchAndFamily, lpszFacename));
}

BOOL CFont::CreateFontIndirect(const LOGFONTA* lpLogFont) {
    return Attach(::CreateFontIndirectA(lpLogFont));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCSTR lpszFaceName, CDC* pDC) {
    HDC hDC = pDC ? pDC->m_hAttribDC : ::GetDC(nullptr);
    // Tenths of a point to pixels: 72 points per inch.
    int nPixelsPerInch = hDC ? ::GetDeviceCaps(hDC, LOGPIXELSY) : 96;
    if (!pDC && hDC)
        ::ReleaseDC(nullptr, hDC);
    LOGFONTA logFont{};
    logFont.lfHeight = -::MulDiv(nPointSize, nPixelsPerInch, 720);
    logFont.lfCharSet = DEFAULT_CHARSET;
    if (lpszFaceName)
        ::lstrcpynA(logFont.lfFaceName, lpszFaceName, LF_FACESIZE);
    return CreateFontIndirect(&logFont);
}

int CFont::GetLogFont(LOGFONTA* pLogFont) const {
    return GetObject(sizeof(LOGFONTA), pLogFont);
}
