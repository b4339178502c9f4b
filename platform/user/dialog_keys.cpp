#include "user/dialog.h"
#include "user/window.h"

#include <cctype>
#include <string>
#include <vector>

using namespace qv::user;

namespace {

std::vector<HWND> Controls(HWND dialog) {
    std::vector<HWND> out;
    for (HWND h = GetWindow(dialog, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
        out.push_back(h);
    return out;
}

bool CanTakeFocus(HWND h) { return IsWindowVisible(h) && IsWindowEnabled(h); }

DWORD StyleOf(HWND h) { return static_cast<DWORD>(GetWindowLongA(h, GWL_STYLE)); }

// The character after a single '&' in a control's text, lower-cased; 0 when there is none.
char Mnemonic(HWND h) {
    char text[256];
    int n = GetWindowTextA(h, text, sizeof text);
    for (int i = 0; i + 1 < n; ++i) {
        if (text[i] != '&')
            continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        return static_cast<char>(std::tolower(static_cast<unsigned char>(text[i + 1])));
    }
    return 0;
}

bool IsStatic(HWND h) { return SendMessageA(h, WM_GETDLGCODE, 0, 0) & DLGC_STATIC; }

// A mnemonic: a button is clicked; a label gives the focus to the next control that takes it.
bool HandleMnemonic(HWND dialog, char ch) {
    ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    std::vector<HWND> controls = Controls(dialog);
    for (size_t i = 0; i < controls.size(); ++i) {
        HWND h = controls[i];
        if (!CanTakeFocus(h) || Mnemonic(h) != ch)
            continue;
        LRESULT code = SendMessageA(h, WM_GETDLGCODE, 0, 0);
        if (code & DLGC_BUTTON) {
            SetDialogFocus(dialog, h);
            SendMessageA(h, BM_CLICK, 0, 0);
            return true;
        }
        if (IsStatic(h)) {
            for (size_t j = i + 1; j < controls.size(); ++j) {
                if (CanTakeFocus(controls[j]) && !IsStatic(controls[j])) {
                    SetDialogFocus(dialog, controls[j]);
                    return true;
                }
            }
            continue;
        }
        SetDialogFocus(dialog, h);
        return true;
    }
    return false;
}

void SendCommand(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    if (control && !IsWindowEnabled(control)) {
        MessageBeep(0);
        return;
    }
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

// Enter: the focused push button, else the dialog's default button, else IDOK.
void HandleEnter(HWND dialog, HWND focus, LRESULT code) {
    if (focus && (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) {
        SendCommand(dialog, GetDlgCtrlID(focus));
        return;
    }
    LRESULT def = SendMessageA(dialog, DM_GETDEFID, 0, 0);
    SendCommand(dialog, HIWORD(def) == DC_HASDEFID ? LOWORD(def) : IDOK);
}

} // namespace

HWND WINAPI GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL bPrevious) {
    if (!IsWindow(hDlg)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    std::vector<HWND> controls = Controls(hDlg);
    if (controls.empty())
        return nullptr;
    int n = static_cast<int>(controls.size());
    int start = bPrevious ? 0 : n - 1;
    for (int i = 0; i < n; ++i) {
        if (controls[i] == hCtl)
            start = i;
    }
    int step = bPrevious ? -1 : 1;
    for (int k = 1; k <= n; ++k) {
        HWND h = controls[((start + step * k) % n + n) % n];
        if ((StyleOf(h) & WS_TABSTOP) && CanTakeFocus(h))
            return h;
    }
    return hCtl;
}

HWND WINAPI GetNextDlgGroupItem(HWND hDlg, HWND hCtl, BOOL bPrevious) {
    if (!IsWindow(hDlg)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    std::vector<HWND> controls = Controls(hDlg);
    int n = static_cast<int>(controls.size());
    int at = -1;
    for (int i = 0; i < n; ++i) {
        if (controls[i] == hCtl)
            at = i;
    }
    if (at < 0)
        return nullptr;
    // The group runs from a control with WS_GROUP up to the next one with WS_GROUP.
    int first = at;
    while (first > 0 && !(StyleOf(controls[first]) & WS_GROUP))
        --first;
    int last = at;
    while (last + 1 < n && !(StyleOf(controls[last + 1]) & WS_GROUP))
        ++last;
    int size = last - first + 1;
    int step = bPrevious ? -1 : 1;
    for (int k = 1; k <= size; ++k) {
        HWND h = controls[first + ((at - first + step * k) % size + size) % size];
        if (CanTakeFocus(h))
            return h;
    }
    return hCtl;
}

BOOL WINAPI IsDialogMessageA(HWND hDlg, LPMSG lpMsg) {
    if (!lpMsg || !IsWindow(hDlg))
        return FALSE;
    if (lpMsg->hwnd != hDlg && !IsChild(hDlg, lpMsg->hwnd))
        return FALSE;
    UINT m = lpMsg->message;
    if (m != WM_KEYDOWN && m != WM_CHAR && m != WM_SYSCHAR) {
        TranslateMessage(lpMsg);
        DispatchMessageA(lpMsg);
        return TRUE;
    }
    HWND focus = GetFocus();
    LRESULT code = SendMessageA(lpMsg->hwnd, WM_GETDLGCODE, lpMsg->wParam,
                                reinterpret_cast<LPARAM>(lpMsg));
    bool wantsAll = (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) != 0;
    switch (lpMsg->message) {
    case WM_KEYDOWN:
        if (wantsAll)
            break;
        switch (lpMsg->wParam) {
        case VK_TAB:
            if (code & DLGC_WANTTAB)
                break;
            SetDialogFocus(hDlg, GetNextDlgTabItem(hDlg, focus, GetKeyState(VK_SHIFT) < 0));
            return TRUE;
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
            if (code & DLGC_WANTARROWS)
                break;
            if (focus && IsChild(hDlg, focus)) {
                bool back = lpMsg->wParam == VK_LEFT || lpMsg->wParam == VK_UP;
                SetDialogFocus(hDlg, GetNextDlgGroupItem(hDlg, focus, back));
            }
            return TRUE;
        case VK_RETURN:
            HandleEnter(hDlg, focus && IsChild(hDlg, focus) ? focus : nullptr, code);
            return TRUE;
        case VK_ESCAPE:
            SendCommand(hDlg, IDCANCEL);
            return TRUE;
        default:
            break;
        }
        break;
    case WM_SYSCHAR:
        if (HandleMnemonic(hDlg, static_cast<char>(lpMsg->wParam)))
            return TRUE;
        break;
    case WM_CHAR:
        // Plain letters are mnemonics too, when the focused control takes no characters.
        if (!wantsAll && !(code & DLGC_WANTCHARS) && lpMsg->wParam > ' ' &&
            HandleMnemonic(hDlg, static_cast<char>(lpMsg->wParam)))
            return TRUE;
        // Enter, Esc and Tab were handled as keys; their characters would only beep.
        if (!wantsAll && (lpMsg->wParam == '\r' || lpMsg->wParam == 0x1B || lpMsg->wParam == '\t'))
            return TRUE;
        break;
    default:
        break;
    }
    TranslateMessage(lpMsg);
    DispatchMessageA(lpMsg);
    return TRUE;
}
