// A DC on a whole window, frame included (GetWindowDC), released when destroyed.
#pragma once
#include "framework/CDC.h"

#include <windows.h>

class CWnd;

class CWindowDC : public CDC {
public:
    // A null window means the screen. Throws CResourceException when GetWindowDC gives no DC.
    explicit CWindowDC(CWnd* pWnd);
    ~CWindowDC() override;

protected:
    HWND m_hWnd;
};
