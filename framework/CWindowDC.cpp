#include "framework/CWindowDC.h"

#include "framework/CException.h"
#include "framework/CWnd.h"

#include <windows.h>

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr) {
    if (!Attach(::GetWindowDC(m_hWnd)))
        throw CResourceException();
}

CWindowDC::~CWindowDC() {
    ::ReleaseDC(m_hWnd, Detach());
}
