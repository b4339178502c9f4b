// A pen (HPEN).
#pragma once
#include "framework/CGdiObject.h"

#include <windows.h>

class CPen : public CGdiObject {
public:
    CPen() = default;
    // Throws CResourceException when GDI cannot make the pen.
    CPen(int nPenStyle, int nWidth, COLORREF crColor);

    operator HPEN() const { return static_cast<HPEN>(m_hObject); }
    static CPen* FromHandle(HPEN hPen);

    BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor);
};
