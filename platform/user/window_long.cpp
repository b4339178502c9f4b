#include "user/paint_state.h"
#include "user/window.h"

#include <cstring>

using namespace qv::user;

namespace {

bool ExtraFits(const Window& w, int offset, size_t size) {
    if (offset < 0 || static_cast<size_t>(offset) + size > w.extra.size()) {
        SetLastError(ERROR_INVALID_INDEX);
        return false;
    }
    return true;
}

LONG_PTR Get(HWND hWnd, int nIndex, size_t size) {
    auto lock = LockUser();
    Window* w = CheckWindow(hWnd);
    if (!w)
        return 0;
    switch (nIndex) {
    case GWL_STYLE:
        return static_cast<LONG>(w->style);
    case GWL_EXSTYLE:
        return static_cast<LONG>(w->exStyle);
    case GWLP_WNDPROC:
        return reinterpret_cast<LONG_PTR>(w->proc);
    case GWLP_HINSTANCE:
        return reinterpret_cast<LONG_PTR>(w->instance);
    case GWLP_HWNDPARENT:
        return reinterpret_cast<LONG_PTR>(IsTopLevel(*w) ? w->owner : w->parent);
    case GWLP_ID:
        return static_cast<LONG_PTR>(w->id);
    case GWLP_USERDATA:
        return w->userData;
    default:
        if (!ExtraFits(*w, nIndex, size))
            return 0;
        if (size == sizeof(LONG)) {
            LONG value;
            std::memcpy(&value, w->extra.data() + nIndex, sizeof value);
            return value;
        }
        LONG_PTR value;
        std::memcpy(&value, w->extra.data() + nIndex, sizeof value);
        return value;
    }
}

LONG_PTR SetStyle(HWND hWnd, int nIndex, DWORD value) {
    STYLESTRUCT change{};
    {
        auto lock = LockUser();
        Window* w = CheckWindow(hWnd);
        if (!w)
            return 0;
        change.styleOld = nIndex == GWL_STYLE ? w->style : w->exStyle;
    }
    change.styleNew = value;
    SendMessageA(hWnd, WM_STYLECHANGING, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&change));
    {
        auto lock = LockUser();
        Window* w = FindWindowObject(hWnd);
        if (!w)
            return 0;
        DWORD& target = nIndex == GWL_STYLE ? w->style : w->exStyle;
        target = change.styleNew;
        // A window made visible this way shows what it painted last; one made visible for the
        // first time needs painting.
        if (nIndex == GWL_STYLE && (change.styleNew & WS_VISIBLE) && !(change.styleOld & WS_VISIBLE))
            Invalidate(*w, nullptr, true, true, true);
        NotifyAll();
    }
    SendMessageA(hWnd, WM_STYLECHANGED, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&change));
    return static_cast<LONG>(change.styleOld);
}

LONG_PTR Set(HWND hWnd, int nIndex, LONG_PTR value, size_t size) {
    if (nIndex == GWL_STYLE || nIndex == GWL_EXSTYLE)
        return SetStyle(hWnd, nIndex, static_cast<DWORD>(value));
    auto lock = LockUser();
    Window* w = CheckWindow(hWnd);
    if (!w)
        return 0;
    LONG_PTR old = 0;
    switch (nIndex) {
    case GWLP_WNDPROC:
        old = reinterpret_cast<LONG_PTR>(w->proc);
        w->proc = reinterpret_cast<WNDPROC>(value);
        return old;
    case GWLP_HINSTANCE:
        old = reinterpret_cast<LONG_PTR>(w->instance);
        w->instance = reinterpret_cast<HINSTANCE>(value);
        return old;
    case GWLP_HWNDPARENT:
        old = reinterpret_cast<LONG_PTR>(w->owner);
        if (IsTopLevel(*w))
            w->owner = reinterpret_cast<HWND>(value);
        return old;
    case GWLP_ID:
        old = static_cast<LONG_PTR>(w->id);
        w->id = static_cast<UINT_PTR>(value);
        return old;
    case GWLP_USERDATA:
        old = w->userData;
        w->userData = value;
        return old;
    default:
        if (!ExtraFits(*w, nIndex, size))
            return 0;
        if (size == sizeof(LONG)) {
            LONG prev;
            LONG next = static_cast<LONG>(value);
            std::memcpy(&prev, w->extra.data() + nIndex, sizeof prev);
            std::memcpy(w->extra.data() + nIndex, &next, sizeof next);
            return prev;
        }
        std::memcpy(&old, w->extra.data() + nIndex, sizeof old);
        std::memcpy(w->extra.data() + nIndex, &value, sizeof value);
        return old;
    }
}

} // namespace

LONG WINAPI GetWindowLongA(HWND hWnd, int nIndex) {
    return static_cast<LONG>(Get(hWnd, nIndex, sizeof(LONG)));
}

LONG WINAPI SetWindowLongA(HWND hWnd, int nIndex, LONG dwNewLong) {
    return static_cast<LONG>(Set(hWnd, nIndex, dwNewLong, sizeof(LONG)));
}

LONG_PTR WINAPI GetWindowLongPtrA(HWND hWnd, int nIndex) { return Get(hWnd, nIndex, sizeof(LONG_PTR)); }

LONG_PTR WINAPI SetWindowLongPtrA(HWND hWnd, int nIndex, LONG_PTR dwNewLong) {
    return Set(hWnd, nIndex, dwNewLong, sizeof(LONG_PTR));
}
