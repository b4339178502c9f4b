// A font (HFONT).
#pragma once
#include "framework/CGdiObject.h"

#include <windows.h>

class CDC;

class CFont : public CGdiObject {
public:
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
    static CFont* FromHandle(HFONT hFont);

    // CreateFontA's arguments, in its order.
    BOOL CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight,
                    BYTE bItalic, BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet,
                    BYTE nOutPrecision, BYTE nClipPrecision, BYTE nQuality,
                    BYTE nPitchAndFamily, LPCSTR lpszFacename);
    BOOL CreateFontIndirect(const LOGFONTA* lpLogFont);
    // A font nPointSize tenths of a point high on pDC (the screen when null).
    BOOL CreatePointFont(int nPointSize, LPCSTR lpszFaceName, CDC* pDC = nullptr);
    int GetLogFont(LOGFONTA* pLogFont) const;
};
