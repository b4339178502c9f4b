#include "framework/CPen.h"

#include "framework/CException.h"

#include <windows.h>

CPen::CPen(int nPenStyle, int nWidth, COLORREF crColor) {
    if (!CreatePen(nPenStyle, nWidth, crColor))
        throw CResourceException();
}

CPen* CPen::FromHandle(HPEN hPen) {
    return FromHandleAs<CPen>(hPen);
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor) {
    return Attach(::CreatePen(nPenStyle, nWidth, crColor));
}
