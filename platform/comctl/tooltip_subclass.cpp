// TTF_SUBCLASS: the tool tip puts its own procedure in front of the tool's window and relays
// that window's mouse messages itself. One procedure serves every tool tip of a window.
#include "comctl/tooltip.h"

#include <algorithm>
#include <map>
#include <mutex>

namespace qv::comctl {
namespace {

struct Subclassed {
    WNDPROC previous = nullptr;
    std::vector<HWND> toolTips;
};

std::mutex& SubclassLock() {
    static std::mutex m;
    return m;
}

std::map<HWND, Subclassed>& Windows() {
    static std::map<HWND, Subclassed> windows;
    return windows;
}

bool IsMouseMessage(UINT message) {
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || message == WM_MOUSELEAVE;
}

LRESULT CALLBACK RelayingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Subclassed entry;
    {
        std::lock_guard lock(SubclassLock());
        auto it = Windows().find(hwnd);
        if (it == Windows().end())
            return DefWindowProcA(hwnd, message, wParam, lParam);
        entry = it->second;
        if (message == WM_NCDESTROY)
            Windows().erase(it);
    }
    if (IsMouseMessage(message)) {
        DWORD pos = GetMessagePos();
        MSG msg{hwnd, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()),
                POINT{static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))}};
        for (HWND toolTip : entry.toolTips)
            SendMessageA(toolTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    }
    if (message == WM_NCDESTROY &&
        GetWindowLongPtrA(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(RelayingProc))
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(entry.previous));
    return CallWindowProcA(entry.previous, hwnd, message, wParam, lParam);
}

} // namespace

void Subclass(HWND window, HWND toolTip) {
    if (!IsWindow(window))
        return;
    std::lock_guard lock(SubclassLock());
    auto [it, added] = Windows().try_emplace(window);
    if (added)
        it->second.previous = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RelayingProc)));
    auto& tips = it->second.toolTips;
    if (std::find(tips.begin(), tips.end(), toolTip) == tips.end())
        tips.push_back(toolTip);
}

void Unsubclass(HWND window, HWND toolTip) {
    std::lock_guard lock(SubclassLock());
    auto it = Windows().find(window);
    if (it == Windows().end())
        return;
    std::erase(it->second.toolTips, toolTip);
    // Someone who subclassed the window after us still calls our procedure: then it stays, and
    // passes messages on.
    if (it->second.toolTips.empty() &&
        GetWindowLongPtrA(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(RelayingProc)) {
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(it->second.previous));
        Windows().erase(it);
    }
}

void ToolTip::UpdateSubclassing() {
    std::set<HWND> wanted;
    for (const Tool& tool : tools)
        if ((tool.flags & TTF_SUBCLASS) && tool.Window())
            wanted.insert(tool.Window());
    for (HWND window : subclassed_)
        if (!wanted.count(window))
            Unsubclass(window, self);
    for (HWND window : wanted)
        if (!subclassed_.count(window))
            Subclass(window, self);
    subclassed_ = std::move(wanted);
}

void ToolTip::StopSubclassing() {
    for (HWND window : subclassed_)
        Unsubclass(window, self);
    subclassed_.clear();
}

} // namespace qv::comctl
