#include "framework/CWinApp.h"
#include "framework/CWnd.h"

#include <windows.h>

int AfxMessageBox(LPCSTR lpszText, UINT nType) {
    CWnd* pMainWnd = AfxGetMainWnd();
    HWND hWndOwner = pMainWnd && ::IsWindow(pMainWnd->m_hWnd) ? pMainWnd->m_hWnd : nullptr;
    return ::MessageBoxA(hWndOwner, lpszText, AfxGetAppName(), nType);
}
