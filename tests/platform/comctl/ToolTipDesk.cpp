#include "ToolTipDesk.h"

namespace qv::test {

ToolTipDesk* ToolTipDesk::current_ = nullptr;

void PrintTo(const Notification& n, std::ostream* os) {
    *os << "{to " << n.to << " from " << n.from << " id " << n.id << " code "
        << static_cast<int>(n.code) << "}";
}

void ToolTipDesk::SetUp() { StartWith(WS_POPUP | TTS_NOPREFIX); }

void ToolTipDesk::StartWith(DWORD tipStyle) {
    current_ = this;
    initial = GetDoubleClickTime();
    desktop.Start([this, tipStyle] {
        InitCommonControls();
        WNDCLASSA wc{};
        wc.lpfnWndProc = Proc;
        wc.lpszClassName = "ToolTipDesk";
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        RegisterClassA(&wc);
        main = CreateWindowExA(0, "ToolTipDesk", "Main", WS_POPUP | WS_VISIBLE, kMain.left,
                               kMain.top, kMain.right - kMain.left, kMain.bottom - kMain.top,
                               nullptr, nullptr, nullptr, nullptr);
        child = CreateWindowExA(0, "ToolTipDesk", "Tool", WS_CHILD | WS_VISIBLE, kChild.left,
                                kChild.top, kChild.right - kChild.left,
                                kChild.bottom - kChild.top, main, nullptr, nullptr, nullptr);
        tip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, tipStyle, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, main, nullptr, nullptr,
                              nullptr);
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        return static_cast<int>(msg.wParam);
    });
    ASSERT_TRUE(IsWindow(tip));
}

LRESULT CALLBACK ToolTipDesk::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    ToolTipDesk& self = *current_;
    if (self.relay && self.tip && ((message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
                                   message == WM_MOUSELEAVE)) {
        MSG msg{hwnd, message, wParam, lParam, 0, {}};
        SendMessageA(self.tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    }
    if (message == WM_NOTIFY) {
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        self.notifications.push_back(Notification{hwnd, hdr->hwndFrom, hdr->idFrom, hdr->code});
        EXPECT_EQ(wParam, hdr->idFrom);
        if (hdr->code == TTN_GETDISPINFOA && self.answer)
            self.answer(*reinterpret_cast<NMTTDISPINFOA*>(lParam));
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

TTTOOLINFOA ToolTipDesk::Info(HWND hwnd, UINT_PTR id) const {
    TTTOOLINFOA ti{};
    ti.cbSize = sizeof ti;
    ti.hwnd = hwnd;
    ti.uId = id;
    return ti;
}

LRESULT ToolTipDesk::AddTool(UINT flags, HWND hwnd, UINT_PTR id, LPCSTR text, RECT rect) {
    TTTOOLINFOA ti = Info(hwnd, id);
    ti.uFlags = flags;
    ti.rect = rect;
    ti.lpszText = const_cast<LPSTR>(text);
    return Send(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}

LRESULT ToolTipDesk::AddChildTool(LPCSTR text, UINT flags) {
    return AddTool(TTF_IDISHWND | flags, main, reinterpret_cast<UINT_PTR>(child), text);
}

LRESULT ToolTipDesk::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
    return SendMessageA(tip, message, wParam, lParam);
}

void ToolTipDesk::RestOnChild(int dx) {
    POINT p = desktop.CenterOf(child);
    p.x += dx;
    desktop.MoveTo(p);
}

RECT ToolTipDesk::TipRect() const {
    RECT r{};
    GetWindowRect(tip, &r);
    return r;
}

std::vector<Notification> ToolTipDesk::Notifications(UINT code) const {
    std::vector<Notification> out;
    for (const Notification& n : notifications)
        if (n.code == code)
            out.push_back(n);
    return out;
}

} // namespace qv::test
