#include "Recorder.h"

#include <algorithm>
#include <map>

namespace qv::test {

namespace {
Recorder* current = nullptr;
}

Recorder::Recorder() {
    current = this;
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = Proc;
    wc.lpszClassName = "Recorder";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    RegisterClassA(&wc);
    wc.style = 0;
    wc.lpszClassName = "PlainRecorder";
    RegisterClassA(&wc);
}

Recorder& Recorder::Current() { return *current; }

LRESULT CALLBACK Recorder::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Recorder& self = Current();
    self.received_.push_back(Received{hwnd, message, wParam, lParam});
    if (self.onMessage)
        self.onMessage(hwnd, message, wParam, lParam);
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

std::vector<Received> Recorder::Messages(std::initializer_list<UINT> keep) const {
    std::vector<Received> out;
    std::copy_if(received_.begin(), received_.end(), std::back_inserter(out), [&](const Received& r) {
        return std::find(keep.begin(), keep.end(), r.message) != keep.end();
    });
    return out;
}

int RunMessageLoop(const std::function<void()>& setUp) {
    setUp();
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

std::string MessageName(UINT message) {
    static const std::map<UINT, std::string> names{
        {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"}, {WM_LBUTTONUP, "WM_LBUTTONUP"},
        {WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK"}, {WM_RBUTTONDOWN, "WM_RBUTTONDOWN"},
        {WM_RBUTTONUP, "WM_RBUTTONUP"}, {WM_MOUSEMOVE, "WM_MOUSEMOVE"}, {WM_TIMER, "WM_TIMER"},
        {WM_KEYDOWN, "WM_KEYDOWN"}, {WM_KEYUP, "WM_KEYUP"}, {WM_CHAR, "WM_CHAR"},
        {WM_SYSKEYDOWN, "WM_SYSKEYDOWN"}, {WM_USER, "WM_USER"}};
    auto it = names.find(message);
    if (it != names.end())
        return it->second;
    if (message > WM_USER && message < WM_USER + 100)
        return "WM_USER+" + std::to_string(message - WM_USER);
    return "0x" + std::to_string(message);
}

} // namespace qv::test
