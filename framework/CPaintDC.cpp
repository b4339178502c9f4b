#include "framework/CPaintDC.h"

#include "framework/CException.h"
#include "framework/CWnd.h"

#include <windows.h>

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr) {
    if (!Attach(::BeginPaint(m_hWnd, &m_ps)))
        throw CResourceException();
}

CPaintDC::~CPaintDC() {
    ::EndPaint(m_hWnd, &m_ps);
    Detach();
}
