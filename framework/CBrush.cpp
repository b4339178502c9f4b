#include "framework/CBrush.h"

#include "framework/CException.h"

#include <windows.h>

CBrush::CBrush(COLORREF crColor) {
    if (!CreateSolidBrush(crColor))
        throw CResourceException();
}

CBrush* CBrush::FromHandle(HBRUSH hBrush) {
    return FromHandleAs<CBrush>(hBrush);
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor) {
    return Attach(::CreateSolidBrush(crColor));
}

BOOL CBrush::CreateSysColorBrush(int nIndex) {
    return Attach(::GetSysColorBrush(nIndex));
}
