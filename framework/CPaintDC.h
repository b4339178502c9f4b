// The DC for painting a window in its WM_PAINT handler: BeginPaint when made, EndPaint when
// destroyed.
#pragma once
#include "framework/CDC.h"

#include <windows.h>

class CWnd;

class CPaintDC : public CDC {
public:
    // Throws CResourceException when BeginPaint gives no DC.
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps{};

protected:
    HWND m_hWnd;
};
