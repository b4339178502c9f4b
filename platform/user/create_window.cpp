#include "gdi/display.h"
#include "user/focus.h"
#include "user/hooks.h"
#include "user/nonclient.h"
#include "user/paint_state.h"
#include "user/timer_state.h"
#include "user/window.h"
#include "user/window_tree.h"

#include <algorithm>

using namespace qv::user;

namespace qv::user {

void ResizeSurface(Window& w) {
    if (!IsTopLevel(w)) {
        w.surface.reset();
        return;
    }
    if (!w.surface)
        w.surface = std::make_shared<qv::gdi::Surface>();
    w.surface->Resize(std::max<LONG>(0, w.rect.right - w.rect.left),
                      std::max<LONG>(0, w.rect.bottom - w.rect.top));
}

} // namespace qv::user

namespace {

// Where a top-level window goes when its creator leaves the choice to the system.
POINT defaultPosition{32, 32};

void PlaceDefault(int& x, int& y, int& cx, int& cy, bool child) {
    if (x == CW_USEDEFAULT) {
        if (child) {
            x = y = 0;
        } else {
            auto& state = State();
            x = defaultPosition.x;
            y = defaultPosition.y;
            defaultPosition.x = (defaultPosition.x + 26) % (state.screen.cx / 2);
            defaultPosition.y = (defaultPosition.y + 26) % (state.screen.cy / 2);
        }
    }
    if (cx == CW_USEDEFAULT) {
        cx = child ? 0 : State().screen.cx * 3 / 4;
        cy = child ? 0 : State().screen.cy * 3 / 4;
    }
}

void Discard(HWND hwnd) {
    auto lock = LockUser();
    Window* w = FindWindowObject(hwnd);
    if (!w)
        return;
    UnlinkWindow(*w);
    State().windows.erase(hwnd);
}

} // namespace

HWND WINAPI CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName,
                            DWORD dwStyle, int X, int Y, int nWidth, int nHeight,
                            HWND hWndParent, HMENU hMenu, HINSTANCE hInstance, LPVOID lpParam) {
    HWND hwnd;
    CREATESTRUCTA cs{};
    {
        auto lock = LockUser();
        auto& state = State();
        auto cls = FindClass(lpClassName);
        if (!cls) {
            SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
            return nullptr;
        }
        bool child = (dwStyle & WS_CHILD) != 0;
        HWND parent = state.desktop;
        HWND owner = nullptr;
        if (hWndParent && hWndParent != HWND_MESSAGE) {
            Window* given = CheckWindow(hWndParent);
            if (!given)
                return nullptr;
            if (child)
                parent = hWndParent;
            else
                owner = RootOf(given)->handle;
        } else if (child) {
            SetLastError(ERROR_TLW_WITH_WSCHILD);
            return nullptr;
        }
        PlaceDefault(X, Y, nWidth, nHeight, child);
        auto w = std::make_unique<Window>();
        hwnd = reinterpret_cast<HWND>(static_cast<uintptr_t>(state.nextHandle));
        state.nextHandle += 2;
        w->handle = hwnd;
        w->cls = cls;
        w->proc = cls->proc;
        // A new window starts hidden; WS_VISIBLE is applied once it has been created.
        w->style = dwStyle & ~WS_VISIBLE;
        if (!child)
            w->style |= WS_CLIPSIBLINGS;
        if ((dwStyle & WS_CAPTION) == WS_CAPTION && !child)
            dwExStyle |= WS_EX_WINDOWEDGE;
        w->exStyle = dwExStyle;
        w->parent = parent;
        w->owner = owner;
        w->rect = RECT{X, Y, X + std::max(0, nWidth), Y + std::max(0, nHeight)};
        w->client = ClientFromWindow(w->style, w->exStyle, std::max(0, nWidth), std::max(0, nHeight));
        w->id = reinterpret_cast<UINT_PTR>(hMenu);
        w->instance = hInstance;
        w->extra.assign(static_cast<size_t>(cls->wndExtra), 0);
        w->threadId = GetCurrentThreadId();
        ResizeSurface(*w);
        Window& ref = *w;
        state.windows.emplace(hwnd, std::move(w));
        LinkWindow(ref, child ? HWND_BOTTOM : HWND_TOP);
        QueueOf(ref.threadId);
        cs = CREATESTRUCTA{lpParam, hInstance, hMenu, hWndParent, nHeight, nWidth, Y, X,
                           static_cast<LONG>(dwStyle), lpWindowName, lpClassName, dwExStyle};
    }

    CBT_CREATEWNDA cbt{&cs, (dwStyle & WS_CHILD) ? HWND_BOTTOM : HWND_TOP};
    if (CallCbtHooks(HCBT_CREATEWND, reinterpret_cast<WPARAM>(hwnd), reinterpret_cast<LPARAM>(&cbt))) {
        Discard(hwnd);
        return nullptr;
    }
    if (!SendMessageA(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    if (SendMessageA(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    if (!IsWindow(hwnd))
        return nullptr;
    {
        auto lock = LockUser();
        Window* w = FindWindowObject(hwnd);
        RECT client = w->client;
        lock.unlock();
        SendMessageA(hwnd, WM_SIZE, SIZE_RESTORED,
                     MAKELPARAM(client.right - client.left, client.bottom - client.top));
        SendMessageA(hwnd, WM_MOVE, 0, 0);
    }
    if ((dwStyle & WS_CHILD) && !(dwExStyle & WS_EX_NOPARENTNOTIFY))
        SendMessageA(GetParent(hwnd), WM_PARENTNOTIFY, MAKEWPARAM(WM_CREATE, LOWORD(reinterpret_cast<UINT_PTR>(hMenu))),
                     reinterpret_cast<LPARAM>(hwnd));
    if (dwStyle & WS_VISIBLE)
        ShowWindow(hwnd, (dwStyle & WS_CHILD) ? SW_SHOWNA : SW_SHOW);
    return hwnd;
}
