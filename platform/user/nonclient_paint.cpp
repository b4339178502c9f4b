#include "user/nonclient.h"
#include "user/window.h"

using namespace qv::user;

namespace {

struct Frame {
    DWORD style = 0;
    DWORD exStyle = 0;
    RECT bounds{};
    RECT client{};
    RECT close{};
    bool active = false;
    std::string text;
};

bool Describe(HWND hwnd, Frame* f) {
    auto lock = LockUser();
    Window* w = FindWindowObject(hwnd);
    if (!w)
        return false;
    f->style = w->style;
    f->exStyle = w->exStyle;
    f->bounds = RECT{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
    f->client = w->client;
    f->close = CloseButtonRect(*w);
    f->active = State().active == hwnd || RootOf(FindWindowObject(State().active)) == w;
    f->text = w->text;
    return true;
}

void DrawCloseButton(HDC hdc, RECT r) {
    FillRect(hdc, &r, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(hdc, &r, EDGE_RAISED, BF_RECT);
    HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNTEXT));
    HGDIOBJ old = SelectObject(hdc, pen);
    int cx = (r.left + r.right) / 2 - 1;
    int cy = (r.top + r.bottom) / 2 - 1;
    for (int d = 0; d < 2; ++d) {
        MoveToEx(hdc, cx - 3 + d, cy - 3, nullptr);
        LineTo(hdc, cx + 4 + d, cy + 4);
        MoveToEx(hdc, cx + 3 + d, cy - 3, nullptr);
        LineTo(hdc, cx - 4 + d, cy + 4);
    }
    SelectObject(hdc, old);
    DeleteObject(pen);
}

} // namespace

namespace qv::user {

void PaintFrame(HWND hwnd) {
    Frame f;
    if (!Describe(hwnd, &f))
        return;
    HDC hdc = GetWindowDC(hwnd);
    if (!hdc)
        return;
    RECT r = f.bounds;
    if ((f.style & WS_THICKFRAME) || (f.style & WS_DLGFRAME) || (f.exStyle & WS_EX_DLGMODALFRAME)) {
        DrawEdge(hdc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
        int face = (f.style & WS_THICKFRAME) ? 2 : 1;
        for (int i = 0; i < face; ++i) {
            FrameRect(hdc, &r, GetSysColorBrush(COLOR_BTNFACE));
            InflateRect(&r, -1, -1);
        }
    } else if (f.style & WS_BORDER) {
        FrameRect(hdc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&r, -1, -1);
    }
    if ((f.style & WS_CAPTION) == WS_CAPTION) {
        RECT caption{r.left, r.top, r.right, r.top + GetSystemMetrics(SM_CYCAPTION) - 1};
        FillRect(hdc, &caption, GetSysColorBrush(f.active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
        RECT line{caption.left, caption.bottom, caption.right, caption.bottom + 1};
        FillRect(hdc, &line, GetSysColorBrush(COLOR_BTNFACE));
        HFONT font = CreateFontA(-11, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                 DEFAULT_PITCH | FF_DONTCARE, "Tahoma");
        HGDIOBJ oldFont = SelectObject(hdc, font);
        SetBkMode(hdc, TRANSPARENT);
        SetTextColor(hdc, GetSysColor(f.active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
        RECT text = caption;
        text.left += 4;
        text.right = IsRectEmpty(&f.close) ? caption.right - 2 : f.close.left - 2;
        DrawTextA(hdc, f.text.c_str(), -1, &text,
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        SelectObject(hdc, oldFont);
        DeleteObject(font);
        if (!IsRectEmpty(&f.close))
            DrawCloseButton(hdc, f.close);
    }
    if (f.exStyle & WS_EX_CLIENTEDGE) {
        RECT edge = f.client;
        InflateRect(&edge, GetSystemMetrics(SM_CXEDGE), GetSystemMetrics(SM_CYEDGE));
        DrawEdge(hdc, &edge, EDGE_SUNKEN, BF_RECT);
    }
    ReleaseDC(hwnd, hdc);
}

} // namespace qv::user
