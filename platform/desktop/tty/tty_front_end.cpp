#include "desktop/tty/tty_front_end.h"

#include "desktop/notification_area.h"
#include "desktop/tty/ansi.h"
#include "desktop/tty/snapshot.h"
#include "user/input.h"
#include "user/window.h"

#include <algorithm>
#include <chrono>
#include <ctime>

namespace qv::desktop::tty {
namespace {

constexpr UINT kVkApps = 0x5D;
constexpr UINT kVkF12 = VK_F1 + 11;
constexpr int kFlightFrames = 8;
constexpr auto kFlightFrameTime = std::chrono::milliseconds(25);

void Inject(user::RawInput::Kind kind, UINT vk = 0, char ch = 0, int button = 0, POINT pt = {}) {
    user::RawInput in;
    in.kind = kind;
    in.vk = vk;
    in.ch = ch;
    in.button = button;
    in.pt = pt;
    user::InjectInput(in);
}

void Press(UINT vk) {
    Inject(user::RawInput::Kind::KeyDown, vk);
    Inject(user::RawInput::Kind::KeyUp, vk);
}

void Click(POINT pt, int button) {
    Inject(user::RawInput::Kind::MouseMove, 0, 0, 0, pt);
    Inject(user::RawInput::Kind::MouseDown, 0, 0, button, pt);
    Inject(user::RawInput::Kind::MouseUp, 0, 0, button, pt);
}

std::string ClockText() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[8];
    std::strftime(text, sizeof text, "%H:%M", &local);
    return text;
}

RECT Between(const RECT& from, const RECT& to, int step, int steps) {
    auto mix = [&](LONG a, LONG b) { return a + (b - a) * step / steps; };
    return RECT{mix(from.left, to.left), mix(from.top, to.top), mix(from.right, to.right),
                mix(from.bottom, to.bottom)};
}

} // namespace

TtyFrontEnd::~TtyFrontEnd() { Stop(); }

void TtyFrontEnd::Start(DWORD) {
    color_ = !NoColorWanted();
    int cols = kMinCols, rows = kMinRows;
    terminal_.Size(cols, rows);
    {
        // The screen is as large as the terminal shows, and never smaller than 80 by 24 cells;
        // the taskbar is the last row.
        auto lock = user::LockUser();
        auto& state = user::State();
        state.screen = SIZE{std::max(cols, kMinCols) * kCell.cx, std::max(rows, kMinRows) * kCell.cy};
        state.taskbarHeight = kCell.cy;
        user::Window* desktop = user::FindWindowObject(state.desktop);
        desktop->rect = RECT{0, 0, state.screen.cx, state.screen.cy};
        desktop->client = desktop->rect;
    }
    terminal_.Enter();
    Draw(std::nullopt);
    input_ = std::thread([this] { ReadInput(); });
}

void TtyFrontEnd::Stop() {
    stop_ = true;
    if (input_.joinable())
        input_.join();
    terminal_.Leave();
}

void TtyFrontEnd::ScreenChanged() { Draw(std::nullopt); }

void TtyFrontEnd::ShowFlight(const RECT& from, const RECT& to) {
    for (int step = 0; step <= kFlightFrames; ++step) {
        Draw(Between(from, to, step, kFlightFrames));
        std::this_thread::sleep_for(kFlightFrameTime);
    }
    Draw(std::nullopt);
}

void TtyFrontEnd::Draw(std::optional<RECT> flight) {
    // Asking controls for their state may run code that waits for messages again.
    if (drawing_ || stop_)
        return;
    drawing_ = true;
    std::vector<HWND> activate;
    int trayFocus;
    {
        std::lock_guard lock(mutex_);
        activate.swap(toActivate_);
        trayFocus = trayFocus_;
    }
    for (HWND hwnd : activate) {
        if (IsIconic(hwnd))
            ShowWindow(hwnd, SW_RESTORE);
        SetForegroundWindow(hwnd);
    }
    DesktopView view = TakeSnapshot();
    view.icons = NotifyIcons();
    view.trayFocus = trayFocus < static_cast<int>(view.icons.size()) ? trayFocus : -1;
    view.clock = ClockText();
    view.flight = flight;
    view.color = color_;
    Layout layout = LayOut(view, kCell);

    int cols = 0, rows = 0;
    if (!terminal_.Size(cols, rows)) {
        cols = layout.grid.Cols();
        rows = layout.grid.Rows();
    }
    if (cols != termCols_ || rows != termRows_)
        shown_.reset(); // resized: everything again
    termCols_ = cols;
    termRows_ = rows;
    bool tooSmall = cols < layout.grid.Cols() || rows < layout.grid.Rows();
    if (tooSmall) {
        if (shown_ || !tooSmall_)
            terminal_.Write(Notice("terminal too small: need at least " +
                                   std::to_string(layout.grid.Cols()) + "x" +
                                   std::to_string(layout.grid.Rows())));
        shown_.reset();
    } else {
        terminal_.Write(Repaint(shown_ ? &*shown_ : nullptr, layout.grid));
        shown_ = layout.grid;
    }
    {
        std::lock_guard lock(mutex_);
        tooSmall_ = tooSmall;
        icons_ = view.icons;
        layout_ = std::move(layout);
    }
    drawing_ = false;
}

void TtyFrontEnd::ReadInput() {
    InputParser parser;
    while (!stop_) {
        std::string bytes = terminal_.Read(parser.Pending() ? 10 : 100);
        uint64_t now = SteadyMilliseconds();
        if (bytes.empty())
            parser.Expire(now);
        else
            parser.Feed(bytes, now);
        for (const auto& e : parser.Take())
            Handle(e);
    }
}

void TtyFrontEnd::Handle(const TermEvent& e) {
    if (e.kind == TermEvent::Kind::Key || e.kind == TermEvent::Kind::Char)
        HandleKey(e);
    else
        HandleMouse(e);
}

void TtyFrontEnd::HandleMouse(const TermEvent& e) {
    CellTarget target;
    {
        std::lock_guard lock(mutex_);
        const CellGrid& grid = layout_.grid;
        if (tooSmall_ || e.col < 0 || e.row < 0 || e.col >= grid.Cols() || e.row >= grid.Rows())
            return;
        target = layout_.TargetAt(e.col, e.row);
        if (target.kind == CellTarget::Kind::TaskButton) {
            if (e.kind == TermEvent::Kind::MouseDown && e.button == 0)
                toActivate_.push_back(target.hwnd);
            return;
        }
    }
    using Kind = user::RawInput::Kind;
    switch (e.kind) {
    case TermEvent::Kind::MouseMove:
        Inject(Kind::MouseMove, 0, 0, 0, target.pt);
        break;
    case TermEvent::Kind::MouseDown:
        Inject(Kind::MouseMove, 0, 0, 0, target.pt);
        Inject(Kind::MouseDown, 0, 0, e.button, target.pt);
        break;
    case TermEvent::Kind::MouseUp:
        Inject(Kind::MouseMove, 0, 0, 0, target.pt);
        Inject(Kind::MouseUp, 0, 0, e.button, target.pt);
        break;
    default:
        break; // the wheel scrolls nothing here
    }
}

bool TtyFrontEnd::TrayKey(const TermEvent& e) {
    int count = static_cast<int>(icons_.size());
    if (e.kind == TermEvent::Kind::Key && e.vk == kVkF12 && !e.shift && !e.alt) {
        trayFocus_ = count ? (trayFocus_ + 1) % count : -1;
        return true;
    }
    if (trayFocus_ < 0 || trayFocus_ >= count) {
        trayFocus_ = -1;
        return false;
    }
    const NotifyIcon& icon = icons_[static_cast<size_t>(trayFocus_)];
    POINT center{(icon.rect.left + icon.rect.right) / 2, (icon.rect.top + icon.rect.bottom) / 2};
    if (e.kind == TermEvent::Kind::Key) {
        if (e.vk == VK_RETURN) {
            Click(center, 0);
            Click(center, 0);
            return true;
        }
        if ((e.vk == VK_F10 && e.shift) || e.vk == kVkApps) {
            Click(center, 1);
            return true;
        }
        if (e.vk == VK_LEFT || e.vk == VK_RIGHT) {
            trayFocus_ = (trayFocus_ + (e.vk == VK_LEFT ? count - 1 : 1)) % count;
            return true;
        }
        if (e.vk == VK_ESCAPE) {
            trayFocus_ = -1;
            return true;
        }
    }
    trayFocus_ = -1;
    return false;
}

void TtyFrontEnd::HandleKey(const TermEvent& e) {
    {
        std::lock_guard lock(mutex_);
        if (TrayKey(e))
            return;
    }
    using Kind = user::RawInput::Kind;
    std::vector<UINT> held;
    if (e.shift)
        held.push_back(VK_SHIFT);
    if (e.ctrl)
        held.push_back(VK_CONTROL);
    if (e.alt)
        held.push_back(VK_MENU);
    for (UINT vk : held)
        Inject(Kind::KeyDown, vk);
    if (e.kind == TermEvent::Kind::Char)
        Inject(Kind::Char, 0, e.ch);
    else
        Press(e.vk);
    for (auto it = held.rbegin(); it != held.rend(); ++it)
        Inject(Kind::KeyUp, *it);
}

} // namespace qv::desktop::tty
