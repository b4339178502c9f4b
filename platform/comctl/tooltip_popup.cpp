// When a tip shows and hides: the pointer resting on a tool, the delays, presses and leaving;
// where the tip goes and how it looks.
#include "comctl/tooltip.h"

#include <algorithm>

namespace qv::comctl {
namespace {

enum TimerId : UINT_PTR {
    kShowTimer = 1,   // the pointer has rested long enough
    kPopTimer = 2,    // the tip has been up long enough
    kLeaveTimer = 3,  // looks whether the pointer is still on the tool
};

// How often the pointer is looked at while it is on a tool, for leaving without a relayed message.
constexpr UINT kLeaveCheck = 100;
// The frame and the space between it and the text.
constexpr int kMarginX = 3;
constexpr int kMarginY = 2;
// The standard arrow is about 20 pixels tall: the tip goes just below it.
constexpr int kBelowCursor = 20;

bool IsPress(UINT message) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
        return true;
    default:
        return false;
    }
}

void Notify(HWND self, const ToolKey& key, UINT code, LRESULT* result = nullptr) {
    NMHDR hdr{self, key.id, code};
    LRESULT r = SendMessageA(key.hwnd, WM_NOTIFY, key.id, reinterpret_cast<LPARAM>(&hdr));
    if (result)
        *result = r;
}

} // namespace

ToolTip::ToolTip(HWND hwnd) : self(hwnd) {
    SetDelay(TTDT_AUTOMATIC, -1);
}

void ToolTip::SetDelay(WPARAM which, int time) {
    // A negative time gives back the default, which follows the double-click time.
    const int base = static_cast<int>(GetDoubleClickTime());
    switch (which) {
    case TTDT_AUTOMATIC:
        initial_ = time < 0 ? base : time;
        autopop_ = initial_ * 10;
        reshow_ = initial_ / 5;
        break;
    case TTDT_INITIAL:
        initial_ = time < 0 ? base : time;
        break;
    case TTDT_AUTOPOP:
        autopop_ = time < 0 ? base * 10 : time;
        break;
    case TTDT_RESHOW:
        reshow_ = time < 0 ? base / 5 : time;
        break;
    default:
        break;
    }
}

int ToolTip::GetDelay(WPARAM which) const {
    switch (which) {
    case TTDT_INITIAL:
        return initial_;
    case TTDT_AUTOPOP:
        return autopop_;
    case TTDT_RESHOW:
        return reshow_;
    default:
        return 0;
    }
}

void ToolTip::Relay(const MSG* msg) {
    if (!msg || !active || tracking_)
        return;
    if (msg->message == WM_MOUSELEAVE) {
        Leave();
        return;
    }
    if (IsPress(msg->message)) {
        KillTimer(self, kShowTimer);
        Hide();
        dismissed_ = hover_.has_value();
        return;
    }
    if (msg->message != WM_MOUSEMOVE)
        return;
    POINT client{static_cast<short>(LOWORD(msg->lParam)), static_cast<short>(HIWORD(msg->lParam))};
    POINT screen = client;
    ClientToScreen(msg->hwnd, &screen);
    Tool* tool = ToolAt(msg->hwnd, client);
    if (!tool) {
        Leave();
    } else if (ToolKey key{tool->hwnd, tool->id}; hover_ != key) {
        bool quickly = shown_.has_value();
        Hide();
        Enter(key, quickly);
    } else if (!shown_ && !dismissed_ &&
               (screen.x != lastPoint_.x || screen.y != lastPoint_.y)) {
        // The pointer must rest: each move starts the wait again.
        StartShowTimer(pendingDelay_);
    }
    lastPoint_ = screen;
}

void ToolTip::Enter(const ToolKey& key, bool quickly) {
    hover_ = key;
    dismissed_ = false;
    StartShowTimer(static_cast<UINT>(quickly ? reshow_ : initial_));
    SetTimer(self, kLeaveTimer, kLeaveCheck, nullptr);
}

void ToolTip::Leave() {
    KillTimer(self, kShowTimer);
    KillTimer(self, kLeaveTimer);
    Hide();
    hover_.reset();
    dismissed_ = false;
}

void ToolTip::StartShowTimer(UINT delay) {
    pendingDelay_ = delay;
    SetTimer(self, kShowTimer, std::max(delay, 1u), nullptr);
}

void ToolTip::Timer(UINT_PTR id) {
    switch (id) {
    case kShowTimer: {
        KillTimer(self, kShowTimer);
        Tool* tool = hover_ ? Find(*hover_) : nullptr;
        if (!tool || !PointerOn(*tool)) {
            Leave();
            return;
        }
        if (active && !tracking_ && OwnerActive(*tool))
            Show(*hover_);
        return;
    }
    case kPopTimer:
        KillTimer(self, kPopTimer);
        Hide();
        dismissed_ = hover_.has_value();
        return;
    case kLeaveTimer: {
        Tool* tool = hover_ ? Find(*hover_) : nullptr;
        if (!tool || !PointerOn(*tool))
            Leave();
        return;
    }
    default:
        return;
    }
}

void ToolTip::Pop() {
    KillTimer(self, kShowTimer);
    KillTimer(self, kLeaveTimer);
    hover_.reset();
    tracking_ = false;
    Hide();
}

void ToolTip::Activate(bool on) {
    if (!on)
        Pop();
    active = on;
}

void ToolTip::Forget(const ToolKey& key) {
    if (shown_ == key) {
        tracking_ = false;
        Hide();
    }
    if (hover_ == key) {
        KillTimer(self, kShowTimer);
        KillTimer(self, kLeaveTimer);
        hover_.reset();
    }
}

void ToolTip::TrackActivate(bool on, const TTTOOLINFOA* ti) {
    Tool* tool = FindByInfo(ti);
    if (!tool || !(tool->flags & TTF_TRACK))
        return;
    ToolKey key{tool->hwnd, tool->id};
    if (!on) {
        if (tracking_ && shown_ == key) {
            tracking_ = false;
            Hide();
        }
        return;
    }
    if (!active)
        return;
    KillTimer(self, kShowTimer);
    KillTimer(self, kLeaveTimer);
    hover_.reset();
    if (shown_ != key)
        Hide();
    tracking_ = true;
    Show(key);
}

void ToolTip::TrackPosition(POINT screen) {
    trackPoint_ = screen;
    if (tracking_ && shown_)
        Place(*shown_, TextOf(*shown_), false);
}

void ToolTip::Show(const ToolKey& key) {
    std::string text = TextOf(key);
    // A tool without text shows nothing, and one removed while asked for its text neither.
    if (text.empty() || !Find(key))
        return;
    shown_ = key;
    if (!Place(key, text, true))
        return;
    if (!tracking_)
        SetTimer(self, kPopTimer, static_cast<UINT>(std::max(autopop_, 1)), nullptr);
}

void ToolTip::Hide() {
    KillTimer(self, kPopTimer);
    if (!shown_)
        return;
    ToolKey key = *shown_;
    shown_.reset();
    Notify(self, key, TTN_POP);
    ShowWindow(self, SW_HIDE);
}

void ToolTip::Refresh(const ToolKey& key) {
    if (shown_ != key)
        return;
    std::string text = TextOf(key);
    if (text.empty() || !Find(key))
        Hide();
    else
        Place(key, text, false);
}

bool ToolTip::Place(const ToolKey& key, const std::string& text, bool notify) {
    SetWindowTextA(self, text.c_str());
    SIZE size = TextSize(text);
    const int width = size.cx + 2 * kMarginX;
    const int height = size.cy + 2 * kMarginY;
    RECT now{};
    GetWindowRect(self, &now);
    SetWindowPos(self, nullptr, now.left, now.top, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);

    LRESULT placedByOwner = 0;
    if (notify) {
        Notify(self, key, TTN_SHOW, &placedByOwner);
        // The handler may have hidden the tip or removed the tool.
        if (shown_ != key || !Find(key))
            return false;
    }
    const Tool& tool = *Find(key);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    int x;
    int y;
    bool keepOnScreen = true;
    if (placedByOwner) {
        GetWindowRect(self, &now);
        x = now.left;
        y = now.top;
        keepOnScreen = false;
    } else if (tracking_) {
        x = trackPoint_.x;
        y = trackPoint_.y;
        keepOnScreen = !(tool.flags & TTF_ABSOLUTE);
    } else if (tool.flags & TTF_CENTERTIP) {
        RECT area = tool.rect;
        if (tool.flags & TTF_IDISHWND)
            GetWindowRect(tool.Window(), &area);
        else
            MapWindowPoints(tool.hwnd, nullptr, reinterpret_cast<POINT*>(&area), 2);
        x = (area.left + area.right - width) / 2;
        y = area.bottom + 2;
        if (y + height > screenHeight)
            y = area.top - height - 2;
    } else {
        POINT cursor{};
        GetCursorPos(&cursor);
        x = cursor.x;
        y = cursor.y + kBelowCursor;
        if (y + height > screenHeight)
            y = cursor.y - height - 2;
    }
    if (keepOnScreen) {
        x = std::clamp(x, 0, std::max(0, screenWidth - width));
        y = std::clamp(y, 0, std::max(0, screenHeight - height));
    }
    SetWindowPos(self, HWND_TOPMOST, x, y, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(self, nullptr, TRUE);
    return true;
}

bool ToolTip::PointerOn(const Tool& tool) {
    POINT cursor{};
    GetCursorPos(&cursor);
    HWND under = reinterpret_cast<HWND>(
        SendMessageA(self, TTM_WINDOWFROMPOINT, 0, reinterpret_cast<LPARAM>(&cursor)));
    HWND window = tool.Window();
    // The tip itself over its tool does not take the pointer off the tool.
    if (under == self && shown_)
        return true;
    if (!under || (under != window && !IsChild(window, under)))
        return false;
    if (tool.flags & TTF_IDISHWND)
        return true;
    ScreenToClient(window, &cursor);
    return PtInRect(&tool.rect, cursor);
}

bool ToolTip::OwnerActive(const Tool& tool) const {
    if (GetWindowLongA(self, GWL_STYLE) & TTS_ALWAYSTIP)
        return true;
    HWND activeWindow = GetActiveWindow();
    HWND window = tool.Window();
    return activeWindow && (activeWindow == window || IsChild(activeWindow, window));
}

UINT ToolTip::TextFormat() const {
    UINT format = DT_EXPANDTABS | (maxWidth >= 0 ? DT_WORDBREAK : DT_SINGLELINE);
    // Without TTS_NOPREFIX ampersands are taken out of the text ("&&" leaves one), but nothing
    // is underlined.
    format |= (GetWindowLongA(self, GWL_STYLE) & TTS_NOPREFIX) ? DT_NOPREFIX : DT_HIDEPREFIX;
    return format;
}

HFONT ToolTip::FontInUse() const {
    return font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

SIZE ToolTip::TextSize(const std::string& text) {
    HDC dc = GetDC(self);
    HGDIOBJ previous = SelectObject(dc, FontInUse());
    RECT r{0, 0, maxWidth >= 0 ? maxWidth : 0, 0};
    DrawTextA(dc, text.c_str(), -1, &r, TextFormat() | DT_CALCRECT);
    SelectObject(dc, previous);
    ReleaseDC(self, dc);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

void ToolTip::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(self, &ps);
    if (!dc)
        return;
    RECT client;
    GetClientRect(self, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_INFOBK));
    FrameRect(dc, &client, GetSysColorBrush(COLOR_INFOTEXT));
    int length = GetWindowTextLengthA(self);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(self, text.data(), length + 1)));
    HGDIOBJ previous = SelectObject(dc, FontInUse());
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    SetBkMode(dc, TRANSPARENT);
    RECT inner{client.left + kMarginX, client.top + kMarginY, client.right - kMarginX,
               client.bottom - kMarginY};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &inner, TextFormat());
    SelectObject(dc, previous);
    EndPaint(self, &ps);
}

} // namespace qv::comctl
