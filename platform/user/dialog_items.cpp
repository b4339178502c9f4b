#include "user/dialog.h"
#include "user/window.h"

using namespace qv::user;

BOOL WINAPI MapDialogRect(HWND hDlg, LPRECT lpRect) {
    int baseX, baseY;
    {
        auto lock = LockUser();
        DialogInfo* d = FindDialogInfo(hDlg);
        if (!d || !lpRect) {
            SetLastError(d ? ERROR_INVALID_PARAMETER : ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        baseX = d->baseX;
        baseY = d->baseY;
    }
    lpRect->left = MulDiv(lpRect->left, baseX, 4);
    lpRect->right = MulDiv(lpRect->right, baseX, 4);
    lpRect->top = MulDiv(lpRect->top, baseY, 8);
    lpRect->bottom = MulDiv(lpRect->bottom, baseY, 8);
    return TRUE;
}

LONG WINAPI GetDialogBaseUnits(void) {
    // The units of the system font, which dialogs without a font of their own use.
    int x, y;
    DialogBaseUnits(static_cast<HFONT>(GetStockObject(SYSTEM_FONT)), &x, &y);
    return MAKELONG(x, y);
}

BOOL WINAPI SetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPCSTR lpString) {
    HWND item = GetDlgItem(hDlg, nIDDlgItem);
    return item ? SetWindowTextA(item, lpString) : FALSE;
}

UINT WINAPI GetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPSTR lpString, int cchMax) {
    HWND item = GetDlgItem(hDlg, nIDDlgItem);
    if (!item) {
        if (lpString && cchMax > 0)
            lpString[0] = '\0';
        return 0;
    }
    return static_cast<UINT>(GetWindowTextA(item, lpString, cchMax));
}

LRESULT WINAPI SendDlgItemMessageA(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam,
                                   LPARAM lParam) {
    HWND item = GetDlgItem(hDlg, nIDDlgItem);
    return item ? SendMessageA(item, Msg, wParam, lParam) : 0;
}

BOOL WINAPI CheckDlgButton(HWND hDlg, int nIDButton, UINT uCheck) {
    HWND item = GetDlgItem(hDlg, nIDButton);
    if (!item)
        return FALSE;
    SendMessageA(item, BM_SETCHECK, uCheck, 0);
    return TRUE;
}

UINT WINAPI IsDlgButtonChecked(HWND hDlg, int nIDButton) {
    HWND item = GetDlgItem(hDlg, nIDButton);
    return item ? static_cast<UINT>(SendMessageA(item, BM_GETCHECK, 0, 0)) : 0;
}
