// A combo box ("COMBOBOX" class): a list of strings with a selection, shown in a drop-down
// list or an edit field. Indexes are zero-based; CB_ERR (-1) reports a failure or no item.
#pragma once
#include "framework/CWnd.h"

#include <string>
#include <windows.h>

class CComboBox : public CWnd {
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int AddString(LPCSTR lpszString);
    int InsertString(int nIndex, LPCSTR lpszString);
    // Returns the number of items left.
    int DeleteString(UINT nIndex);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    // -1 clears the selection.
    int SetCurSel(int nSelect);
    // Copies item nIndex's text into lpszText, which must hold GetLBTextLen(nIndex) + 1 chars.
    int GetLBText(int nIndex, LPSTR lpszText) const;
    void GetLBText(int nIndex, std::string& rString) const;
    int GetLBTextLen(int nIndex) const;
    // The first item after nIndexStart (-1: from the start) whose text equals lpszFind,
    // ignoring case.
    int FindStringExact(int nIndexStart, LPCSTR lpszFind) const;
    void ShowDropDown(BOOL bShowIt = TRUE);
    BOOL GetDroppedState() const;
};
