#include "user/focus.h"

#include "user/window.h"
#include "user/window_tree.h"

using namespace qv::user;

namespace {

HWND Activate(HWND hwnd, WPARAM how) {
    HWND old;
    HWND lostFocus = nullptr;
    {
        auto lock = LockUser();
        auto& state = State();
        Window* w = hwnd ? CheckWindow(hwnd) : nullptr;
        if (hwnd && !w)
            return nullptr;
        if (w)
            w = RootOf(w);
        hwnd = w ? w->handle : nullptr;
        old = state.active;
        if (old == hwnd)
            return old;
        if (Window* focus = FindWindowObject(state.focus); focus && RootOf(focus)->handle != hwnd) {
            lostFocus = state.focus;
            state.focus = nullptr;
        }
    }
    if (lostFocus)
        SendMessageA(lostFocus, WM_KILLFOCUS, 0, 0);
    if (old && IsWindow(old)) {
        SendMessageA(old, WM_NCACTIVATE, FALSE, 0);
        SendMessageA(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), reinterpret_cast<LPARAM>(hwnd));
    }
    {
        auto lock = LockUser();
        State().active = hwnd;
        if (Window* w = FindWindowObject(hwnd))
            LinkWindow(*w, HWND_TOP);
        NotifyAll();
    }
    if (hwnd) {
        SendMessageA(hwnd, WM_NCACTIVATE, TRUE, 0);
        SendMessageA(hwnd, WM_ACTIVATE, MAKEWPARAM(how, IsIconic(hwnd) ? 1 : 0),
                     reinterpret_cast<LPARAM>(old));
    }
    return old;
}

} // namespace

namespace qv::user {

void DeactivateDestroyed(HWND destroyed, HWND owner) {
    HWND next = nullptr;
    {
        auto lock = LockUser();
        auto& state = State();
        Window* o = FindWindowObject(owner);
        if (o && (o->style & WS_VISIBLE) && !(o->style & WS_DISABLED) && !o->destroying) {
            next = owner;
        } else {
            for (HWND h : FindWindowObject(state.desktop)->children) {
                Window* w = FindWindowObject(h);
                if (h != destroyed && w && !w->destroying && (w->style & WS_VISIBLE) &&
                    !(w->style & WS_DISABLED) && w->threadId == GetCurrentThreadId()) {
                    next = h;
                    break;
                }
            }
        }
    }
    if (next) {
        Activate(next, WA_ACTIVE);
    } else {
        auto lock = LockUser();
        State().active = nullptr;
        State().focus = nullptr;
    }
}

} // namespace qv::user

HWND WINAPI SetActiveWindow(HWND hWnd) { return Activate(hWnd, WA_ACTIVE); }

HWND WINAPI GetActiveWindow(void) {
    auto lock = LockUser();
    return State().active;
}

BOOL WINAPI SetForegroundWindow(HWND hWnd) {
    if (!IsWindow(hWnd))
        return FALSE;
    Activate(hWnd, WA_ACTIVE);
    return TRUE;
}

HWND WINAPI GetForegroundWindow(void) { return GetActiveWindow(); }

HWND WINAPI GetFocus(void) {
    auto lock = LockUser();
    return State().focus;
}

HWND WINAPI SetFocus(HWND hWnd) {
    HWND root = nullptr;
    {
        auto lock = LockUser();
        if (hWnd) {
            Window* w = CheckWindow(hWnd);
            if (!w)
                return nullptr;
            root = RootOf(w)->handle;
        }
    }
    if (root && GetActiveWindow() != root)
        Activate(root, WA_ACTIVE);
    HWND old;
    {
        auto lock = LockUser();
        old = State().focus;
        if (old == hWnd || (hWnd && !FindWindowObject(hWnd)))
            return old;
    }
    if (old && IsWindow(old))
        SendMessageA(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hWnd), 0);
    {
        auto lock = LockUser();
        State().focus = hWnd;
        NotifyAll();
    }
    if (hWnd)
        SendMessageA(hWnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    return old;
}

BOOL WINAPI IsWindowEnabled(HWND hWnd) {
    auto lock = LockUser();
    Window* w = CheckWindow(hWnd);
    return w && !(w->style & WS_DISABLED);
}

BOOL WINAPI EnableWindow(HWND hWnd, BOOL bEnable) {
    bool wasDisabled;
    bool changed;
    {
        auto lock = LockUser();
        Window* w = CheckWindow(hWnd);
        if (!w)
            return FALSE;
        wasDisabled = (w->style & WS_DISABLED) != 0;
        changed = wasDisabled == (bEnable != 0);
        if (bEnable)
            w->style &= ~WS_DISABLED;
        else
            w->style |= WS_DISABLED;
        if (!bEnable) {
            auto& state = State();
            for (Window* f = FindWindowObject(state.focus); f; f = FindWindowObject(f->parent)) {
                if (f == w) {
                    state.focus = nullptr;
                    break;
                }
            }
            if (state.capture == hWnd)
                state.capture = nullptr;
        }
    }
    if (changed)
        SendMessageA(hWnd, WM_ENABLE, bEnable ? TRUE : FALSE, 0);
    return wasDisabled;
}
