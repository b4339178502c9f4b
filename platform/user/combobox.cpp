// The "ComboBox" class with CBS_DROPDOWN (an edit field and a drop-down button) and
// CBS_DROPDOWNLIST (the selected item shown in a field of its own); CBS_SORT keeps items sorted.
#include "user/combobox.h"

#include "user/control_paint.h"
#include "user/system_classes.h"

#include <algorithm>
#include <cstring>
#include <strings.h>
#include <windowsx.h>


using namespace qv::user::controls;

namespace qv::user::controls {

int ComboItemHeight(const ComboBox& combo) {
    return LineHeight(combo.font) + 2;
}

} // namespace qv::user::controls

namespace {

constexpr int kEditId = 1001;
constexpr int kBorder = 2;

DWORD StyleOf(HWND hwnd) {
    return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
}
bool IsListOnly(HWND hwnd) {
    return (StyleOf(hwnd) & 3) == CBS_DROPDOWNLIST;
}

// The control's own height: one line of text in the field plus its margins and border.
int FieldHeight(const ComboBox& c) {
    return LineHeight(c.font) + 4 + 2 * kBorder;
}

RECT ButtonRect(HWND hwnd) {
    RECT r = ClientRect(hwnd);
    InflateRect(&r, -kBorder, -kBorder);
    r.left = std::max(r.left, r.right - GetSystemMetrics(SM_CXVSCROLL));
    return r;
}

RECT FieldRect(HWND hwnd) {
    RECT r = ClientRect(hwnd);
    InflateRect(&r, -kBorder, -kBorder);
    r.right = ButtonRect(hwnd).left;
    return r;
}

void Layout(HWND hwnd, ComboBox& c) {
    if (!c.edit)
        return;
    RECT f = FieldRect(hwnd);
    MoveWindow(c.edit, f.left + 1, f.top + 1, std::max<LONG>(0, f.right - f.left - 2),
               std::max<LONG>(0, f.bottom - f.top - 2), TRUE);
}

void Resize(HWND hwnd, const ComboBox& c) {
    RECT r = ClientRect(hwnd);
    SetWindowPos(hwnd, nullptr, 0, 0, r.right - r.left, FieldHeight(c),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Shows a text in the field without telling the parent that the user edited it.
void ShowInField(HWND hwnd, ComboBox& c, const std::string& text) {
    if (c.edit) {
        c.quiet = true;
        SetWindowTextA(c.edit, text.c_str());
        SendMessageA(c.edit, EM_SETSEL, 0, -1);
        c.quiet = false;
    }
    Redraw(hwnd);
}

void ShowSelection(HWND hwnd, ComboBox& c) {
    ShowInField(hwnd, c, c.selected >= 0 ? c.items[static_cast<size_t>(c.selected)].text : "");
}

int Find(const ComboBox& c, WPARAM start, const char* text, bool exact) {
    if (!text || c.items.empty())
        return CB_ERR;
    const int count = static_cast<int>(c.items.size());
    int from = static_cast<int>(start);
    from = from < 0 || from >= count ? 0 : from + 1;
    const size_t length = std::strlen(text);
    for (int n = 0; n < count; ++n) {
        const std::string& item = c.items[static_cast<size_t>((from + n) % count)].text;
        bool match = exact ? strcasecmp(item.c_str(), text) == 0
                           : strncasecmp(item.c_str(), text, length) == 0;
        if (match)
            return (from + n) % count;
    }
    return CB_ERR;
}

int Insert(ComboBox& c, int index, const char* text) {
    if (!text)
        text = "";
    const int count = static_cast<int>(c.items.size());
    if (index < 0 || index > count)
        index = count;
    c.items.insert(c.items.begin() + index, ComboItem{text, 0});
    if (c.selected >= index)
        ++c.selected;
    if (c.dropped)
        Redraw(c.list);
    return index;
}

int SortedPosition(const ComboBox& c, const char* text) {
    auto at = std::upper_bound(c.items.begin(), c.items.end(), std::string(text ? text : ""),
                               [](const std::string& t, const ComboItem& item) {
                                   return strcasecmp(t.c_str(), item.text.c_str()) < 0;
                               });
    return static_cast<int>(at - c.items.begin());
}

bool InRange(const ComboBox& c, WPARAM index) {
    return static_cast<int>(index) >= 0 &&
           static_cast<size_t>(static_cast<int>(index)) < c.items.size();
}

void Open(HWND hwnd, ComboBox& c) {
    if (c.dropped || !c.list)
        return;
    Notify(hwnd, CBN_DROPDOWN);
    RECT r{};
    GetWindowRect(hwnd, &r);
    const int itemHeight = ComboItemHeight(c);
    const int count = std::max<int>(1, static_cast<int>(c.items.size()));
    const int below = GetSystemMetrics(SM_CYSCREEN) - r.bottom;
    int room = std::max(c.droppedHeight - (r.bottom - r.top), itemHeight + 2);
    int height = std::min({count * itemHeight + 2, room, below});
    height = std::max(height, std::min(itemHeight + 2, below));
    const int visible = std::max(1, (height - 2) / itemHeight);
    c.hot = c.selected;
    c.top = std::clamp(c.selected - visible / 2, 0,
                       std::max(0, static_cast<int>(c.items.size()) - visible));
    c.dropped = true;
    SetWindowPos(c.list, HWND_TOPMOST, r.left, r.bottom, r.right - r.left, height, SWP_NOACTIVATE);
    ShowWindow(c.list, SW_SHOWNA);
    Redraw(c.list);
    SetCapture(c.list);
    Redraw(hwnd);
}

// A selection made with the keys: shown in the field and told to the parent at once.
void SelectByUser(HWND hwnd, ComboBox& c, int next) {
    if (next == c.selected)
        return;
    c.selected = c.hot = next;
    if (c.dropped) {
        const int visible = std::max<int>(1, ClientRect(c.list).bottom / ComboItemHeight(c));
        if (next < c.top)
            c.top = next;
        else if (next >= c.top + visible)
            c.top = next - visible + 1;
        Redraw(c.list);
    }
    Notify(hwnd, CBN_SELCHANGE);
    ShowSelection(hwnd, c);
}

void Step(HWND hwnd, ComboBox& c, int delta) {
    if (c.items.empty())
        return;
    const int last = static_cast<int>(c.items.size()) - 1;
    SelectByUser(hwnd, c, c.selected < 0 ? 0 : std::clamp(c.selected + delta, 0, last));
}

LRESULT KeyDown(HWND hwnd, ComboBox& c, UINT message, WPARAM key) {
    const bool alt = message == WM_SYSKEYDOWN;
    if (key == VK_F4 || (alt && (key == VK_DOWN || key == VK_UP))) {
        if (c.dropped)
            CloseComboList(hwnd, true);
        else
            Open(hwnd, c);
        return 0;
    }
    if (alt)
        return DefWindowProcA(hwnd, message, key, 0);
    switch (key) {
    case VK_UP:
        Step(hwnd, c, -1);
        break;
    case VK_DOWN:
        Step(hwnd, c, 1);
        break;
    case VK_PRIOR:
        Step(hwnd, c, -8);
        break;
    case VK_NEXT:
        Step(hwnd, c, 8);
        break;
    case VK_HOME:
        if (IsListOnly(hwnd))
            Step(hwnd, c, -static_cast<int>(c.items.size()));
        break;
    case VK_END:
        if (IsListOnly(hwnd))
            Step(hwnd, c, static_cast<int>(c.items.size()));
        break;
    case VK_RETURN:
        if (c.dropped)
            CloseComboList(hwnd, true);
        break;
    case VK_ESCAPE:
        if (c.dropped)
            CloseComboList(hwnd, false);
        break;
    default:
        break;
    }
    return 0;
}

// A drop-down list box jumps to the next item that starts with the typed character.
void TypeAhead(HWND hwnd, ComboBox& c, char ch) {
    const char text[2] = {ch, '\0'};
    int found = Find(c, static_cast<WPARAM>(c.selected), text, false);
    if (found != CB_ERR)
        SelectByUser(hwnd, c, found);
}

void Paint(HWND hwnd, ComboBox& c) {
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hwnd, &ps);
    if (!hdc)
        return;
    const DWORD style = StyleOf(hwnd);
    const bool enabled = !(style & WS_DISABLED);
    RECT r = ClientRect(hwnd);
    HGDIOBJ oldFont = SelectObject(hdc, FontOrDefault(c.font));
    DrawEdge(hdc, &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    HBRUSH brush =
        ParentColours(hwnd, GetParent(hwnd), enabled ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC, hdc);
    RECT field = FieldRect(hwnd);
    FillBackground(hdc, field, brush);
    if (!c.edit && c.selected >= 0) {
        RECT text = field;
        InflateRect(&text, -1, -1);
        const bool highlight = c.focused && !c.dropped;
        if (highlight) {
            FillRect(hdc, &text, GetSysColorBrush(COLOR_HIGHLIGHT));
            SetTextColor(hdc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        }
        if (!enabled)
            SetTextColor(hdc, GetSysColor(COLOR_GRAYTEXT));
        int mode = SetBkMode(hdc, TRANSPARENT);
        RECT inner = text;
        inner.left += 2;
        const std::string& item = c.items[static_cast<size_t>(c.selected)].text;
        DrawTextA(hdc, item.c_str(), static_cast<int>(item.size()), &inner,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        SetBkMode(hdc, mode);
        if (highlight)
            DrawFocusRect(hdc, &text);
    } else if (!c.edit && c.focused && !c.dropped) {
        RECT text = field;
        InflateRect(&text, -1, -1);
        DrawFocusRect(hdc, &text);
    }
    RECT button = ButtonRect(hwnd);
    RECT face = button;
    DrawEdge(hdc, &face, EDGE_RAISED, BF_RECT | BF_SOFT | BF_MIDDLE);
    DrawDownArrow(hdc, button, enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    SelectObject(hdc, oldFont);
    EndPaint(hwnd, &ps);
}

void Create(HWND hwnd, ComboBox& c, const CREATESTRUCTA& cs) {
    c.droppedHeight = cs.cy;
    if (!IsListOnly(hwnd)) {
        DWORD editStyle = WS_CHILD | WS_VISIBLE;
        if (cs.style & CBS_AUTOHSCROLL)
            editStyle |= ES_AUTOHSCROLL;
        c.edit = CreateWindowExA(0, "Edit", "", editStyle, 0, 0, 0, 0, hwnd,
                                 reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kEditId)),
                                 cs.hInstance, nullptr);
    }
    c.list = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "ComboLBox", "",
                             WS_POPUP | WS_BORDER, 0, 0, 0, 0, hwnd, nullptr, cs.hInstance, hwnd);
    Resize(hwnd, c);
    Layout(hwnd, c);
}

// Notifications of the edit field, passed on as the combo box's own.
void EditCommand(HWND hwnd, ComboBox& c, UINT code) {
    switch (code) {
    case EN_CHANGE:
        if (!c.quiet)
            Notify(hwnd, CBN_EDITCHANGE);
        break;
    case EN_UPDATE:
        if (!c.quiet)
            Notify(hwnd, CBN_EDITUPDATE);
        break;
    case EN_SETFOCUS:
        SendMessageA(c.edit, EM_SETSEL, 0, -1);
        Notify(hwnd, CBN_SETFOCUS);
        break;
    case EN_KILLFOCUS:
        if (c.dropped)
            CloseComboList(hwnd, false);
        Notify(hwnd, CBN_KILLFOCUS);
        break;
    default:
        break;
    }
}

LRESULT GetText(ComboBox& c, UINT message, WPARAM wParam, LPARAM lParam) {
    if (c.edit)
        return SendMessageA(c.edit, message, wParam, lParam);
    std::string text = c.selected >= 0 ? c.items[static_cast<size_t>(c.selected)].text : "";
    if (message == WM_GETTEXTLENGTH)
        return static_cast<LRESULT>(text.size());
    auto* buffer = reinterpret_cast<char*>(lParam);
    if (!buffer || wParam == 0)
        return 0;
    size_t n = std::min<size_t>(text.size(), wParam - 1);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return static_cast<LRESULT>(n);
}

LRESULT ListMessage(HWND hwnd, ComboBox& c, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case CB_ADDSTRING: {
        const char* text = reinterpret_cast<const char*>(lParam);
        int at = (StyleOf(hwnd) & CBS_SORT) ? SortedPosition(c, text) : -1;
        return Insert(c, at, text);
    }
    case CB_INSERTSTRING: {
        int index = static_cast<int>(wParam);
        if (index > static_cast<int>(c.items.size()))
            return CB_ERR;
        return Insert(c, index, reinterpret_cast<const char*>(lParam));
    }
    case CB_DELETESTRING: {
        if (!InRange(c, wParam))
            return CB_ERR;
        int index = static_cast<int>(wParam);
        c.items.erase(c.items.begin() + index);
        if (c.selected == index)
            c.selected = -1;
        else if (c.selected > index)
            --c.selected;
        c.hot = std::min(c.hot, static_cast<int>(c.items.size()) - 1);
        Redraw(hwnd);
        if (c.dropped)
            Redraw(c.list);
        return static_cast<LRESULT>(c.items.size());
    }
    case CB_RESETCONTENT:
        c.items.clear();
        c.selected = c.hot = -1;
        c.top = 0;
        ShowInField(hwnd, c, "");
        if (c.dropped)
            Redraw(c.list);
        return CB_OKAY;
    case CB_GETCOUNT:
        return static_cast<LRESULT>(c.items.size());
    case CB_GETCURSEL:
        return c.selected;
    case CB_SETCURSEL:
        c.selected = InRange(c, wParam) ? static_cast<int>(wParam) : -1;
        c.hot = c.selected;
        ShowSelection(hwnd, c);
        if (c.dropped)
            Redraw(c.list);
        return c.selected >= 0 ? c.selected : CB_ERR;
    case CB_GETLBTEXT: {
        if (!InRange(c, wParam))
            return CB_ERR;
        const std::string& text = c.items[wParam].text;
        if (auto* buffer = reinterpret_cast<char*>(lParam))
            std::memcpy(buffer, text.c_str(), text.size() + 1);
        return static_cast<LRESULT>(text.size());
    }
    case CB_GETLBTEXTLEN:
        return InRange(c, wParam) ? static_cast<LRESULT>(c.items[wParam].text.size()) : CB_ERR;
    case CB_FINDSTRING:
    case CB_FINDSTRINGEXACT:
        return Find(c, wParam, reinterpret_cast<const char*>(lParam),
                    message == CB_FINDSTRINGEXACT);
    case CB_SELECTSTRING: {
        int found = Find(c, wParam, reinterpret_cast<const char*>(lParam), false);
        if (found != CB_ERR) {
            c.selected = c.hot = found;
            ShowSelection(hwnd, c);
        }
        return found;
    }
    case CB_GETITEMDATA:
        return InRange(c, wParam) ? static_cast<LRESULT>(c.items[wParam].data) : CB_ERR;
    case CB_SETITEMDATA:
        if (!InRange(c, wParam))
            return CB_ERR;
        c.items[wParam].data = static_cast<ULONG_PTR>(lParam);
        return TRUE;
    default:
        return CB_ERR;
    }
}

LRESULT FieldMessage(HWND hwnd, ComboBox& c, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case CB_SHOWDROPDOWN:
        if (wParam)
            Open(hwnd, c);
        else if (c.dropped)
            CloseComboList(hwnd, false);
        return TRUE;
    case CB_GETDROPPEDSTATE:
        return c.dropped;
    case CB_GETDROPPEDCONTROLRECT: {
        auto* out = reinterpret_cast<RECT*>(lParam);
        if (!out)
            return CB_ERR;
        GetWindowRect(hwnd, out);
        out->bottom = out->top + std::max<LONG>(c.droppedHeight, out->bottom - out->top);
        return CB_OKAY;
    }
    case CB_LIMITTEXT:
        if (!c.edit)
            return CB_ERR;
        SendMessageA(c.edit, EM_LIMITTEXT, wParam, 0);
        return TRUE;
    case CB_GETEDITSEL:
        return c.edit ? SendMessageA(c.edit, EM_GETSEL, wParam, lParam) : CB_ERR;
    case CB_SETEDITSEL:
        if (!c.edit)
            return CB_ERR;
        SendMessageA(c.edit, EM_SETSEL, static_cast<WPARAM>(static_cast<short>(LOWORD(lParam))),
                     static_cast<LPARAM>(static_cast<short>(HIWORD(lParam))));
        return TRUE;
    default:
        return CB_ERR;
    }
}

} // namespace

namespace qv::user::controls {

void CloseComboList(HWND combo, bool ok) {
    ComboBox* c = StateOf<ComboBox>(combo);
    if (!c || !c->dropped)
        return;
    c->dropped = false;
    if (GetCapture() == c->list)
        ReleaseCapture();
    ShowWindow(c->list, SW_HIDE);
    Redraw(combo);
    if (ok) {
        if (c->hot >= 0 && c->hot != c->selected) {
            c->selected = c->hot;
            Notify(combo, CBN_SELCHANGE);
            ShowSelection(combo, *c);
        }
        Notify(combo, CBN_SELENDOK);
    } else {
        Notify(combo, CBN_SELENDCANCEL);
    }
    Notify(combo, CBN_CLOSEUP);
}

} // namespace qv::user::controls

namespace qv::user {

LRESULT CALLBACK ComboBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    ComboBox* c = ControlState<ComboBox>(hwnd, message);
    if (!c)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    if (message >= CB_GETEDITSEL && message <= CB_FINDSTRINGEXACT) {
        if (message == CB_SHOWDROPDOWN || message == CB_GETDROPPEDSTATE ||
            message == CB_GETDROPPEDCONTROLRECT || message == CB_LIMITTEXT ||
            message == CB_GETEDITSEL || message == CB_SETEDITSEL)
            return FieldMessage(hwnd, *c, message, wParam, lParam);
        return ListMessage(hwnd, *c, message, wParam, lParam);
    }
    switch (message) {
    case WM_CREATE:
        Create(hwnd, *c, *reinterpret_cast<CREATESTRUCTA*>(lParam));
        return 0;
    case WM_DESTROY:
        if (c->list && IsWindow(c->list))
            DestroyWindow(c->list);
        c->list = nullptr;
        return 0;
    case WM_WINDOWPOSCHANGING: {
        // The control keeps the height of its field; a taller size is the open list's extent.
        auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
        if (pos && !(pos->flags & SWP_NOSIZE) && pos->cy != FieldHeight(*c)) {
            c->droppedHeight = pos->cy;
            pos->cy = FieldHeight(*c);
        }
        return 0;
    }
    case WM_SIZE:
        Layout(hwnd, *c);
        return 0;
    case WM_GETDLGCODE: {
        LRESULT code = DLGC_WANTCHARS | DLGC_WANTARROWS;
        auto* msg = reinterpret_cast<MSG*>(lParam);
        if (c->dropped && msg && msg->message == WM_KEYDOWN &&
            (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE))
            code |= DLGC_WANTMESSAGE;
        return code;
    }
    case WM_PAINT:
        Paint(hwnd, *c);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SETFONT:
        c->font = reinterpret_cast<HFONT>(wParam);
        if (c->edit)
            SendMessageA(c->edit, WM_SETFONT, wParam, lParam);
        Resize(hwnd, *c);
        Layout(hwnd, *c);
        if (LOWORD(lParam))
            Redraw(hwnd);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(c->font);
    case WM_SETTEXT:
        if (c->edit) {
            c->quiet = true;
            LRESULT result = SendMessageA(c->edit, WM_SETTEXT, wParam, lParam);
            c->quiet = false;
            return result;
        } else {
            int found =
                Find(*c, static_cast<WPARAM>(-1), reinterpret_cast<const char*>(lParam), true);
            if (found == CB_ERR)
                return CB_ERR;
            c->selected = c->hot = found;
            Redraw(hwnd);
            return TRUE;
        }
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
        return GetText(*c, message, wParam, lParam);
    case WM_ENABLE:
        if (c->edit)
            EnableWindow(c->edit, static_cast<BOOL>(wParam));
        if (!wParam && c->dropped)
            CloseComboList(hwnd, false);
        Redraw(hwnd);
        return 0;
    case WM_SETFOCUS:
        if (c->edit) {
            SetFocus(c->edit);
        } else {
            c->focused = true;
            Redraw(hwnd);
            Notify(hwnd, CBN_SETFOCUS);
        }
        return 0;
    case WM_KILLFOCUS:
        if (!c->edit) {
            c->focused = false;
            if (c->dropped)
                CloseComboList(hwnd, false);
            Redraw(hwnd);
            Notify(hwnd, CBN_KILLFOCUS);
        }
        return 0;
    case WM_COMMAND:
        if (c->edit && reinterpret_cast<HWND>(lParam) == c->edit)
            EditCommand(hwnd, *c, HIWORD(wParam));
        return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        return KeyDown(hwnd, *c, message, wParam);
    case WM_CHAR:
        if (c->edit)
            return SendMessageA(c->edit, message, wParam, lParam);
        if (static_cast<unsigned char>(wParam) >= 0x20)
            TypeAhead(hwnd, *c, static_cast<char>(wParam));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        RECT button = ButtonRect(hwnd);
        SetFocus(c->edit ? c->edit : hwnd);
        if (!c->edit || PtInRect(&button, p)) {
            if (c->dropped)
                CloseComboList(hwnd, false);
            else
                Open(hwnd, *c);
        }
        return 0;
    }
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

} // namespace qv::user
