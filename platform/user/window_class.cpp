#include "user/window.h"

#include <strings.h>

using namespace qv::user;

namespace {

ATOM nextAtom = 0xC000;

ATOM Register(const WNDCLASSEXA& wc) {
    if (!wc.lpszClassName || !wc.lpfnWndProc || wc.cbClsExtra < 0 || wc.cbWndExtra < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    auto lock = LockUser();
    if (FindClass(wc.lpszClassName)) {
        SetLastError(ERROR_CLASS_ALREADY_EXISTS);
        return 0;
    }
    auto cls = std::make_shared<WindowClass>();
    cls->name = IS_INTRESOURCE(wc.lpszClassName) ? "#" + std::to_string(LOWORD(wc.lpszClassName))
                                                 : std::string(wc.lpszClassName);
    cls->style = wc.style;
    cls->proc = wc.lpfnWndProc;
    cls->clsExtra = wc.cbClsExtra;
    cls->wndExtra = wc.cbWndExtra;
    cls->instance = wc.hInstance;
    cls->icon = wc.hIcon;
    cls->smallIcon = wc.hIconSm;
    cls->cursor = wc.hCursor;
    cls->background = wc.hbrBackground;
    if (wc.lpszMenuName && !IS_INTRESOURCE(wc.lpszMenuName))
        cls->menuName = wc.lpszMenuName;
    cls->atom = nextAtom++;
    State().classes.push_back(cls);
    return cls->atom;
}

} // namespace

ATOM WINAPI RegisterClassExA(const WNDCLASSEXA* lpWndClass) {
    if (!lpWndClass || lpWndClass->cbSize != sizeof(WNDCLASSEXA)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return Register(*lpWndClass);
}

ATOM WINAPI RegisterClassA(const WNDCLASSA* lpWndClass) {
    if (!lpWndClass) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    WNDCLASSEXA wc{sizeof(WNDCLASSEXA), lpWndClass->style, lpWndClass->lpfnWndProc,
                   lpWndClass->cbClsExtra, lpWndClass->cbWndExtra, lpWndClass->hInstance,
                   lpWndClass->hIcon, lpWndClass->hCursor, lpWndClass->hbrBackground,
                   lpWndClass->lpszMenuName, lpWndClass->lpszClassName, nullptr};
    return Register(wc);
}

BOOL WINAPI UnregisterClassA(LPCSTR lpClassName, HINSTANCE) {
    auto lock = LockUser();
    auto cls = FindClass(lpClassName);
    if (!cls) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    for (auto& [hwnd, w] : State().windows) {
        if (w->cls == cls) {
            SetLastError(ERROR_CLASS_HAS_WINDOWS);
            return FALSE;
        }
    }
    std::erase(State().classes, cls);
    return TRUE;
}

BOOL WINAPI GetClassInfoExA(HINSTANCE, LPCSTR lpszClass, LPWNDCLASSEXA lpwcx) {
    auto lock = LockUser();
    auto cls = FindClass(lpszClass);
    if (!cls || !lpwcx) {
        SetLastError(cls ? ERROR_INVALID_PARAMETER : ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    *lpwcx = WNDCLASSEXA{sizeof(WNDCLASSEXA), cls->style, cls->proc, cls->clsExtra,
                         cls->wndExtra, cls->instance, cls->icon, cls->cursor, cls->background,
                         nullptr, lpszClass, cls->smallIcon};
    return cls->atom;
}

BOOL WINAPI GetClassInfoA(HINSTANCE hInstance, LPCSTR lpClassName, LPWNDCLASSA lpWndClass) {
    WNDCLASSEXA wc{};
    if (!lpWndClass || !GetClassInfoExA(hInstance, lpClassName, &wc))
        return FALSE;
    *lpWndClass = WNDCLASSA{wc.style,   wc.lpfnWndProc, wc.cbClsExtra,    wc.cbWndExtra,
                            wc.hInstance, wc.hIcon,     wc.hCursor,       wc.hbrBackground,
                            nullptr,    lpClassName};
    return TRUE;
}

int WINAPI GetClassNameA(HWND hWnd, LPSTR lpClassName, int nMaxCount) {
    auto lock = LockUser();
    Window* w = CheckWindow(hWnd);
    if (!w || !lpClassName || nMaxCount <= 0) {
        if (w)
            SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    int n = static_cast<int>(std::min<size_t>(w->cls->name.size(), nMaxCount - 1));
    w->cls->name.copy(lpClassName, n);
    lpClassName[n] = '\0';
    return n;
}
