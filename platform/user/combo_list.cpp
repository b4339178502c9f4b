// The "ComboLBox" class: the drop-down list of a combo box, a topmost popup that shows the
// combo box's items, follows the pointer and reports the choice back to its combo box.
#include "user/combobox.h"
#include "user/control_paint.h"
#include "user/system_classes.h"

#include <algorithm>
#include <windowsx.h>

using namespace qv::user::controls;

namespace {

struct ComboList {
    HWND combo = nullptr;
    bool pressed = false; // a press inside the list, waiting for its release
};

ComboBox* ComboOf(const ComboList& l) {
    return StateOf<ComboBox>(l.combo);
}

int VisibleRows(HWND hwnd, const ComboBox& c) {
    return std::max<int>(1, ClientRect(hwnd).bottom / ComboItemHeight(c));
}

bool HasScrollBar(HWND hwnd, const ComboBox& c) {
    return static_cast<int>(c.items.size()) > VisibleRows(hwnd, c);
}

RECT ItemsRect(HWND hwnd, const ComboBox& c) {
    RECT r = ClientRect(hwnd);
    if (HasScrollBar(hwnd, c))
        r.right = std::max<LONG>(r.left, r.right - GetSystemMetrics(SM_CXVSCROLL));
    return r;
}

// The item under a point of the client area, or -1.
int ItemAt(HWND hwnd, const ComboBox& c, POINT p) {
    RECT items = ItemsRect(hwnd, c);
    if (!PtInRect(&items, p))
        return -1;
    int index = c.top + p.y / ComboItemHeight(c);
    return index < static_cast<int>(c.items.size()) ? index : -1;
}

// The scroll bar: arrow buttons at both ends and a thumb where the first shown row lies.
void PaintScrollBar(HWND hwnd, const ComboBox& c, HDC hdc) {
    RECT r = ClientRect(hwnd);
    r.left = ItemsRect(hwnd, c).right;
    FillRect(hdc, &r, GetSysColorBrush(COLOR_SCROLLBAR));
    const int arrow = std::min<int>(r.right - r.left, (r.bottom - r.top) / 3);
    RECT up{r.left, r.top, r.right, r.top + arrow};
    RECT down{r.left, r.bottom - arrow, r.right, r.bottom};
    for (RECT* button : {&up, &down}) {
        RECT face = *button;
        DrawEdge(hdc, &face, EDGE_RAISED, BF_RECT | BF_MIDDLE);
    }
    DrawDownArrow(hdc, down, COLOR_BTNTEXT);
    const int count = static_cast<int>(c.items.size());
    const int visible = VisibleRows(hwnd, c);
    const int track = (r.bottom - r.top) - 2 * arrow;
    if (track <= 0 || count <= 0)
        return;
    const int thumb = std::max(8, track * visible / count);
    const int range = std::max(1, count - visible);
    const int offset = (track - thumb) * std::min(c.top, range) / range;
    RECT face{r.left, r.top + arrow + offset, r.right, r.top + arrow + offset + thumb};
    DrawEdge(hdc, &face, EDGE_RAISED, BF_RECT | BF_MIDDLE);
}

void Paint(HWND hwnd, ComboList& l) {
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hwnd, &ps);
    if (!hdc)
        return;
    if (ComboBox* c = ComboOf(l)) {
        HGDIOBJ oldFont = SelectObject(hdc, FontOrDefault(c->font));
        HBRUSH brush = ParentColours(hwnd, GetParent(l.combo), WM_CTLCOLORLISTBOX, hdc);
        RECT items = ItemsRect(hwnd, *c);
        FillBackground(hdc, items, brush);
        const int height = ComboItemHeight(*c);
        const int count = static_cast<int>(c->items.size());
        for (int i = c->top; i < count && (i - c->top) * height < items.bottom; ++i) {
            RECT row{items.left, (i - c->top) * height, items.right, (i - c->top + 1) * height};
            COLORREF ink = GetTextColor(hdc);
            if (i == c->hot) {
                FillRect(hdc, &row, GetSysColorBrush(COLOR_HIGHLIGHT));
                SetTextColor(hdc, GetSysColor(COLOR_HIGHLIGHTTEXT));
            }
            int mode = SetBkMode(hdc, TRANSPARENT);
            RECT text = row;
            text.left += 2;
            const std::string& item = c->items[static_cast<size_t>(i)].text;
            DrawTextA(hdc, item.c_str(), static_cast<int>(item.size()), &text,
                      DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
            SetBkMode(hdc, mode);
            SetTextColor(hdc, ink);
            if (i == c->hot)
                DrawFocusRect(hdc, &row);
        }
        if (HasScrollBar(hwnd, *c))
            PaintScrollBar(hwnd, *c, hdc);
        SelectObject(hdc, oldFont);
    }
    EndPaint(hwnd, &ps);
}

void Highlight(HWND hwnd, ComboBox& c, int index) {
    if (index < 0 || index == c.hot)
        return;
    c.hot = index;
    Redraw(hwnd);
}

} // namespace

namespace qv::user {

LRESULT CALLBACK ComboListProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* list = new ComboList;
        list->combo = static_cast<HWND>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        AttachState(hwnd, list);
    }
    ComboList* l = StateOf<ComboList>(hwnd);
    if (!l || message == WM_NCDESTROY) {
        if (message == WM_NCDESTROY)
            FreeState<ComboList>(hwnd);
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    ComboBox* c = ComboOf(*l);
    const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_PAINT:
        Paint(hwnd, *l);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_MOUSEMOVE:
        if (c)
            Highlight(hwnd, *c, ItemAt(hwnd, *c, p));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        if (!c)
            return 0;
        RECT r = ClientRect(hwnd);
        if (!PtInRect(&r, p)) {
            // A press anywhere else closes the list without a choice.
            l->pressed = false;
            CloseComboList(l->combo, false);
            return 0;
        }
        int index = ItemAt(hwnd, *c, p);
        l->pressed = index >= 0;
        Highlight(hwnd, *c, index);
        return 0;
    }
    case WM_LBUTTONUP: {
        // The release of the press that opened the list happens outside it and changes nothing.
        if (!c || !l->pressed)
            return 0;
        l->pressed = false;
        int index = ItemAt(hwnd, *c, p);
        if (index >= 0) {
            c->hot = index;
            CloseComboList(l->combo, true);
        }
        return 0;
    }
    case WM_CAPTURECHANGED:
        if (c && c->dropped && reinterpret_cast<HWND>(lParam) != hwnd)
            CloseComboList(l->combo, false);
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

} // namespace qv::user
