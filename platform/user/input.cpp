#include "user/input.h"

#include "user/message_queue.h"
#include "user/window_tree.h"

#include <cctype>
#include <cstdlib>

using namespace qv::user;

namespace qv::user {
namespace {

constexpr UINT DownMessages[3] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
constexpr UINT UpMessages[3] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP};
constexpr UINT DoubleMessages[3] = {WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK};
constexpr UINT ButtonKeys[3] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON};

WPARAM MouseKeys() {
    auto& keys = State().keys;
    WPARAM flags = 0;
    if (keys[VK_LBUTTON] & 0x80)
        flags |= MK_LBUTTON;
    if (keys[VK_RBUTTON] & 0x80)
        flags |= MK_RBUTTON;
    if (keys[VK_MBUTTON] & 0x80)
        flags |= MK_MBUTTON;
    if (keys[VK_SHIFT] & 0x80)
        flags |= MK_SHIFT;
    if (keys[VK_CONTROL] & 0x80)
        flags |= MK_CONTROL;
    return flags;
}

void Queue(Window& w, UINT message, WPARAM wParam, LPARAM lParam) {
    QueueOf(w.threadId).input.push_back(
        MSG{w.handle, message, wParam, lParam, Now(), State().cursor});
    QueueOf(w.threadId).wake.notify_all();
}

// Sends WM_NCHITTEST to the window under the point, and to its parents while it answers
// HTTRANSPARENT. The lock is released while the windows answer.
Window* HitTest(Lock& lock, POINT pt, LRESULT* hit) {
    auto& state = State();
    if (Window* captured = FindWindowObject(state.capture)) {
        *hit = HTCLIENT;
        return captured;
    }
    Window* w = WindowAtPoint(pt);
    while (w) {
        HWND hwnd = w->handle;
        if (w->style & WS_DISABLED) {
            *hit = HTERROR;
            return nullptr;
        }
        lock.unlock();
        LRESULT code = SendMessageA(hwnd, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
        lock.lock();
        w = FindWindowObject(hwnd);
        if (!w)
            return nullptr;
        if (code != HTTRANSPARENT) {
            *hit = code;
            return w;
        }
        w = IsTopLevel(*w) ? nullptr : FindWindowObject(w->parent);
    }
    *hit = HTNOWHERE;
    return nullptr;
}

void TrackLeave(Window* under) {
    auto& state = State();
    Window* tracked = FindWindowObject(state.trackLeave);
    if (tracked && tracked != under) {
        Queue(*tracked, WM_MOUSELEAVE, 0, 0);
        state.trackLeave = nullptr;
    }
}

void AimMouse(Lock& lock, const RawInput& in) {
    auto& state = State();
    state.cursor = in.pt;
    if (in.kind == RawInput::Kind::MouseDown)
        state.keys[ButtonKeys[in.button]] |= 0x80;
    if (in.kind == RawInput::Kind::MouseUp)
        state.keys[ButtonKeys[in.button]] &= ~0x80;
    LRESULT hit = HTNOWHERE;
    Window* w = HitTest(lock, in.pt, &hit);
    TrackLeave(hit == HTCLIENT ? w : nullptr);
    if (!w)
        return;
    bool client = hit == HTCLIENT;
    POINT local = in.pt;
    if (client) {
        POINT origin = ClientOrigin(*w);
        local.x -= origin.x;
        local.y -= origin.y;
    }
    LPARAM where = MAKELPARAM(local.x, local.y);
    WPARAM wParam = client ? MouseKeys() : static_cast<WPARAM>(hit);
    int offset = client ? 0 : (WM_NCMOUSEMOVE - WM_MOUSEMOVE);
    switch (in.kind) {
    case RawInput::Kind::MouseMove:
        Queue(*w, WM_MOUSEMOVE + offset, wParam, where);
        return;
    case RawInput::Kind::MouseUp:
        Queue(*w, UpMessages[in.button] + offset, wParam, where);
        return;
    case RawInput::Kind::MouseDown: {
        uint64_t now = Now();
        bool dbl = state.lastClickWindow == w->handle && state.lastClickButton == in.button &&
                   now - state.lastClickTime <= GetDoubleClickTime() &&
                   std::abs(in.pt.x - state.lastClickPoint.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                   std::abs(in.pt.y - state.lastClickPoint.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
        bool classTakesDouble = !client || (w->cls->style & CS_DBLCLKS);
        UINT message = dbl && classTakesDouble ? DoubleMessages[in.button] : DownMessages[in.button];
        // After a double-click the next press starts a new pair.
        state.lastClickWindow = dbl ? nullptr : w->handle;
        state.lastClickButton = in.button;
        state.lastClickTime = now;
        state.lastClickPoint = in.pt;
        Queue(*w, message + offset, wParam, where);
        return;
    }
    default:
        return;
    }
}

void AimKey(const RawInput& in) {
    auto& state = State();
    bool down = in.kind == RawInput::Kind::KeyDown;
    UINT vk = in.vk & 0xFF;
    if (in.kind != RawInput::Kind::Char) {
        if (down)
            state.keys[vk] |= 0x80;
        else
            state.keys[vk] &= ~0x80;
    }
    Window* target = FindWindowObject(state.focus);
    bool noFocus = target == nullptr;
    if (!target)
        target = FindWindowObject(state.active);
    if (!target)
        return;
    bool alt = (state.keys[VK_MENU] & 0x80) != 0;
    LPARAM lParam = 1 | (alt ? (1 << 29) : 0);
    if (!down)
        lParam |= (1u << 30) | (1u << 31);
    if (in.kind == RawInput::Kind::Char) {
        Queue(*target, alt ? WM_SYSCHAR : WM_CHAR, static_cast<BYTE>(in.ch), 1);
        return;
    }
    bool sys = alt || vk == VK_MENU || vk == VK_F10 || noFocus;
    UINT message = down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
    Queue(*target, message, vk, lParam);
}

} // namespace

void AimRawInput(Lock& lock) {
    auto& state = State();
    while (!state.rawInput.empty()) {
        RawInput in = state.rawInput.front();
        state.rawInput.pop_front();
        if (in.kind == RawInput::Kind::MouseMove || in.kind == RawInput::Kind::MouseDown ||
            in.kind == RawInput::Kind::MouseUp)
            AimMouse(lock, in);
        else
            AimKey(in);
    }
}

void InjectInput(const RawInput& input) {
    auto lock = LockUser();
    State().rawInput.push_back(input);
    NotifyAll();
}

} // namespace qv::user

BOOL WINAPI TranslateMessage(const MSG* lpMsg) {
    if (!lpMsg || (lpMsg->message != WM_KEYDOWN && lpMsg->message != WM_SYSKEYDOWN))
        return FALSE;
    UINT vk = static_cast<UINT>(lpMsg->wParam);
    bool shift;
    {
        auto lock = LockUser();
        shift = (State().keys[VK_SHIFT] & 0x80) != 0;
    }
    char ch = 0;
    if (vk >= 'A' && vk <= 'Z')
        ch = static_cast<char>(shift ? vk : std::tolower(static_cast<int>(vk)));
    else if (vk >= '0' && vk <= '9' && !shift)
        ch = static_cast<char>(vk);
    else if (vk == VK_SPACE || vk == VK_RETURN || vk == VK_ESCAPE || vk == VK_TAB || vk == VK_BACK)
        ch = static_cast<char>(vk);
    if (!ch)
        return FALSE;
    UINT message = lpMsg->message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
    auto lock = LockUser();
    Window* w = FindWindowObject(lpMsg->hwnd);
    if (!w)
        return FALSE;
    QueueOf(w->threadId).posted.push_front(
        MSG{lpMsg->hwnd, message, static_cast<BYTE>(ch), lpMsg->lParam, lpMsg->time, lpMsg->pt});
    return TRUE;
}

SHORT WINAPI GetKeyState(int nVirtKey) {
    auto lock = LockUser();
    return (State().keys[nVirtKey & 0xFF] & 0x80) ? static_cast<SHORT>(0x8000) : 0;
}

SHORT WINAPI GetAsyncKeyState(int vKey) { return GetKeyState(vKey); }

BOOL WINAPI GetCursorPos(LPPOINT lpPoint) {
    if (!lpPoint) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    auto lock = LockUser();
    *lpPoint = State().cursor;
    return TRUE;
}

BOOL WINAPI SetCursorPos(int X, int Y) {
    InjectInput(RawInput{RawInput::Kind::MouseMove, 0, POINT{X, Y}, 0, 0});
    return TRUE;
}

HWND WINAPI SetCapture(HWND hWnd) {
    HWND old;
    {
        auto lock = LockUser();
        if (hWnd && !CheckWindow(hWnd))
            return nullptr;
        old = State().capture;
        State().capture = hWnd;
    }
    if (old && old != hWnd)
        SendMessageA(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hWnd));
    return old;
}

BOOL WINAPI ReleaseCapture(void) {
    HWND old;
    {
        auto lock = LockUser();
        old = State().capture;
        State().capture = nullptr;
    }
    if (old)
        SendMessageA(old, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND WINAPI GetCapture(void) {
    auto lock = LockUser();
    return State().capture;
}

BOOL WINAPI TrackMouseEvent(LPTRACKMOUSEEVENT lpEventTrack) {
    if (!lpEventTrack || lpEventTrack->cbSize != sizeof(TRACKMOUSEEVENT)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    auto lock = LockUser();
    auto& state = State();
    if (lpEventTrack->dwFlags & TME_QUERY) {
        lpEventTrack->dwFlags = state.trackLeave ? TME_LEAVE : 0;
        lpEventTrack->hwndTrack = state.trackLeave;
        return TRUE;
    }
    if (!(lpEventTrack->dwFlags & TME_LEAVE))
        return TRUE;
    if (lpEventTrack->dwFlags & TME_CANCEL) {
        if (state.trackLeave == lpEventTrack->hwndTrack)
            state.trackLeave = nullptr;
        return TRUE;
    }
    Window* w = CheckWindow(lpEventTrack->hwndTrack);
    if (!w)
        return FALSE;
    // When the pointer is not over the window any more, the leave comes at once.
    Window* under = WindowAtPoint(state.cursor);
    if (under != w)
        Queue(*w, WM_MOUSELEAVE, 0, 0);
    else
        state.trackLeave = w->handle;
    return TRUE;
}
