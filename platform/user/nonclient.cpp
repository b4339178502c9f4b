#include "user/nonclient.h"

#include "user/window.h"

namespace qv::user {
namespace {

int FrameWidth(DWORD style, DWORD exStyle) {
    int width = 0;
    if (style & WS_THICKFRAME)
        width = GetSystemMetrics(SM_CXFRAME);
    else if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME))
        width = GetSystemMetrics(SM_CXDLGFRAME);
    else if (style & WS_BORDER)
        width = GetSystemMetrics(SM_CXBORDER);
    if (exStyle & WS_EX_CLIENTEDGE)
        width += GetSystemMetrics(SM_CXEDGE);
    if (exStyle & WS_EX_STATICEDGE)
        width += GetSystemMetrics(SM_CXBORDER);
    return width;
}

bool HasCaption(DWORD style) { return (style & WS_CAPTION) == WS_CAPTION; }

} // namespace

RECT ClientFromWindow(DWORD style, DWORD exStyle, int width, int height) {
    int frame = FrameWidth(style, exStyle);
    RECT r{frame, frame, width - frame, height - frame};
    if (HasCaption(style))
        r.top += GetSystemMetrics(SM_CYCAPTION);
    if (r.right < r.left)
        r.right = r.left;
    if (r.bottom < r.top)
        r.bottom = r.top;
    return r;
}

RECT CloseButtonRect(const Window& w) {
    if (!HasCaption(w.style) || !(w.style & WS_SYSMENU))
        return RECT{};
    int frame = FrameWidth(w.style, w.exStyle & ~(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
    int size = GetSystemMetrics(SM_CYCAPTION) - 4;
    int right = (w.rect.right - w.rect.left) - frame - 2;
    int top = frame + 2;
    return RECT{right - size - 2, top, right, top + size};
}

LRESULT NonClientHitTest(const Window& w, POINT screen) {
    POINT origin = WindowOrigin(w);
    POINT p{screen.x - origin.x, screen.y - origin.y};
    RECT bounds{0, 0, w.rect.right - w.rect.left, w.rect.bottom - w.rect.top};
    if (!PtInRect(&bounds, p))
        return HTNOWHERE;
    if (PtInRect(&w.client, p))
        return HTCLIENT;
    if (HasCaption(w.style)) {
        RECT close = CloseButtonRect(w);
        if (PtInRect(&close, p))
            return HTCLOSE;
        int frame = FrameWidth(w.style, w.exStyle & ~(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
        RECT caption{frame, frame, bounds.right - frame, frame + GetSystemMetrics(SM_CYCAPTION)};
        if (PtInRect(&caption, p))
            return (w.style & WS_SYSMENU) && p.x < caption.left + GetSystemMetrics(SM_CXSIZE)
                       ? HTSYSMENU
                       : HTCAPTION;
    }
    return HTBORDER;
}

} // namespace qv::user
