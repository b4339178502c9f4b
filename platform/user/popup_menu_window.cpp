#include "user/popup_menu_window.h"

#include "user/menu_table.h"
#include "user/popup_menu.h"
#include "user/window.h"

#include <algorithm>

namespace qv::user {
namespace {

// The classic menu metrics at 96 dots per inch.
constexpr int kCheckColumn = 17; // left of the text: room for the check mark
constexpr int kArrowColumn = 17; // right of the text: room for the submenu arrow
constexpr int kAcceleratorGap = 12;
constexpr int kSeparatorHeight = 9;
constexpr int kMinItemHeight = 17;

HFONT MenuFont(bool bold) {
    // The menu font: 8 points, sans serif.
    return CreateFontA(-11, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, "MS Shell Dlg");
}

// The label before the tab and the accelerator text after it.
std::pair<std::string, std::string> Split(const std::string& text) {
    size_t tab = text.find('\t');
    if (tab == std::string::npos)
        return {text, {}};
    return {text.substr(0, tab), text.substr(tab + 1)};
}

int TextWidth(HDC hdc, const std::string& text, UINT format) {
    RECT r{0, 0, 0, 0};
    DrawTextA(hdc, text.c_str(), -1, &r, format | DT_CALCRECT | DT_SINGLELINE);
    return r.right - r.left;
}

void DrawCheck(HDC hdc, RECT cell, COLORREF colour) {
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ old = SelectObject(hdc, pen);
    int x = cell.left + (cell.right - cell.left - 7) / 2;
    int y = (cell.top + cell.bottom) / 2 - 3;
    for (int d = 0; d < 3; ++d) {
        MoveToEx(hdc, x, y + 2 + d, nullptr);
        LineTo(hdc, x + 2, y + 4 + d);
        LineTo(hdc, x + 7, y - 1 + d);
    }
    SelectObject(hdc, old);
    DeleteObject(pen);
}

void DrawArrow(HDC hdc, RECT cell, COLORREF colour) {
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ old = SelectObject(hdc, pen);
    int x = cell.left + (cell.right - cell.left - 4) / 2;
    int y = (cell.top + cell.bottom) / 2;
    for (int i = 0; i < 4; ++i) {
        MoveToEx(hdc, x + i, y - 3 + i, nullptr);
        LineTo(hdc, x + i, y + 4 - i);
    }
    SelectObject(hdc, old);
    DeleteObject(pen);
}

void DrawLabel(HDC hdc, const ItemLook& item, RECT r, COLORREF colour) {
    auto [label, accelerator] = Split(item.text);
    SetTextColor(hdc, colour);
    RECT text{r.left + kCheckColumn, r.top, r.right - kArrowColumn, r.bottom};
    DrawTextA(hdc, label.c_str(), -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    if (!accelerator.empty())
        DrawTextA(hdc, accelerator.c_str(), -1, &text,
                  DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (item.state & MF_CHECKED)
        DrawCheck(hdc, RECT{r.left, r.top, r.left + kCheckColumn, r.bottom}, colour);
    if (item.submenu)
        DrawArrow(hdc, RECT{r.right - kArrowColumn, r.top, r.right, r.bottom}, colour);
}

void DrawItem(HDC hdc, const ItemLook& item, RECT r, bool highlighted) {
    if (item.type & MF_SEPARATOR) {
        FillRect(hdc, &r, GetSysColorBrush(COLOR_MENU));
        RECT line{r.left + 1, (r.top + r.bottom) / 2 - 1, r.right - 1, (r.top + r.bottom) / 2 + 1};
        DrawEdge(hdc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    FillRect(hdc, &r, GetSysColorBrush(highlighted ? COLOR_HIGHLIGHT : COLOR_MENU));
    if (item.type & (MF_BITMAP | MF_OWNERDRAW))
        return;
    HFONT font = MenuFont((item.state & MF_DEFAULT) != 0);
    HGDIOBJ old = SelectObject(hdc, font);
    SetBkMode(hdc, TRANSPARENT);
    if (item.state & MF_GRAYED) {
        // Greyed text is etched: a light copy below and to the right, unless highlighted.
        if (!highlighted) {
            RECT shifted = r;
            OffsetRect(&shifted, 1, 1);
            DrawLabel(hdc, item, shifted, GetSysColor(COLOR_3DHILIGHT));
        }
        DrawLabel(hdc, item, r, GetSysColor(COLOR_GRAYTEXT));
    } else {
        DrawLabel(hdc, item, r, GetSysColor(highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    }
    SelectObject(hdc, old);
    DeleteObject(font);
}

void Paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hwnd, &ps);
    if (!hdc)
        return;
    RECT client;
    GetClientRect(hwnd, &client);
    FillRect(hdc, &client, GetSysColorBrush(COLOR_MENU));
    HMENU menu = nullptr;
    int highlighted = -1;
    std::vector<RECT> rects;
    {
        auto lock = LockUser();
        if (MenuTracking* tracking = CurrentTracking()) {
            for (const PopupLevel& level : tracking->levels) {
                if (level.window == hwnd) {
                    menu = level.menu;
                    highlighted = level.highlighted;
                    rects = level.items;
                }
            }
        }
    }
    std::vector<ItemLook> items = LookOf(menu);
    for (size_t i = 0; i < std::min(items.size(), rects.size()); ++i)
        DrawItem(hdc, items[i], rects[i], static_cast<int>(i) == highlighted);
    EndPaint(hwnd, &ps);
}

LRESULT CALLBACK PopupMenuProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        Paint(hwnd);
        return 0;
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

} // namespace

bool RegisterPopupMenuClass() {
    static const bool registered = [] {
        WNDCLASSA wc{};
        wc.style = CS_SAVEBITS;
        wc.lpfnWndProc = PopupMenuProc;
        wc.lpszClassName = kPopupMenuClass;
        return RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    return registered;
}

std::vector<ItemLook> LookOf(HMENU menu) {
    auto lock = LockUser();
    std::vector<ItemLook> looks;
    if (Menu* m = FindMenu(menu)) {
        for (const MenuEntry& e : m->items)
            looks.push_back(ItemLook{e.text, e.type, e.state, e.submenu != nullptr});
    }
    return looks;
}

PopupLayout MeasurePopup(const std::vector<ItemLook>& items) {
    PopupLayout layout;
    HDC hdc = CreateCompatibleDC(nullptr);
    HFONT normal = MenuFont(false);
    HFONT bold = MenuFont(true);
    HGDIOBJ old = SelectObject(hdc, normal);
    TEXTMETRICA tm{};
    GetTextMetricsA(hdc, &tm);
    int itemHeight = std::max<int>(kMinItemHeight, tm.tmHeight + 4);
    int labels = 0;
    int accelerators = 0;
    for (const ItemLook& item : items) {
        if (item.type & MF_SEPARATOR)
            continue;
        SelectObject(hdc, (item.state & MF_DEFAULT) ? bold : normal);
        auto [label, accelerator] = Split(item.text);
        labels = std::max(labels, TextWidth(hdc, label, 0));
        if (!accelerator.empty())
            accelerators = std::max(accelerators, TextWidth(hdc, accelerator, DT_NOPREFIX));
    }
    SelectObject(hdc, old);
    DeleteObject(normal);
    DeleteObject(bold);
    DeleteDC(hdc);

    int width =
        kCheckColumn + labels + (accelerators ? kAcceleratorGap + accelerators : 0) + kArrowColumn;
    int y = 0;
    for (const ItemLook& item : items) {
        int height = (item.type & MF_SEPARATOR) ? kSeparatorHeight : itemHeight;
        layout.items.push_back(RECT{0, y, width, y + height});
        y += height;
    }
    RECT frame{0, 0, width, y};
    AdjustWindowRectEx(&frame, kPopupMenuStyle, FALSE, kPopupMenuExStyle);
    layout.window = SIZE{frame.right - frame.left, frame.bottom - frame.top};
    return layout;
}

} // namespace qv::user
