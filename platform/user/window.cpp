#include "user/window.h"

#include "user/system_classes.h"

#include <strings.h>

namespace qv::user {

namespace {

void MakeDesktopWindow(UserState& state) {
    auto cls = std::make_shared<WindowClass>();
    cls->name = "#32769";
    auto w = std::make_unique<Window>();
    w->handle = reinterpret_cast<HWND>(static_cast<uintptr_t>(state.nextHandle));
    state.nextHandle += 2;
    w->cls = cls;
    w->proc = DefWindowProcA;
    w->style = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN;
    w->rect = RECT{0, 0, state.screen.cx, state.screen.cy};
    w->client = w->rect;
    state.desktop = w->handle;
    state.windows.emplace(w->handle, std::move(w));
}

} // namespace

UserState& State() {
    // Never destroyed: other threads may still ask after static destruction has begun.
    static UserState* state = [] {
        auto* s = new UserState;
        MakeDesktopWindow(*s);
        return s;
    }();
    return *state;
}

Lock LockUser() { return Lock(State().mutex); }

Window* FindWindowObject(HWND hwnd) {
    auto& windows = State().windows;
    auto it = windows.find(hwnd);
    return it == windows.end() ? nullptr : it->second.get();
}

Window* CheckWindow(HWND hwnd) {
    Window* w = FindWindowObject(hwnd);
    if (!w)
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return w;
}

ThreadQueue& QueueOf(DWORD threadId) {
    auto& queue = State().queues[threadId];
    if (!queue) {
        queue = std::make_unique<ThreadQueue>();
        queue->threadId = threadId;
    }
    return *queue;
}

std::shared_ptr<WindowClass> FindClass(const char* nameOrAtom) {
    if (!nameOrAtom)
        return nullptr;
    EnsureSystemClasses();
    for (auto& cls : State().classes) {
        if (IS_INTRESOURCE(nameOrAtom) ? cls->atom == LOWORD(nameOrAtom)
                                       : strcasecmp(cls->name.c_str(), nameOrAtom) == 0)
            return cls;
    }
    return nullptr;
}

bool IsTopLevel(const Window& w) { return w.parent == State().desktop; }

Window* RootOf(Window* w) {
    while (w && w->parent && !IsTopLevel(*w) && w->handle != State().desktop)
        w = FindWindowObject(w->parent);
    return w;
}

POINT WindowOrigin(const Window& w) {
    POINT p{w.rect.left, w.rect.top};
    if (Window* parent = FindWindowObject(w.parent)) {
        POINT origin = ClientOrigin(*parent);
        p.x += origin.x;
        p.y += origin.y;
    }
    return p;
}

POINT ClientOrigin(const Window& w) {
    POINT p = WindowOrigin(w);
    p.x += w.client.left;
    p.y += w.client.top;
    return p;
}

RECT ScreenRect(const Window& w) {
    POINT o = WindowOrigin(w);
    return RECT{o.x, o.y, o.x + w.rect.right - w.rect.left, o.y + w.rect.bottom - w.rect.top};
}

RECT ClientScreenRect(const Window& w) {
    POINT o = ClientOrigin(w);
    return RECT{o.x, o.y, o.x + w.client.right - w.client.left, o.y + w.client.bottom - w.client.top};
}

bool IsShown(const Window& w) {
    const Window* cur = &w;
    while (cur && cur->handle != State().desktop) {
        if (!(cur->style & WS_VISIBLE))
            return false;
        cur = FindWindowObject(cur->parent);
    }
    return cur != nullptr;
}

void NotifyAll() {
    for (auto& [id, queue] : State().queues)
        queue->wake.notify_all();
    State().changed.notify_all();
}

} // namespace qv::user
