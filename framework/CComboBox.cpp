#include "framework/CComboBox.h"

#include <string>
#include <windows.h>

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create("COMBOBOX", nullptr, dwStyle, rect, pParentWnd, nID);
}

int CComboBox::AddString(LPCSTR lpszString) {
    return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszString)));
}

int CComboBox::InsertString(int nIndex, LPCSTR lpszString) {
    return static_cast<int>(SendMessage(CB_INSERTSTRING, static_cast<WPARAM>(nIndex),
                                        reinterpret_cast<LPARAM>(lpszString)));
}

int CComboBox::DeleteString(UINT nIndex) {
    return static_cast<int>(SendMessage(CB_DELETESTRING, nIndex));
}

void CComboBox::ResetContent() {
    SendMessage(CB_RESETCONTENT);
}

int CComboBox::GetCount() const {
    return static_cast<int>(SendMessage(CB_GETCOUNT));
}

int CComboBox::GetCurSel() const {
    return static_cast<int>(SendMessage(CB_GETCURSEL));
}

int CComboBox::SetCurSel(int nSelect) {
    return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(nSelect)));
}

int CComboBox::GetLBText(int nIndex, LPSTR lpszText) const {
    return static_cast<int>(
        SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszText)));
}

void CComboBox::GetLBText(int nIndex, std::string& rString) const {
    rString.clear();
    int length = GetLBTextLen(nIndex);
    if (length == CB_ERR)
        return;
    rString.resize(static_cast<size_t>(length) + 1);
    int copied = GetLBText(nIndex, rString.data());
    rString.resize(copied == CB_ERR ? 0 : static_cast<size_t>(copied));
}

int CComboBox::GetLBTextLen(int nIndex) const {
    return static_cast<int>(SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(nIndex)));
}

int CComboBox::FindStringExact(int nIndexStart, LPCSTR lpszFind) const {
    return static_cast<int>(SendMessage(CB_FINDSTRINGEXACT, static_cast<WPARAM>(nIndexStart),
                                        reinterpret_cast<LPARAM>(lpszFind)));
}

void CComboBox::ShowDropDown(BOOL bShowIt) {
    SendMessage(CB_SHOWDROPDOWN, static_cast<WPARAM>(bShowIt));
}

BOOL CComboBox::GetDroppedState() const {
    return static_cast<BOOL>(SendMessage(CB_GETDROPPEDSTATE));
}
