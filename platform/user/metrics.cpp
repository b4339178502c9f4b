#include "user/nonclient.h"
#include "user/window.h"

using namespace qv::user;

int WINAPI GetSystemMetrics(int nIndex) {
    // The classic Windows look at 96 dots per inch.
    switch (nIndex) {
    case SM_CXSCREEN:
    case SM_CXFULLSCREEN: {
        auto lock = LockUser();
        return State().screen.cx;
    }
    case SM_CYSCREEN: {
        auto lock = LockUser();
        return State().screen.cy;
    }
    case SM_CYFULLSCREEN: {
        auto lock = LockUser();
        return State().screen.cy - State().taskbarHeight - 19;
    }
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
        return 16;
    case SM_CYCAPTION:
    case SM_CYMENU:
        return 19;
    case SM_CXBORDER:
    case SM_CYBORDER:
        return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
        return 3;
    case SM_CXFRAME:
    case SM_CYFRAME:
        return 4;
    case SM_CXEDGE:
    case SM_CYEDGE:
        return 2;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR:
        return 32;
    case SM_CXSMICON:
    case SM_CYSMICON:
        return 16;
    case SM_CXSIZE:
    case SM_CYSIZE:
        return 18;
    case SM_CYSMCAPTION:
        return 15;
    case SM_CXMIN:
        return 112;
    case SM_CXMINIMIZED:
        return 160;
    case SM_CYMINIMIZED:
        return 24;
    case SM_CYMIN:
        return 27;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
    case SM_CXDRAG:
    case SM_CYDRAG:
        return 4;
    case SM_CXMENUCHECK:
    case SM_CYMENUCHECK:
        return 13;
    default:
        return 0;
    }
}

BOOL WINAPI SystemParametersInfoA(UINT uiAction, UINT uiParam, PVOID pvParam, UINT) {
    auto lock = LockUser();
    auto& state = State();
    switch (uiAction) {
    case SPI_GETWORKAREA:
        if (!pvParam)
            break;
        *static_cast<RECT*>(pvParam) =
            RECT{0, 0, state.screen.cx, state.screen.cy - state.taskbarHeight};
        return TRUE;
    case SPI_GETANIMATION: {
        auto* info = static_cast<ANIMATIONINFO*>(pvParam);
        if (!info || info->cbSize != sizeof(ANIMATIONINFO) || uiParam != sizeof(ANIMATIONINFO))
            break;
        info->iMinAnimate = state.minAnimate;
        return TRUE;
    }
    case SPI_SETANIMATION: {
        auto* info = static_cast<ANIMATIONINFO*>(pvParam);
        if (!info || info->cbSize != sizeof(ANIMATIONINFO) || uiParam != sizeof(ANIMATIONINFO))
            break;
        state.minAnimate = info->iMinAnimate != 0;
        return TRUE;
    }
    default:
        break;
    }
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
}

BOOL WINAPI AdjustWindowRectEx(LPRECT lpRect, DWORD dwStyle, BOOL, DWORD dwExStyle) {
    if (!lpRect) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    // The frame does not depend on the size, so measure it on any window.
    RECT client = ClientFromWindow(dwStyle, dwExStyle, 1000, 1000);
    lpRect->left -= client.left;
    lpRect->top -= client.top;
    lpRect->right += 1000 - client.right;
    lpRect->bottom += 1000 - client.bottom;
    return TRUE;
}

UINT WINAPI GetDoubleClickTime(void) { return 500; }
