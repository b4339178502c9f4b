#include "user/control_paint.h"

#include <algorithm>

namespace qv::user::controls {

HBRUSH ParentColours(HWND control, HWND parent, UINT message, HDC hdc) {
    LRESULT answer = 0;
    if (parent)
        answer = SendMessageA(parent, message, reinterpret_cast<WPARAM>(hdc),
                              reinterpret_cast<LPARAM>(control));
    // A parent that does not answer leaves the system's colours.
    if (!answer)
        answer = DefWindowProcA(parent ? parent : control, message, reinterpret_cast<WPARAM>(hdc),
                                reinterpret_cast<LPARAM>(control));
    auto brush = reinterpret_cast<HBRUSH>(answer);
    return brush == GetStockObject(NULL_BRUSH) ? nullptr : brush;
}

void FillBackground(HDC hdc, const RECT& r, HBRUSH brush) {
    if (brush)
        FillRect(hdc, &r, brush);
}

HFONT FontOrDefault(HFONT font) {
    return font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

int LineHeight(HFONT font) {
    HDC hdc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(hdc, FontOrDefault(font));
    TEXTMETRICA tm{};
    GetTextMetricsA(hdc, &tm);
    SelectObject(hdc, old);
    DeleteDC(hdc);
    return tm.tmHeight;
}

std::string WindowText(HWND hwnd) {
    // The window manager's own copy: controls that answer WM_GETTEXT differently ask here.
    int length = static_cast<int>(DefWindowProcA(hwnd, WM_GETTEXTLENGTH, 0, 0));
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int copied = static_cast<int>(
        DefWindowProcA(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    text.resize(static_cast<size_t>(std::max(0, copied)));
    return text;
}

RECT ClientRect(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    return r;
}

void Redraw(HWND hwnd) {
    InvalidateRect(hwnd, nullptr, TRUE);
}

void Notify(HWND control, UINT code) {
    HWND parent = GetParent(control);
    if (parent)
        SendMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
                     reinterpret_cast<LPARAM>(control));
}

void DrawControlText(HDC hdc, const std::string& text, RECT r, UINT format, bool enabled) {
    if (enabled) {
        DrawTextA(hdc, text.c_str(), static_cast<int>(text.size()), &r, format);
        return;
    }
    int mode = SetBkMode(hdc, TRANSPARENT);
    COLORREF colour = SetTextColor(hdc, GetSysColor(COLOR_BTNHIGHLIGHT));
    RECT shifted = r;
    OffsetRect(&shifted, 1, 1);
    DrawTextA(hdc, text.c_str(), static_cast<int>(text.size()), &shifted, format);
    SetTextColor(hdc, GetSysColor(COLOR_GRAYTEXT));
    DrawTextA(hdc, text.c_str(), static_cast<int>(text.size()), &r, format);
    SetTextColor(hdc, colour);
    SetBkMode(hdc, mode);
}

void DrawDownArrow(HDC hdc, const RECT& r, int colour) {
    const int rows = 4;
    int x = (r.left + r.right) / 2 - (2 * rows - 1) / 2;
    int y = (r.top + r.bottom) / 2 - rows / 2;
    HBRUSH brush = GetSysColorBrush(colour);
    for (int i = 0; i < rows; ++i) {
        RECT line{x + i, y + i, x + 2 * rows - 1 - i, y + i + 1};
        FillRect(hdc, &line, brush);
    }
}

} // namespace qv::user::controls
