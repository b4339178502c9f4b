// The "Static" class: texts, icons, frames and rectangles, and owner-drawn statics.
#include "gdi/icon.h"
#include "user/control_paint.h"
#include "user/system_classes.h"

#include <cstdlib>

using namespace qv::user::controls;

namespace {

struct Static {
    HFONT font = nullptr;
    HICON icon = nullptr;
};

DWORD StyleOf(HWND hwnd) {
    return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
}
UINT TypeOf(HWND hwnd) {
    return StyleOf(hwnd) & SS_TYPEMASK;
}

bool IsTextType(UINT type) {
    return type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT || type == SS_SIMPLE ||
           type == SS_LEFTNOWORDWRAP;
}

// The icon named by the window text: "#128" is the ordinal 128 of the window's module.
HICON LoadNamedIcon(HINSTANCE instance, const char* name) {
    if (!name || !*name)
        return nullptr;
    if (name[0] == '#')
        return LoadIconA(instance, MAKEINTRESOURCE(std::atoi(name + 1)));
    return LoadIconA(instance, name);
}

// An icon static takes the icon's size, unless SS_CENTERIMAGE keeps its own and centres it.
void FitToIcon(HWND hwnd, HICON icon) {
    if (!icon || (StyleOf(hwnd) & SS_CENTERIMAGE))
        return;
    const qv::gdi::IconImage* image = qv::gdi::GetIconImage(icon);
    int cx = image ? image->width : GetSystemMetrics(SM_CXICON);
    int cy = image ? image->height : GetSystemMetrics(SM_CYICON);
    SetWindowPos(hwnd, nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

UINT TextFormat(DWORD style) {
    UINT format = DT_EXPANDTABS;
    switch (style & SS_TYPEMASK) {
    case SS_CENTER:
        format |= DT_CENTER | DT_WORDBREAK;
        break;
    case SS_RIGHT:
        format |= DT_RIGHT | DT_WORDBREAK;
        break;
    case SS_SIMPLE:
        format |= DT_SINGLELINE;
        break;
    case SS_LEFTNOWORDWRAP:
        break;
    default:
        format |= DT_WORDBREAK;
        break;
    }
    if (style & SS_NOPREFIX)
        format |= DT_NOPREFIX;
    if (style & SS_CENTERIMAGE)
        format = (format & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER;
    if ((style & SS_WORDELLIPSIS) == SS_ENDELLIPSIS)
        format = (format & ~DT_WORDBREAK) | DT_END_ELLIPSIS;
    return format;
}

void PaintText(HWND hwnd, HDC hdc, RECT r) {
    const DWORD style = StyleOf(hwnd);
    const std::string text = WindowText(hwnd);
    if (style & WS_DISABLED)
        SetTextColor(hdc, GetSysColor(COLOR_GRAYTEXT));
    DrawTextA(hdc, text.c_str(), static_cast<int>(text.size()), &r, TextFormat(style));
}

void PaintIcon(HDC hdc, HICON icon, const RECT& r) {
    if (!icon)
        return;
    const qv::gdi::IconImage* image = qv::gdi::GetIconImage(icon);
    int cx = image ? image->width : GetSystemMetrics(SM_CXICON);
    int cy = image ? image->height : GetSystemMetrics(SM_CYICON);
    DrawIcon(hdc, r.left + (r.right - r.left - cx) / 2, r.top + (r.bottom - r.top - cy) / 2, icon);
}

// The plain shapes: filled rectangles, frames and etched lines, in system colours.
void PaintShape(HDC hdc, UINT type, RECT r) {
    switch (type) {
    case SS_BLACKRECT:
        FillRect(hdc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
        break;
    case SS_GRAYRECT:
        FillRect(hdc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
        break;
    case SS_WHITERECT:
        FillRect(hdc, &r, GetSysColorBrush(COLOR_WINDOW));
        break;
    case SS_BLACKFRAME:
        FrameRect(hdc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
        break;
    case SS_ETCHEDHORZ:
        DrawEdge(hdc, &r, EDGE_ETCHED, BF_TOP);
        break;
    case SS_ETCHEDVERT:
        DrawEdge(hdc, &r, EDGE_ETCHED, BF_LEFT);
        break;
    case SS_ETCHEDFRAME:
        DrawEdge(hdc, &r, EDGE_ETCHED, BF_RECT);
        break;
    default:
        break;
    }
}

void Paint(HWND hwnd, Static& s) {
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hwnd, &ps);
    if (!hdc)
        return;
    const DWORD style = StyleOf(hwnd);
    const UINT type = style & SS_TYPEMASK;
    RECT r = ClientRect(hwnd);
    HGDIOBJ oldFont = SelectObject(hdc, FontOrDefault(s.font));
    HBRUSH brush = ParentColours(hwnd, GetParent(hwnd), WM_CTLCOLORSTATIC, hdc);
    if (type == SS_OWNERDRAW) {
        DRAWITEMSTRUCT item{ODT_STATIC,
                            static_cast<UINT>(GetDlgCtrlID(hwnd)),
                            0,
                            ODA_DRAWENTIRE,
                            (style & WS_DISABLED) ? static_cast<UINT>(ODS_DISABLED) : 0u,
                            hwnd,
                            hdc,
                            r,
                            0};
        SendMessageA(GetParent(hwnd), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
    } else {
        if (style & SS_SUNKEN)
            DrawEdge(hdc, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        if (IsTextType(type) || type == SS_ICON)
            FillBackground(hdc, r, brush);
        if (IsTextType(type))
            PaintText(hwnd, hdc, r);
        else if (type == SS_ICON)
            PaintIcon(hdc, s.icon, r);
        else
            PaintShape(hdc, type, r);
    }
    SelectObject(hdc, oldFont);
    EndPaint(hwnd, &ps);
}

} // namespace

namespace qv::user {

LRESULT CALLBACK StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Static* s = ControlState<Static>(hwnd, message);
    if (!s)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    switch (message) {
    case WM_CREATE:
        if (TypeOf(hwnd) == SS_ICON) {
            auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
            s->icon = LoadNamedIcon(cs->hInstance, cs->lpszName);
            FitToIcon(hwnd, s->icon);
        }
        return 0;
    case WM_NCHITTEST:
        return (StyleOf(hwnd) & SS_NOTIFY) ? DefWindowProcA(hwnd, message, wParam, lParam)
                                           : HTTRANSPARENT;
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    case WM_LBUTTONDOWN:
        if (StyleOf(hwnd) & SS_NOTIFY)
            Notify(hwnd, STN_CLICKED);
        return 0;
    case WM_LBUTTONDBLCLK:
        if (StyleOf(hwnd) & SS_NOTIFY)
            Notify(hwnd, STN_DBLCLK);
        return 0;
    case WM_PAINT:
        Paint(hwnd, *s);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SETFONT:
        s->font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam))
            Redraw(hwnd);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(s->font);
    case WM_SETTEXT: {
        LRESULT result = DefWindowProcA(hwnd, message, wParam, lParam);
        Redraw(hwnd);
        return result;
    }
    case WM_ENABLE:
        if (StyleOf(hwnd) & SS_NOTIFY)
            Notify(hwnd, wParam ? STN_ENABLE : STN_DISABLE);
        Redraw(hwnd);
        return 0;
    case WM_STYLECHANGED:
        Redraw(hwnd);
        return 0;
    case STM_SETICON: {
        HICON old = s->icon;
        s->icon = reinterpret_cast<HICON>(wParam);
        FitToIcon(hwnd, s->icon);
        Redraw(hwnd);
        return reinterpret_cast<LRESULT>(old);
    }
    case STM_GETICON:
        return reinterpret_cast<LRESULT>(s->icon);
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

} // namespace qv::user
