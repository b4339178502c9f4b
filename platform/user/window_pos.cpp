#include "user/focus.h"
#include "user/nonclient.h"
#include "user/paint_state.h"
#include "user/window.h"
#include "user/window_tree.h"

using namespace qv::user;

namespace qv::user {
void ResizeSurface(Window& w);
}

namespace {

bool OriginOf(HWND hwnd, POINT* origin) {
    if (!hwnd) {
        *origin = POINT{};
        return true;
    }
    Window* w = CheckWindow(hwnd);
    if (!w)
        return false;
    *origin = ClientOrigin(*w);
    return true;
}

// What was under a window that moved or disappeared must be painted again.
void ExposeArea(Window& w) {
    if (IsTopLevel(w))
        return;
    if (Window* parent = FindWindowObject(w.parent)) {
        RECT area = w.rect;
        Invalidate(*parent, &area, true, false, true);
    }
}

// A minimised top-level window lies off the screen at its minimised size, as on Windows; its
// taskbar button stands for it.
void Minimise(Window& w) {
    w.style |= WS_MINIMIZE;
    if (!IsTopLevel(w))
        return;
    w.normal = w.rect;
    w.rect = RECT{-32000, -32000, -32000 + GetSystemMetrics(SM_CXMINIMIZED),
                  -32000 + GetSystemMetrics(SM_CYMINIMIZED)};
    w.client = ClientFromWindow(w.style, w.exStyle, w.rect.right - w.rect.left,
                                w.rect.bottom - w.rect.top);
    ResizeSurface(w);
}

void Restore(Window& w) {
    w.style &= ~WS_MINIMIZE;
    if (!IsTopLevel(w) || IsRectEmpty(&w.normal))
        return;
    w.rect = w.normal;
    w.client = ClientFromWindow(w.style, w.exStyle, w.rect.right - w.rect.left,
                                w.rect.bottom - w.rect.top);
    ResizeSurface(w);
}

} // namespace

BOOL WINAPI GetWindowRect(HWND hWnd, LPRECT lpRect) {
    auto lock = LockUser();
    Window* w = CheckWindow(hWnd);
    if (!w || !lpRect)
        return FALSE;
    *lpRect = ScreenRect(*w);
    return TRUE;
}

BOOL WINAPI GetClientRect(HWND hWnd, LPRECT lpRect) {
    auto lock = LockUser();
    Window* w = CheckWindow(hWnd);
    if (!w || !lpRect)
        return FALSE;
    *lpRect = RECT{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
    return TRUE;
}

BOOL WINAPI ClientToScreen(HWND hWnd, LPPOINT lpPoint) {
    auto lock = LockUser();
    Window* w = CheckWindow(hWnd);
    if (!w || !lpPoint)
        return FALSE;
    POINT origin = ClientOrigin(*w);
    lpPoint->x += origin.x;
    lpPoint->y += origin.y;
    return TRUE;
}

BOOL WINAPI ScreenToClient(HWND hWnd, LPPOINT lpPoint) {
    auto lock = LockUser();
    Window* w = CheckWindow(hWnd);
    if (!w || !lpPoint)
        return FALSE;
    POINT origin = ClientOrigin(*w);
    lpPoint->x -= origin.x;
    lpPoint->y -= origin.y;
    return TRUE;
}

int WINAPI MapWindowPoints(HWND hWndFrom, HWND hWndTo, LPPOINT lpPoints, UINT cPoints) {
    auto lock = LockUser();
    POINT from, to;
    if (!OriginOf(hWndFrom, &from) || !OriginOf(hWndTo, &to))
        return 0;
    int dx = from.x - to.x;
    int dy = from.y - to.y;
    for (UINT i = 0; lpPoints && i < cPoints; ++i) {
        lpPoints[i].x += dx;
        lpPoints[i].y += dy;
    }
    SetLastError(ERROR_SUCCESS);
    return MAKELONG(dx, dy);
}

BOOL WINAPI SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy,
                         UINT uFlags) {
    WINDOWPOS pos{hWnd, hWndInsertAfter, X, Y, cx, cy, uFlags};
    {
        auto lock = LockUser();
        Window* w = CheckWindow(hWnd);
        if (!w)
            return FALSE;
        if (uFlags & SWP_NOMOVE) {
            pos.x = w->rect.left;
            pos.y = w->rect.top;
        }
        if (uFlags & SWP_NOSIZE) {
            pos.cx = w->rect.right - w->rect.left;
            pos.cy = w->rect.bottom - w->rect.top;
        }
    }
    if (!(uFlags & SWP_NOSENDCHANGING))
        SendMessageA(hWnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    bool show = false;
    bool hide = false;
    {
        auto lock = LockUser();
        Window* w = FindWindowObject(hWnd);
        if (!w)
            return FALSE;
        RECT moved{pos.x, pos.y, pos.x + std::max(0, pos.cx), pos.y + std::max(0, pos.cy)};
        bool changed = !EqualRect(&moved, &w->rect) || (uFlags & SWP_FRAMECHANGED);
        if (changed) {
            if (w->style & WS_VISIBLE)
                ExposeArea(*w);
            w->rect = moved;
            w->client = ClientFromWindow(w->style, w->exStyle, moved.right - moved.left,
                                         moved.bottom - moved.top);
            ResizeSurface(*w);
            if ((w->style & WS_VISIBLE) && !(uFlags & SWP_NOREDRAW))
                Invalidate(*w, nullptr, true, true, true);
        }
        if (!(uFlags & SWP_NOZORDER)) {
            if (hWndInsertAfter == HWND_TOPMOST)
                w->exStyle |= WS_EX_TOPMOST;
            else if (hWndInsertAfter == HWND_NOTOPMOST)
                w->exStyle &= ~WS_EX_TOPMOST;
            LinkWindow(*w, hWndInsertAfter);
        }
        show = (uFlags & SWP_SHOWWINDOW) && !(w->style & WS_VISIBLE);
        hide = (uFlags & SWP_HIDEWINDOW) && (w->style & WS_VISIBLE);
        pos.flags = uFlags;
    }
    if (show)
        ShowWindow(hWnd, (uFlags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
    if (hide)
        ShowWindow(hWnd, SW_HIDE);
    SendMessageA(hWnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
    if (!(uFlags & SWP_NOACTIVATE) && !(uFlags & SWP_HIDEWINDOW)) {
        auto lock = LockUser();
        Window* w = FindWindowObject(hWnd);
        bool top = w && IsTopLevel(*w) && (w->style & WS_VISIBLE);
        lock.unlock();
        if (top && !(uFlags & SWP_NOZORDER))
            SetActiveWindow(hWnd);
    }
    return TRUE;
}

BOOL WINAPI MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint) {
    return SetWindowPos(hWnd, nullptr, X, Y, nWidth, nHeight,
                        SWP_NOZORDER | SWP_NOACTIVATE | (bRepaint ? 0 : SWP_NOREDRAW));
}

BOOL WINAPI BringWindowToTop(HWND hWnd) {
    return SetWindowPos(hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow) {
    bool wasVisible;
    bool topLevel;
    bool minimized;
    {
        auto lock = LockUser();
        Window* w = CheckWindow(hWnd);
        if (!w)
            return FALSE;
        wasVisible = (w->style & WS_VISIBLE) != 0;
        topLevel = IsTopLevel(*w);
        minimized = (w->style & WS_MINIMIZE) != 0;
    }
    if (nCmdShow == SW_HIDE) {
        if (!wasVisible)
            return FALSE;
        SendMessageA(hWnd, WM_SHOWWINDOW, FALSE, 0);
        HWND owner = nullptr;
        bool wasActive;
        {
            auto lock = LockUser();
            Window* w = FindWindowObject(hWnd);
            if (!w)
                return TRUE;
            ExposeArea(*w);
            w->style &= ~WS_VISIBLE;
            owner = w->owner;
            wasActive = State().active == hWnd;
            NotifyAll();
        }
        if (wasActive)
            DeactivateDestroyed(hWnd, owner);
        return TRUE;
    }
    bool minimize = nCmdShow == SW_MINIMIZE || nCmdShow == SW_SHOWMINIMIZED ||
                    nCmdShow == SW_SHOWMINNOACTIVE;
    bool restore = nCmdShow == SW_RESTORE || nCmdShow == SW_SHOWNORMAL;
    if (!wasVisible)
        SendMessageA(hWnd, WM_SHOWWINDOW, TRUE, 0);
    {
        auto lock = LockUser();
        Window* w = FindWindowObject(hWnd);
        if (!w)
            return wasVisible;
        w->style |= WS_VISIBLE;
        if (minimize && !minimized)
            Minimise(*w);
        if (restore && minimized)
            Restore(*w);
        if (!wasVisible || minimize != minimized)
            Invalidate(*w, nullptr, true, true, true);
        NotifyAll();
    }
    if (minimize != minimized && (minimize || restore)) {
        RECT client;
        GetClientRect(hWnd, &client);
        SendMessageA(hWnd, WM_SIZE, minimize ? SIZE_MINIMIZED : SIZE_RESTORED,
                     MAKELPARAM(client.right, client.bottom));
    }
    bool activate = topLevel && nCmdShow != SW_SHOWNA && nCmdShow != SW_SHOWNOACTIVATE &&
                    nCmdShow != SW_SHOWMINNOACTIVE;
    if (activate)
        SetActiveWindow(hWnd);
    return wasVisible;
}

BOOL WINAPI IsWindowVisible(HWND hWnd) {
    auto lock = LockUser();
    Window* w = FindWindowObject(hWnd);
    return w && IsShown(*w);
}

BOOL WINAPI IsIconic(HWND hWnd) {
    auto lock = LockUser();
    Window* w = FindWindowObject(hWnd);
    return w && (w->style & WS_MINIMIZE);
}

BOOL WINAPI IsZoomed(HWND hWnd) {
    auto lock = LockUser();
    Window* w = FindWindowObject(hWnd);
    return w && (w->style & WS_MAXIMIZE);
}
