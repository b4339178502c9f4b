// The "Button" class: push buttons, check boxes, radio buttons, group boxes and owner-drawn
// buttons, in the classic look.
#include "user/control_paint.h"
#include "user/system_classes.h"

#include <windowsx.h>

using namespace qv::user::controls;

namespace {

struct Button {
    UINT check = BST_UNCHECKED;
    bool pushed = false;
    bool focused = false;
    bool tracking = false; // the mouse pressed it and holds the capture
    bool spaceDown = false;
    HFONT font = nullptr;
};

constexpr int kBoxSize = 13;

UINT TypeOf(HWND hwnd) {
    return GetWindowLongA(hwnd, GWL_STYLE) & BS_TYPEMASK;
}
DWORD StyleOf(HWND hwnd) {
    return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
}

bool IsCheckType(UINT type) {
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
           type == BS_AUTO3STATE;
}
bool IsRadioType(UINT type) {
    return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}
bool IsPushType(UINT type) {
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}
// Drawn as a push button: push buttons, and check boxes and radio buttons with BS_PUSHLIKE.
bool LooksPushed(HWND hwnd) {
    UINT type = TypeOf(hwnd);
    return IsPushType(type) ||
           ((IsCheckType(type) || IsRadioType(type)) && (StyleOf(hwnd) & BS_PUSHLIKE));
}

// Automatic radio buttons: check this one and clear the others of its group.
void CheckInGroup(HWND hwnd) {
    HWND parent = GetParent(hwnd);
    HWND first = hwnd;
    while (!(GetWindowLongA(first, GWL_STYLE) & WS_GROUP)) {
        HWND prev = GetWindow(first, GW_HWNDPREV);
        if (!prev)
            break;
        first = prev;
    }
    for (HWND w = first; w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w != first && (GetWindowLongA(w, GWL_STYLE) & WS_GROUP))
            break;
        if (GetParent(w) == parent && SendMessageA(w, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON &&
            (GetWindowLongA(w, GWL_STYLE) & BS_TYPEMASK) == BS_AUTORADIOBUTTON)
            SendMessageA(w, BM_SETCHECK, w == hwnd ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

// What a click does: automatic buttons change their state first, then the parent hears of it.
void Clicked(HWND hwnd, Button& b) {
    switch (TypeOf(hwnd)) {
    case BS_AUTOCHECKBOX:
        SendMessageA(hwnd, BM_SETCHECK, b.check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED, 0);
        break;
    case BS_AUTO3STATE:
        SendMessageA(hwnd, BM_SETCHECK, (b.check + 1) % 3, 0);
        break;
    case BS_AUTORADIOBUTTON:
        CheckInGroup(hwnd);
        break;
    default:
        break;
    }
    Notify(hwnd, BN_CLICKED);
}

void SetPushed(HWND hwnd, Button& b, bool pushed) {
    if (b.pushed == pushed)
        return;
    b.pushed = pushed;
    Redraw(hwnd);
}

LRESULT DlgCode(HWND hwnd) {
    switch (TypeOf(hwnd)) {
    case BS_PUSHBUTTON:
        return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case BS_DEFPUSHBUTTON:
        return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        return DLGC_BUTTON | DLGC_RADIOBUTTON;
    case BS_GROUPBOX:
        return DLGC_STATIC;
    default:
        return DLGC_BUTTON;
    }
}

// The text's format: one centred line, or wrapped lines (BS_MULTILINE) centred as a block.
UINT TextFormat(DWORD style, UINT horizontal) {
    UINT format = horizontal;
    if (!(style & BS_MULTILINE))
        format |= DT_SINGLELINE | DT_VCENTER;
    else
        format |= DT_WORDBREAK;
    return format;
}

// Where the text goes in the rectangle: for wrapped text, the block's rectangle centred
// vertically; for one line, the rectangle itself.
RECT TextRect(HDC hdc, const std::string& text, RECT r, UINT format) {
    if (format & DT_SINGLELINE)
        return r;
    RECT calc = r;
    DrawTextA(hdc, text.c_str(), static_cast<int>(text.size()), &calc, format | DT_CALCRECT);
    int height = calc.bottom - calc.top;
    r.top += std::max(0, ((r.bottom - r.top) - height) / 2);
    r.bottom = r.top + height;
    return r;
}

void PaintPush(HWND hwnd, Button& b, HDC hdc, RECT r, HBRUSH brush) {
    const DWORD style = StyleOf(hwnd);
    const bool enabled = !(style & WS_DISABLED);
    FillBackground(hdc, r, brush);
    if (TypeOf(hwnd) == BS_DEFPUSHBUTTON) {
        FrameRect(hdc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&r, -1, -1);
    }
    const bool down = b.pushed || b.check == BST_CHECKED;
    if (b.pushed) {
        FillRect(hdc, &r, GetSysColorBrush(COLOR_BTNFACE));
        FrameRect(hdc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
    } else if (down) {
        RECT edge = r;
        DrawEdge(hdc, &edge, EDGE_SUNKEN, BF_RECT | BF_MIDDLE);
    } else {
        RECT edge = r;
        DrawEdge(hdc, &edge, EDGE_RAISED, BF_RECT | BF_SOFT | BF_MIDDLE);
    }
    RECT content = r;
    InflateRect(&content, -3, -3);
    RECT text = content;
    if (down)
        OffsetRect(&text, 1, 1);
    const std::string caption = WindowText(hwnd);
    const UINT format = TextFormat(style, DT_CENTER);
    int mode = SetBkMode(hdc, TRANSPARENT);
    DrawControlText(hdc, caption, TextRect(hdc, caption, text, format), format, enabled);
    SetBkMode(hdc, mode);
    if (b.focused)
        DrawFocusRect(hdc, &content);
}

// The check mark: seven columns, each three pixels high, in the box's inside.
void DrawCheckMark(HDC hdc, const RECT& inside, int colour) {
    static const int tops[7] = {2, 3, 4, 3, 2, 1, 0};
    HBRUSH brush = GetSysColorBrush(colour);
    for (int i = 0; i < 7; ++i) {
        RECT column{inside.left + 1 + i, inside.top + 1 + tops[i], inside.left + 2 + i,
                    inside.top + 4 + tops[i]};
        FillRect(hdc, &column, brush);
    }
}

// A round radio button from horizontal spans: the shadow ring, the white inside, the dot.
void DrawRadio(HDC hdc, const RECT& box, bool checked, bool enabled) {
    static const int halves[12] = {2, 4, 5, 5, 6, 6, 6, 6, 5, 5, 4, 2};
    auto spans = [&](int inset, int colour) {
        HBRUSH brush = GetSysColorBrush(colour);
        for (int y = inset; y < 12 - inset; ++y) {
            int half = halves[y] - inset;
            if (half <= 0)
                continue;
            RECT line{box.left + 6 - half, box.top + y, box.left + 6 + half, box.top + y + 1};
            FillRect(hdc, &line, brush);
        }
    };
    spans(0, COLOR_BTNSHADOW);
    spans(1, enabled ? COLOR_WINDOW : COLOR_BTNFACE);
    if (checked) {
        RECT dot{box.left + 4, box.top + 4, box.left + 8, box.top + 8};
        FillRect(hdc, &dot, GetSysColorBrush(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    }
}

void PaintCheck(HWND hwnd, Button& b, HDC hdc, RECT r, HBRUSH brush) {
    const DWORD style = StyleOf(hwnd);
    const bool enabled = !(style & WS_DISABLED);
    const bool radio = IsRadioType(TypeOf(hwnd));
    FillBackground(hdc, r, brush);
    const bool leftText = (style & BS_LEFTTEXT) != 0;
    const int top = (r.top + r.bottom - kBoxSize) / 2;
    RECT box{leftText ? r.right - kBoxSize : r.left, top, 0, top + kBoxSize};
    box.right = box.left + kBoxSize;
    if (radio) {
        DrawRadio(hdc, box, b.check == BST_CHECKED, enabled && !b.pushed);
    } else {
        RECT inside = box;
        DrawEdge(hdc, &inside, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        bool grey = !enabled || b.pushed || b.check == BST_INDETERMINATE;
        FillRect(hdc, &inside, GetSysColorBrush(grey ? COLOR_BTNFACE : COLOR_WINDOW));
        if (b.check != BST_UNCHECKED)
            DrawCheckMark(hdc, inside,
                          enabled && b.check == BST_CHECKED ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT);
    }
    RECT text = r;
    if (leftText)
        text.right = box.left - 4;
    else
        text.left = box.right + 4;
    const std::string caption = WindowText(hwnd);
    const UINT format = TextFormat(style, DT_LEFT);
    RECT placed = TextRect(hdc, caption, text, format);
    DrawControlText(hdc, caption, placed, format, enabled);
    if (b.focused && !caption.empty()) {
        RECT focus = placed;
        DrawTextA(hdc, caption.c_str(), static_cast<int>(caption.size()), &focus,
                  (format & ~(DT_VCENTER)) | DT_CALCRECT);
        int height = focus.bottom - focus.top;
        if (format & DT_SINGLELINE)
            OffsetRect(&focus, 0, (placed.top + placed.bottom - height) / 2 - focus.top);
        InflateRect(&focus, 1, 1);
        IntersectRect(&focus, &focus, &r);
        DrawFocusRect(hdc, &focus);
    }
}

void PaintGroup(HWND hwnd, HDC hdc, RECT r, HBRUSH brush) {
    const DWORD style = StyleOf(hwnd);
    const std::string caption = WindowText(hwnd);
    const int lineHeight = LineHeight(reinterpret_cast<HFONT>(GetCurrentObject(hdc, OBJ_FONT)));
    RECT frame = r;
    frame.top += lineHeight / 2;
    if (style & BS_FLAT)
        FrameRect(hdc, &frame, GetSysColorBrush(COLOR_BTNSHADOW));
    else
        DrawEdge(hdc, &frame, EDGE_ETCHED, BF_RECT);
    if (caption.empty())
        return;
    RECT text{r.left + 8, r.top, r.right - 8, r.top + lineHeight};
    DrawTextA(hdc, caption.c_str(), static_cast<int>(caption.size()), &text,
              DT_SINGLELINE | DT_LEFT | DT_CALCRECT);
    // The text sits on the face colour, over the frame line, with a little room on each side.
    RECT under{text.left - 2, text.top, std::min<LONG>(text.right + 2, r.right - 6), text.bottom};
    FillBackground(hdc, under, brush);
    DrawControlText(hdc, caption, text, DT_SINGLELINE | DT_LEFT, !(style & WS_DISABLED));
}

void PaintOwnerDrawn(HWND hwnd, Button& b, HDC hdc, const RECT& r) {
    UINT state = 0;
    if (b.pushed)
        state |= ODS_SELECTED;
    if (b.focused)
        state |= ODS_FOCUS;
    if (StyleOf(hwnd) & WS_DISABLED)
        state |= ODS_DISABLED;
    DRAWITEMSTRUCT item{
        ODT_BUTTON, static_cast<UINT>(GetDlgCtrlID(hwnd)), 0, ODA_DRAWENTIRE, state, hwnd, hdc, r,
        0};
    SendMessageA(GetParent(hwnd), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
}

void Paint(HWND hwnd, Button& b) {
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hwnd, &ps);
    if (!hdc)
        return;
    const RECT r = ClientRect(hwnd);
    HGDIOBJ oldFont = SelectObject(hdc, FontOrDefault(b.font));
    const UINT type = TypeOf(hwnd);
    const bool pushLike = LooksPushed(hwnd);
    // Push buttons ask for button colours; check boxes, radio buttons and group boxes are
    // drawn on the dialog's face and ask for static colours, as on Windows.
    const UINT message = pushLike || type == BS_OWNERDRAW ? WM_CTLCOLORBTN : WM_CTLCOLORSTATIC;
    HBRUSH brush = ParentColours(hwnd, GetParent(hwnd), message, hdc);
    if (type == BS_OWNERDRAW)
        PaintOwnerDrawn(hwnd, b, hdc, r);
    else if (type == BS_GROUPBOX)
        PaintGroup(hwnd, hdc, r, brush);
    else if (pushLike)
        PaintPush(hwnd, b, hdc, r, brush);
    else
        PaintCheck(hwnd, b, hdc, r, brush);
    SelectObject(hdc, oldFont);
    EndPaint(hwnd, &ps);
}

void Release(HWND hwnd, Button& b, bool click) {
    b.tracking = false;
    b.spaceDown = false;
    SetPushed(hwnd, b, false);
    if (click)
        Clicked(hwnd, b);
}

} // namespace

namespace qv::user {

LRESULT CALLBACK ButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Button* b = ControlState<Button>(hwnd, message);
    if (!b)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    const UINT type = TypeOf(hwnd);
    switch (message) {
    case WM_NCHITTEST:
        return type == BS_GROUPBOX ? HTTRANSPARENT : DefWindowProcA(hwnd, message, wParam, lParam);
    case WM_GETDLGCODE:
        return DlgCode(hwnd);
    case WM_PAINT:
        Paint(hwnd, *b);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SETFONT:
        b->font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam))
            Redraw(hwnd);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(b->font);
    case WM_SETTEXT: {
        LRESULT result = DefWindowProcA(hwnd, message, wParam, lParam);
        Redraw(hwnd);
        return result;
    }
    case WM_ENABLE:
    case WM_STYLECHANGED:
        Redraw(hwnd);
        return 0;
    case WM_LBUTTONDBLCLK:
        // Radio buttons, owner-drawn buttons and BS_NOTIFY report double-clicks; the others
        // take the second press as a press.
        if (IsRadioType(type) || type == BS_OWNERDRAW || (StyleOf(hwnd) & BS_NOTIFY)) {
            Notify(hwnd, BN_DOUBLECLICKED);
            return 0;
        }
        [[fallthrough]];
    case WM_LBUTTONDOWN:
        if (type == BS_GROUPBOX)
            return 0;
        SetCapture(hwnd);
        SetFocus(hwnd);
        b->tracking = true;
        SetPushed(hwnd, *b, true);
        return 0;
    case WM_MOUSEMOVE:
        if (b->tracking) {
            RECT r = ClientRect(hwnd);
            SetPushed(hwnd, *b, PtInRect(&r, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}));
        }
        return 0;
    case WM_LBUTTONUP:
        if (b->tracking) {
            RECT r = ClientRect(hwnd);
            bool inside = PtInRect(&r, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            b->tracking = false;
            if (GetCapture() == hwnd)
                ReleaseCapture();
            Release(hwnd, *b, inside);
        }
        return 0;
    case WM_CAPTURECHANGED:
        if (b->tracking && reinterpret_cast<HWND>(lParam) != hwnd)
            Release(hwnd, *b, false);
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE && type != BS_GROUPBOX && !b->tracking) {
            b->spaceDown = true;
            SetPushed(hwnd, *b, true);
        }
        return 0;
    case WM_KEYUP:
        if (wParam == VK_SPACE && b->spaceDown)
            Release(hwnd, *b, b->pushed);
        return 0;
    case WM_SETFOCUS:
        b->focused = true;
        Redraw(hwnd);
        if (StyleOf(hwnd) & BS_NOTIFY)
            Notify(hwnd, BN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        b->focused = false;
        if (b->tracking && GetCapture() == hwnd)
            ReleaseCapture();
        Release(hwnd, *b, false);
        Redraw(hwnd);
        if (StyleOf(hwnd) & BS_NOTIFY)
            Notify(hwnd, BN_KILLFOCUS);
        return 0;
    case BM_GETCHECK:
        return IsCheckType(type) || IsRadioType(type) ? b->check : BST_UNCHECKED;
    case BM_SETCHECK: {
        UINT check = static_cast<UINT>(wParam);
        if (check == BST_INDETERMINATE && type != BS_3STATE && type != BS_AUTO3STATE)
            check = BST_CHECKED;
        if ((IsCheckType(type) || IsRadioType(type)) && check != b->check && check <= 2) {
            b->check = check;
            Redraw(hwnd);
        }
        return 0;
    }
    case BM_GETSTATE:
        return (IsCheckType(type) || IsRadioType(type) ? b->check : 0) |
               (b->pushed ? BST_PUSHED : 0) | (b->focused ? BST_FOCUS : 0);
    case BM_SETSTATE:
        SetPushed(hwnd, *b, wParam != 0);
        return 0;
    case BM_SETSTYLE: {
        DWORD style = (StyleOf(hwnd) & ~BS_TYPEMASK) | (static_cast<DWORD>(wParam) & BS_TYPEMASK);
        SetWindowLongA(hwnd, GWL_STYLE, static_cast<LONG>(style));
        if (LOWORD(lParam))
            Redraw(hwnd);
        return 0;
    }
    case BM_CLICK:
        // A press and a release inside, as the mouse would make them.
        if (IsWindowEnabled(hwnd) && type != BS_GROUPBOX) {
            SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
            SendMessageA(hwnd, WM_LBUTTONUP, 0, 0);
        }
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

} // namespace qv::user
