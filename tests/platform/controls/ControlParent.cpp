#include "ControlParent.h"

#include <algorithm>

namespace qv::test {

namespace {
ControlParent* current = nullptr;
}

ControlParent::ControlParent() {
    current = this;
    static HBRUSH background = CreateSolidBrush(Background);
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.lpszClassName = "ControlParent";
    wc.hbrBackground = background;
    RegisterClassA(&wc);
}

ControlParent& ControlParent::Current() {
    return *current;
}

std::vector<UINT> ControlParent::Codes(HWND control) const {
    std::vector<UINT> out;
    for (const Command& c : commands)
        if (c.control == control)
            out.push_back(c.code);
    return out;
}

void ControlParent::Clear() {
    commands.clear();
    colours.clear();
    clicks = 0;
}

LRESULT CALLBACK ControlParent::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    ControlParent& self = Current();
    switch (message) {
    case WM_COMMAND:
        self.commands.push_back(
            Command{LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)});
        return 0;
    case WM_LBUTTONDOWN:
        ++self.clicks;
        return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        self.colours.push_back(
            ColourRequest{message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)});
        if (message == WM_CTLCOLORSTATIC &&
            GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) == self.transparentId) {
            HDC hdc = reinterpret_cast<HDC>(wParam);
            SetTextColor(hdc, TextColour);
            SetBkMode(hdc, TRANSPARENT);
            return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
        }
        break;
    default:
        break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

int RunParent(const std::function<void(HWND parent)>& setUp) {
    HWND parent = CreateWindowExA(0, "ControlParent", "controls", WS_POPUP | WS_VISIBLE, 100, 100,
                                  300, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ControlParent::Current().window = parent;
    setUp(parent);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

HWND MakeControl(HWND parent, const char* className, const char* text, DWORD style, RECT r,
                 int id) {
    return CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                           r.right - r.left, r.bottom - r.top, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleA(nullptr), nullptr);
}

} // namespace qv::test
