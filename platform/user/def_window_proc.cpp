#include "user/nonclient.h"
#include "user/popup_menu.h"
#include "user/window.h"

#include <cstring>

using namespace qv::user;

namespace {

LRESULT SetText(HWND hwnd, LPCSTR text) {
    auto lock = LockUser();
    Window* w = FindWindowObject(hwnd);
    if (!w)
        return FALSE;
    w->text = text ? text : "";
    if ((w->style & WS_CAPTION) == WS_CAPTION)
        w->needsNcPaint = true;
    NotifyAll();
    return TRUE;
}

LRESULT GetText(HWND hwnd, WPARAM size, LPSTR buffer) {
    auto lock = LockUser();
    Window* w = FindWindowObject(hwnd);
    if (!w || !buffer || size == 0)
        return 0;
    size_t n = std::min<size_t>(w->text.size(), size - 1);
    std::memcpy(buffer, w->text.data(), n);
    buffer[n] = '\0';
    return static_cast<LRESULT>(n);
}

LRESULT HitTest(HWND hwnd, LPARAM lParam) {
    auto lock = LockUser();
    Window* w = FindWindowObject(hwnd);
    if (!w)
        return HTNOWHERE;
    return NonClientHitTest(*w, POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
}

LRESULT EraseBackground(HWND hwnd, HDC hdc) {
    HBRUSH brush;
    {
        auto lock = LockUser();
        Window* w = FindWindowObject(hwnd);
        if (!w)
            return 0;
        brush = w->cls->background;
    }
    if (!brush)
        return 0;
    // A class brush may be a system colour index plus one, as on Windows.
    if (reinterpret_cast<UINT_PTR>(brush) <= COLOR_GRADIENTINACTIVECAPTION + 1)
        brush = GetSysColorBrush(static_cast<int>(reinterpret_cast<UINT_PTR>(brush)) - 1);
    RECT r;
    GetClientRect(hwnd, &r);
    FillRect(hdc, &r, brush);
    return 1;
}

LRESULT CtlColor(UINT message, HDC hdc) {
    bool window = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
    SetTextColor(hdc, GetSysColor(window ? COLOR_WINDOWTEXT : COLOR_BTNTEXT));
    SetBkColor(hdc, GetSysColor(window ? COLOR_WINDOW : COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(window ? COLOR_WINDOW : COLOR_BTNFACE));
}

LRESULT SysCommand(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    switch (wParam & 0xFFF0) {
    case SC_KEYMENU:
        // Alt+Space opens the window menu; other keys would open a menu bar, which no window has.
        if (lParam == ' ')
            TrackSystemMenu(hwnd, true);
        return 0;
    case SC_MOUSEMENU:
        TrackSystemMenu(hwnd, false);
        return 0;
    case SC_CLOSE:
        SendMessageA(hwnd, WM_CLOSE, 0, 0);
        return 0;
    case SC_MINIMIZE:
        ShowWindow(hwnd, SW_MINIMIZE);
        return 0;
    case SC_RESTORE:
        ShowWindow(hwnd, SW_RESTORE);
        return 0;
    default:
        return 0;
    }
}

} // namespace

LRESULT WINAPI DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    switch (Msg) {
    case WM_NCCREATE: {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
        if (cs && cs->lpszName)
            SetText(hWnd, cs->lpszName);
        return TRUE;
    }
    case WM_SETTEXT:
        return SetText(hWnd, reinterpret_cast<LPCSTR>(lParam));
    case WM_GETTEXT:
        return GetText(hWnd, wParam, reinterpret_cast<LPSTR>(lParam));
    case WM_GETTEXTLENGTH: {
        auto lock = LockUser();
        Window* w = FindWindowObject(hWnd);
        return w ? static_cast<LRESULT>(w->text.size()) : 0;
    }
    case WM_NCHITTEST:
        return HitTest(hWnd, lParam);
    case WM_NCPAINT:
        PaintFrame(hWnd);
        return 0;
    case WM_NCACTIVATE: {
        auto lock = LockUser();
        if (Window* w = FindWindowObject(hWnd))
            w->needsNcPaint = true;
        NotifyAll();
        return TRUE;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        if (BeginPaint(hWnd, &ps))
            EndPaint(hWnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
    case WM_ICONERASEBKGND:
        return EraseBackground(hWnd, reinterpret_cast<HDC>(wParam));
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return CtlColor(Msg, reinterpret_cast<HDC>(wParam));
    case WM_CLOSE:
        DestroyWindow(hWnd);
        return 0;
    case WM_SYSCOMMAND:
        return SysCommand(hWnd, wParam, lParam);
    case WM_SYSKEYDOWN:
        if (wParam == VK_F4 && (lParam & (1 << 29)))
            PostMessageA(GetAncestor(hWnd, GA_ROOT), WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    case WM_SYSCHAR:
        if (wParam == ' ' && (lParam & (1 << 29)))
            PostMessageA(GetAncestor(hWnd, GA_ROOT), WM_SYSCOMMAND, SC_KEYMENU, ' ');
        return 0;
    case WM_NCLBUTTONDOWN:
        if (wParam == HTCLOSE)
            PostMessageA(hWnd, WM_SYSCOMMAND, SC_CLOSE, lParam);
        else if (wParam == HTSYSMENU)
            PostMessageA(hWnd, WM_SYSCOMMAND, SC_MOUSEMENU, lParam);
        else
            SetActiveWindow(GetAncestor(hWnd, GA_ROOT));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        // A press activates the window's top-level window, as mouse activation does.
        HWND root = GetAncestor(hWnd, GA_ROOT);
        if (root && GetActiveWindow() != root)
            SetActiveWindow(root);
        return 0;
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) {
            HWND focus = GetFocus();
            if (!focus || GetAncestor(focus, GA_ROOT) != hWnd)
                SetFocus(hWnd);
        }
        return 0;
    case WM_WINDOWPOSCHANGED: {
        auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
        if (pos && !(pos->flags & SWP_NOSIZE)) {
            RECT client;
            GetClientRect(hWnd, &client);
            SendMessageA(hWnd, WM_SIZE, IsIconic(hWnd) ? SIZE_MINIMIZED : SIZE_RESTORED,
                         MAKELPARAM(client.right, client.bottom));
        }
        if (pos && !(pos->flags & SWP_NOMOVE))
            SendMessageA(hWnd, WM_MOVE, 0, 0);
        return 0;
    }
    case WM_CANCELMODE:
        if (GetCapture() == hWnd)
            ReleaseCapture();
        return 0;
    case WM_QUERYENDSESSION:
    case WM_QUERYUISTATE:
        return Msg == WM_QUERYENDSESSION;
    case WM_QUERYDRAGICON: {
        auto lock = LockUser();
        Window* w = FindWindowObject(hWnd);
        return w ? reinterpret_cast<LRESULT>(w->cls->icon) : 0;
    }
    case WM_MOUSEACTIVATE:
        return MA_ACTIVATE;
    default:
        return 0;
    }
}
