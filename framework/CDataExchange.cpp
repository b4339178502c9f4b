#include "framework/CDataExchange.h"

#include "framework/CException.h"
#include "framework/CWinApp.h"
#include "framework/CWnd.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>
#include <windows.h>

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

HWND CDataExchange::PrepareCtrl(int nIDC) {
    HWND hWndCtrl = m_pDlgWnd ? ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC) : nullptr;
    if (hWndCtrl)
        m_hWndLastControl = hWndCtrl;
    return hWndCtrl;
}

void CDataExchange::Fail() {
    if (m_bSaveAndValidate && m_hWndLastControl && m_pDlgWnd)
        ::SendMessageA(m_pDlgWnd->m_hWnd, WM_NEXTDLGCTL,
                       reinterpret_cast<WPARAM>(m_hWndLastControl), TRUE);
    throw CUserException();
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
    if (rControl.m_hWnd || !pDX->m_pDlgWnd)
        return;
    pDX->PrepareCtrl(nIDC);
    rControl.SubclassDlgItem(static_cast<UINT>(nIDC), pDX->m_pDlgWnd);
}

namespace {

std::string ControlText(HWND hWndCtrl) {
    std::string text(static_cast<size_t>(::GetWindowTextLengthA(hWndCtrl)) + 1, '\0');
    int copied = ::GetWindowTextA(hWndCtrl, text.data(), static_cast<int>(text.size()));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

} // namespace

void DDX_Text(CDataExchange* pDX, int nIDC, std::string& value) {
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (!hWndCtrl)
        return;
    if (pDX->m_bSaveAndValidate)
        value = ControlText(hWndCtrl);
    else
        ::SetWindowTextA(hWndCtrl, value.c_str());
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value) {
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (!hWndCtrl)
        return;
    if (!pDX->m_bSaveAndValidate) {
        ::SetWindowTextA(hWndCtrl, std::to_string(value).c_str());
        return;
    }
    std::string text = ControlText(hWndCtrl);
    const char* begin = text.c_str();
    while (*begin == ' ')
        ++begin;
    char* end = nullptr;
    errno = 0;
    long parsed = std::strtol(begin, &end, 10);
    while (end && *end == ' ')
        ++end;
    if (end == begin || *end != '\0' || errno == ERANGE || parsed < INT_MIN || parsed > INT_MAX) {
        AfxMessageBox("Please enter an integer.", MB_OK | MB_ICONEXCLAMATION);
        pDX->Fail();
    }
    value = static_cast<int>(parsed);
}
