#include "user/paint_state.h"
#include "user/window.h"

using namespace qv::user;

namespace qv::user {
namespace {

HWND FindIn(Window& w, DWORD threadId, HWND filter, bool filterMatched) {
    bool matched = filterMatched || !filter || w.handle == filter;
    if (w.handle != State().desktop && !(w.style & WS_VISIBLE))
        return nullptr;
    if (matched && w.threadId == threadId && (!IsRectEmpty(&w.update) || w.needsNcPaint))
        return w.handle;
    for (HWND child : w.children) {
        if (Window* c = FindWindowObject(child)) {
            if (HWND found = FindIn(*c, threadId, filter, matched))
                return found;
        }
    }
    return nullptr;
}

} // namespace

HWND FindWindowToPaint(DWORD threadId, HWND filter) {
    if (filter == reinterpret_cast<HWND>(-1))
        return nullptr;
    Window* desktop = FindWindowObject(State().desktop);
    return desktop ? FindIn(*desktop, threadId, filter, false) : nullptr;
}

void Invalidate(Window& w, const RECT* rect, bool erase, bool frame, bool children) {
    RECT client{0, 0, w.client.right - w.client.left, w.client.bottom - w.client.top};
    RECT area = client;
    if (rect && !IntersectRect(&area, rect, &client))
        area = RECT{};
    if (!IsRectEmpty(&area)) {
        UnionRect(&w.update, &w.update, &area);
        w.needsErase = w.needsErase || erase;
    }
    w.needsNcPaint = w.needsNcPaint || frame;
    if (children && !IsRectEmpty(&area)) {
        for (HWND h : w.children) {
            Window* c = FindWindowObject(h);
            if (!c || !(c->style & WS_VISIBLE))
                continue;
            RECT inChild = area;
            OffsetRect(&inChild, -(c->rect.left + c->client.left), -(c->rect.top + c->client.top));
            Invalidate(*c, &inChild, erase, frame, true);
        }
    }
    QueueOf(w.threadId).wake.notify_all();
    State().changed.notify_all();
}

} // namespace qv::user

BOOL WINAPI InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase) {
    auto lock = LockUser();
    Window* w = hWnd ? CheckWindow(hWnd) : FindWindowObject(State().desktop);
    if (!w)
        return FALSE;
    if (!hWnd) {
        for (HWND top : w->children)
            Invalidate(*FindWindowObject(top), nullptr, bErase, true, true);
        return TRUE;
    }
    Invalidate(*w, lpRect, bErase, false, !(w->style & WS_CLIPCHILDREN));
    return TRUE;
}

BOOL WINAPI ValidateRect(HWND hWnd, const RECT* lpRect) {
    auto lock = LockUser();
    Window* w = CheckWindow(hWnd);
    if (!w)
        return FALSE;
    RECT inside{};
    // A rectangle that covers the whole update region validates it; a partial one keeps the
    // bounding box, which is what this platform's rectangular regions can hold.
    if (!lpRect || (IntersectRect(&inside, lpRect, &w->update) && EqualRect(&inside, &w->update)))
        w->update = RECT{};
    if (IsRectEmpty(&w->update))
        w->needsErase = false;
    return TRUE;
}

BOOL WINAPI GetUpdateRect(HWND hWnd, LPRECT lpRect, BOOL) {
    auto lock = LockUser();
    Window* w = CheckWindow(hWnd);
    if (!w)
        return FALSE;
    if (lpRect)
        *lpRect = w->update;
    return !IsRectEmpty(&w->update);
}

BOOL WINAPI UpdateWindow(HWND hWnd) {
    {
        auto lock = LockUser();
        Window* w = CheckWindow(hWnd);
        if (!w)
            return FALSE;
        if (!IsShown(*w) || (IsRectEmpty(&w->update) && !w->needsNcPaint))
            return TRUE;
    }
    SendMessageA(hWnd, WM_PAINT, 0, 0);
    auto lock = LockUser();
    if (Window* w = FindWindowObject(hWnd)) {
        w->update = RECT{};
        w->needsErase = w->needsNcPaint = false;
    }
    return TRUE;
}

BOOL WINAPI RedrawWindow(HWND hWnd, const RECT* lprcUpdate, HRGN, UINT flags) {
    std::vector<HWND> toUpdate;
    {
        auto lock = LockUser();
        Window* w = hWnd ? CheckWindow(hWnd) : FindWindowObject(State().desktop);
        if (!w)
            return FALSE;
        bool children = (flags & RDW_ALLCHILDREN) ||
                        (!(flags & RDW_NOCHILDREN) && !(w->style & WS_CLIPCHILDREN));
        if (flags & RDW_INVALIDATE)
            Invalidate(*w, lprcUpdate, (flags & RDW_ERASE) != 0, (flags & RDW_FRAME) != 0,
                       children);
        if (flags & RDW_VALIDATE) {
            w->update = RECT{};
            w->needsErase = false;
            if (flags & RDW_FRAME)
                w->needsNcPaint = false;
        }
        if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) {
            std::vector<Window*> pending{w};
            while (!pending.empty()) {
                Window* cur = pending.back();
                pending.pop_back();
                toUpdate.push_back(cur->handle);
                if (flags & RDW_ALLCHILDREN) {
                    for (HWND c : cur->children)
                        if (Window* cw = FindWindowObject(c))
                            pending.push_back(cw);
                }
            }
        }
    }
    for (HWND h : toUpdate)
        UpdateWindow(h);
    return TRUE;
}
