#include "user/dialog.h"
#include "user/window.h"

#include <algorithm>
#include <vector>

using namespace qv::user;

namespace {

struct ButtonSpec {
    int id;
    const char* text;
};

std::vector<ButtonSpec> ButtonsFor(UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return {{IDOK, "OK"}, {IDCANCEL, "Cancel"}};
    case MB_ABORTRETRYIGNORE:
        return {{IDABORT, "&Abort"}, {IDRETRY, "&Retry"}, {IDIGNORE, "&Ignore"}};
    case MB_YESNOCANCEL:
        return {{IDYES, "&Yes"}, {IDNO, "&No"}, {IDCANCEL, "Cancel"}};
    case MB_YESNO:
        return {{IDYES, "&Yes"}, {IDNO, "&No"}};
    case MB_RETRYCANCEL:
        return {{IDRETRY, "&Retry"}, {IDCANCEL, "Cancel"}};
    default:
        return {{IDOK, "OK"}};
    }
}

LPCSTR IconFor(UINT type) {
    switch (type & MB_ICONMASK) {
    case MB_ICONHAND:
        return IDI_ERROR;
    case MB_ICONQUESTION:
        return IDI_QUESTION;
    case MB_ICONEXCLAMATION:
        return IDI_WARNING;
    case MB_ICONASTERISK:
        return IDI_INFORMATION;
    default:
        return nullptr;
    }
}

// The dialog procedure of a message box: any of its buttons ends it with the button's id. The
// cancel command (Esc, Close) counts only when there is a button that means it: Cancel, or
// the only button, OK.
INT_PTR CALLBACK MessageBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto icon = reinterpret_cast<HICON>(lParam);
        if (icon)
            SendDlgItemMessageA(hwnd, 0xFFFF, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
        return TRUE;
    }
    if (message != WM_COMMAND)
        return FALSE;
    int id = LOWORD(wParam);
    if (id == IDCANCEL && !GetDlgItem(hwnd, IDCANCEL)) {
        HWND ok = GetDlgItem(hwnd, IDOK);
        if (!ok || GetDlgItem(hwnd, IDNO))
            return TRUE;
        id = IDOK;
    }
    if (GetDlgItem(hwnd, id))
        EndDialog(hwnd, id);
    return TRUE;
}

SIZE MeasureText(HFONT font, const char* text, int maxWidth) {
    HDC hdc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(hdc, font);
    RECT r{0, 0, maxWidth, 0};
    DrawTextA(hdc, text, -1, &r, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    SelectObject(hdc, old);
    DeleteDC(hdc);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

} // namespace

int WINAPI MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
    if (hWnd && !IsWindow(hWnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    // The layout is computed in dialog units of the message font.
    DialogTemplate dlg;
    dlg.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER;
    dlg.exStyle = (uType & MB_TOPMOST) ? WS_EX_TOPMOST : 0;
    dlg.caption = lpCaption ? lpCaption : "Error";
    dlg.hasFont = true;
    dlg.pointSize = 8;
    dlg.weight = FW_NORMAL;
    dlg.faceName = "MS Shell Dlg";
    bool owned;
    HFONT font = CreateDialogFont(dlg, &owned);
    int baseX, baseY;
    DialogBaseUnits(font, &baseX, &baseY);
    SIZE text = MeasureText(font, lpText ? lpText : "", GetSystemMetrics(SM_CXSCREEN) * 3 / 4);
    DeleteObject(font);
    auto toDluX = [&](int px) { return static_cast<short>((px * 4 + baseX - 1) / baseX); };
    auto toDluY = [&](int px) { return static_cast<short>((px * 8 + baseY - 1) / baseY); };

    LPCSTR iconName = IconFor(uType);
    short margin = 7;
    short iconSize = iconName ? toDluX(32) : 0;
    short textX = static_cast<short>(margin + (iconName ? iconSize + margin : 0));
    short textW = toDluX(text.cx);
    short textH = std::max<short>(toDluY(text.cy), iconName ? toDluY(32) : 0);
    std::vector<ButtonSpec> buttons = ButtonsFor(uType);
    short buttonW = 50, buttonH = 14, gap = 4;
    short buttonsW = static_cast<short>(buttons.size() * buttonW + (buttons.size() - 1) * gap);
    dlg.cx = static_cast<short>(std::max<int>(textX + textW + margin, buttonsW + 2 * margin));
    dlg.cy = static_cast<short>(margin + textH + margin + buttonH + margin);

    if (iconName) {
        DialogItem icon;
        icon.className = "Static";
        icon.style = WS_VISIBLE | SS_ICON;
        icon.id = 0xFFFF;
        icon.x = margin;
        icon.y = margin;
        icon.cx = icon.cy = iconSize;
        dlg.items.push_back(icon);
    }
    DialogItem label;
    label.className = "Static";
    label.style = WS_VISIBLE | SS_LEFT | SS_NOPREFIX | WS_GROUP;
    label.id = 0xFFFE;
    label.text = lpText ? lpText : "";
    label.x = textX;
    label.y = margin;
    label.cx = textW;
    label.cy = textH;
    dlg.items.push_back(label);
    int defaultIndex = (uType & MB_DEFBUTTON3) ? 2 : (uType & MB_DEFBUTTON2) ? 1 : 0;
    short x = static_cast<short>((dlg.cx - buttonsW) / 2);
    for (size_t i = 0; i < buttons.size(); ++i) {
        DialogItem button;
        button.className = "Button";
        button.style = WS_VISIBLE | WS_TABSTOP |
                       (static_cast<int>(i) == defaultIndex ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) |
                       (i == 0 ? WS_GROUP : 0);
        button.id = buttons[i].id;
        button.text = buttons[i].text;
        button.x = x;
        button.y = static_cast<short>(dlg.cy - margin - buttonH);
        button.cx = buttonW;
        button.cy = buttonH;
        dlg.items.push_back(button);
        x = static_cast<short>(x + buttonW + gap);
    }
    // The default button comes first in the tab order, so that it gets the focus.
    if (defaultIndex) {
        size_t first = dlg.items.size() - buttons.size();
        std::rotate(dlg.items.begin() + first, dlg.items.begin() + first + defaultIndex,
                    dlg.items.end());
    }

    HWND owner = hWnd ? GetAncestor(hWnd, GA_ROOT) : nullptr;
    bool disabled = owner && IsWindowEnabled(owner);
    if (disabled)
        EnableWindow(owner, FALSE);
    HICON icon = iconName ? LoadIconA(nullptr, iconName) : nullptr;
    HWND box = CreateDialogFromTemplate(GetModuleHandleA(nullptr), dlg, owner, MessageBoxProc,
                                        reinterpret_cast<LPARAM>(icon), true);
    if (!box) {
        if (disabled)
            EnableWindow(owner, TRUE);
        return 0;
    }
    return static_cast<int>(RunModalDialog(box, disabled ? owner : nullptr));
}

BOOL WINAPI MessageBeep(UINT) { return TRUE; }
