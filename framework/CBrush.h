// A brush (HBRUSH).
#pragma once
#include "framework/CGdiObject.h"

#include <windows.h>

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    // A solid brush of crColor; throws CResourceException when GDI cannot make it.
    explicit CBrush(COLORREF crColor);

    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
    static CBrush* FromHandle(HBRUSH hBrush);

    BOOL CreateSolidBrush(COLORREF crColor);
    // The system's brush of colour nIndex (COLOR_*), which deleting leaves alone.
    BOOL CreateSysColorBrush(int nIndex);
};
