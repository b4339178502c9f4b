#include "framework/CClientDC.h"

#include "framework/CException.h"
#include "framework/CWnd.h"

#include <windows.h>

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr) {
    if (!Attach(::GetDC(m_hWnd)))
        throw CResourceException();
}

CClientDC::~CClientDC() {
    ::ReleaseDC(m_hWnd, Detach());
}
