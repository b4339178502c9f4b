// A static control ("STATIC" class): labels, icons, frames.
#pragma once
#include "framework/CWnd.h"

#include <windows.h>

class CStatic : public CWnd {
public:
    BOOL Create(LPCSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID = 0xFFFF);

    // Shows hIcon (an SS_ICON control); returns the icon shown before.
    HICON SetIcon(HICON hIcon);
    HICON GetIcon() const;
};
