#include "user/focus.h"
#include "user/hooks.h"
#include "user/paint_state.h"
#include "user/timer_state.h"
#include "user/window.h"
#include "user/window_tree.h"

using namespace qv::user;

namespace {

void SendDestroy(HWND hwnd) {
    SendMessageA(hwnd, WM_DESTROY, 0, 0);
    std::vector<HWND> children;
    {
        auto lock = LockUser();
        if (Window* w = FindWindowObject(hwnd))
            children = w->children;
    }
    for (HWND child : children)
        SendDestroy(child);
}

// Children first, then the window itself: each gets WM_NCDESTROY and leaves the tables.
void Free(HWND hwnd) {
    std::vector<HWND> children;
    {
        auto lock = LockUser();
        if (Window* w = FindWindowObject(hwnd))
            children = w->children;
    }
    for (HWND child : children)
        Free(child);
    SendMessageA(hwnd, WM_NCDESTROY, 0, 0);
    HMENU menus[2] = {};
    {
        auto lock = LockUser();
        if (Window* w = FindWindowObject(hwnd)) {
            // A window's system menu and its menu bar go with it, as on Windows.
            menus[0] = w->systemMenu;
            if (!(w->style & WS_CHILD))
                menus[1] = reinterpret_cast<HMENU>(w->id);
            w->systemMenu = nullptr;
            w->id = 0;
        }
    }
    for (HMENU menu : menus)
        if (menu)
            DestroyMenu(menu);
    auto lock = LockUser();
    auto& state = State();
    Window* w = FindWindowObject(hwnd);
    if (!w)
        return;
    KillWindowTimers(hwnd);
    if (state.focus == hwnd)
        state.focus = nullptr;
    if (state.capture == hwnd)
        state.capture = nullptr;
    if (state.trackLeave == hwnd)
        state.trackLeave = nullptr;
    if (state.lastClickWindow == hwnd)
        state.lastClickWindow = nullptr;
    UnlinkWindow(*w);
    state.windows.erase(hwnd);
    NotifyAll();
}

} // namespace

BOOL WINAPI DestroyWindow(HWND hWnd) {
    std::vector<HWND> owned;
    HWND parentToRepaint = nullptr;
    bool wasActive = false;
    HWND owner = nullptr;
    {
        auto lock = LockUser();
        auto& state = State();
        Window* w = CheckWindow(hWnd);
        if (!w || hWnd == state.desktop) {
            if (w)
                SetLastError(ERROR_ACCESS_DENIED);
            return FALSE;
        }
        if (w->threadId != GetCurrentThreadId()) {
            SetLastError(ERROR_ACCESS_DENIED);
            return FALSE;
        }
        if (w->destroying)
            return TRUE;
        w->destroying = true;
        for (auto& [h, other] : state.windows) {
            if (other->owner == hWnd)
                owned.push_back(h);
        }
        if (!IsTopLevel(*w) && (w->style & WS_VISIBLE))
            parentToRepaint = w->parent;
        wasActive = state.active == hWnd;
        owner = w->owner;
    }
    if (CallCbtHooks(HCBT_DESTROYWND, reinterpret_cast<WPARAM>(hWnd), 0)) {
        auto lock = LockUser();
        if (Window* w = FindWindowObject(hWnd))
            w->destroying = false;
        return FALSE;
    }
    for (HWND h : owned)
        DestroyWindow(h);
    {
        auto lock = LockUser();
        if (Window* w = FindWindowObject(hWnd))
            w->style &= ~WS_VISIBLE;
    }
    if (wasActive)
        DeactivateDestroyed(hWnd, owner);
    SendDestroy(hWnd);
    Free(hWnd);
    if (parentToRepaint) {
        auto lock = LockUser();
        if (Window* parent = FindWindowObject(parentToRepaint))
            Invalidate(*parent, nullptr, true, false, true);
    }
    return TRUE;
}
