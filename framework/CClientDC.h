// A DC on a window's client area (GetDC), released when destroyed.
#pragma once
#include "framework/CDC.h"

#include <windows.h>

class CWnd;

class CClientDC : public CDC {
public:
    // A null window means the screen. Throws CResourceException when GetDC gives no DC.
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;

protected:
    HWND m_hWnd;
};
