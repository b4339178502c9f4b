#include "gdi/display.h"
#include "user/window.h"

using namespace qv::user;

namespace {

// The part of the window's top-level surface that the window may paint: its client area (or
// whole window), cut by every ancestor's client area. Null when the window has no picture.
// A limit (in the DC's coordinates) cuts it further, as BeginPaint does with the update region.
bool Target(HWND hwnd, bool wholeWindow, qv::gdi::DisplayTarget* target, const RECT* limit = nullptr) {
    auto lock = LockUser();
    Window* w = CheckWindow(hwnd);
    if (!w)
        return false;
    Window* root = RootOf(w);
    if (!root || !root->surface)
        return false;
    POINT rootOrigin = WindowOrigin(*root);
    RECT clip = wholeWindow ? ScreenRect(*w) : ClientScreenRect(*w);
    POINT origin{clip.left, clip.top};
    for (Window* a = FindWindowObject(w->parent); a && a->handle != State().desktop;
         a = FindWindowObject(a->parent)) {
        RECT client = ClientScreenRect(*a);
        IntersectRect(&clip, &clip, &client);
    }
    if (limit) {
        RECT cut = *limit;
        OffsetRect(&cut, origin.x, origin.y);
        IntersectRect(&clip, &clip, &cut);
    }
    OffsetRect(&clip, -rootOrigin.x, -rootOrigin.y);
    target->surface = root->surface;
    target->origin = POINT{origin.x - rootOrigin.x, origin.y - rootOrigin.y};
    target->clip = clip;
    return true;
}

} // namespace

HDC WINAPI GetDC(HWND hWnd) {
    qv::gdi::DisplayTarget target;
    if (!hWnd) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    if (!Target(hWnd, false, &target)) {
        // A window without a picture (not yet placed on a surface) still gets a working DC.
        target.surface = std::make_shared<qv::gdi::Surface>();
        target.surface->Resize(1, 1);
        target.clip = RECT{};
        if (!IsWindow(hWnd))
            return nullptr;
    }
    return qv::gdi::CreateDisplayDC(target);
}

HDC WINAPI GetWindowDC(HWND hWnd) {
    qv::gdi::DisplayTarget target;
    if (!Target(hWnd, true, &target))
        return nullptr;
    return qv::gdi::CreateDisplayDC(target);
}

int WINAPI ReleaseDC(HWND, HDC hDC) { return qv::gdi::DeleteDisplayDC(hDC) ? 1 : 0; }

HDC WINAPI BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint) {
    if (!lpPaint) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    bool frame;
    {
        auto lock = LockUser();
        Window* w = CheckWindow(hWnd);
        if (!w)
            return nullptr;
        frame = w->needsNcPaint;
        w->needsNcPaint = false;
    }
    if (frame)
        SendMessageA(hWnd, WM_NCPAINT, 1, 0);
    RECT update;
    bool erase;
    {
        auto lock = LockUser();
        Window* w = FindWindowObject(hWnd);
        if (!w)
            return nullptr;
        update = w->update;
        erase = w->needsErase;
        w->update = RECT{};
        w->needsErase = false;
    }
    qv::gdi::DisplayTarget target;
    if (!Target(hWnd, false, &target, &update))
        return nullptr;
    HDC hdc = qv::gdi::CreateDisplayDC(target);
    if (!hdc)
        return nullptr;
    *lpPaint = PAINTSTRUCT{};
    lpPaint->hdc = hdc;
    lpPaint->rcPaint = update;
    if (erase && !IsRectEmpty(&update))
        lpPaint->fErase = !SendMessageA(hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0);
    else
        lpPaint->fErase = FALSE;
    return hdc;
}

BOOL WINAPI EndPaint(HWND, const PAINTSTRUCT* lpPaint) {
    if (!lpPaint)
        return FALSE;
    qv::gdi::DeleteDisplayDC(lpPaint->hdc);
    return TRUE;
}
