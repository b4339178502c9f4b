#include "RawWindow.h"

#include <algorithm>
#include <utility>

namespace qv::test {

const char kRawClass[] = "FrameworkTestRaw";

namespace {
std::vector<std::pair<HWND, UINT>> seen;
}

void ResetRawWindows() {
    seen.clear();
    WNDCLASSA wc{};
    if (GetClassInfoA(GetModuleHandleA(nullptr), kRawClass, &wc))
        return;
    wc.lpfnWndProc = RawWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kRawClass;
    RegisterClassA(&wc);
}

LRESULT CALLBACK RawWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    seen.emplace_back(hWnd, message);
    switch (message) {
    case WM_GETDLGCODE:
        return DLGC_BUTTON;
    case BM_SETCHECK:
        SetWindowLongPtrA(hWnd, GWLP_USERDATA, static_cast<LONG_PTR>(wParam));
        return 0;
    case BM_GETCHECK:
        return GetWindowLongPtrA(hWnd, GWLP_USERDATA);
    default:
        return DefWindowProcA(hWnd, message, wParam, lParam);
    }
}

std::vector<UINT> RawMessages(HWND hWnd) {
    std::vector<UINT> out;
    for (const auto& [h, message] : seen)
        if (h == hWnd)
            out.push_back(message);
    return out;
}

bool RawSaw(HWND hWnd, UINT message) {
    auto messages = RawMessages(hWnd);
    return std::find(messages.begin(), messages.end(), message) != messages.end();
}

HWND CreateRawWindow(HWND hWndParent, int nID, DWORD dwStyle) {
    if (hWndParent)
        dwStyle |= WS_CHILD;
    return CreateWindowExA(0, kRawClass, "raw", dwStyle, 0, 0, 50, 20, hWndParent,
                           reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)),
                           GetModuleHandleA(nullptr), nullptr);
}

} // namespace qv::test
