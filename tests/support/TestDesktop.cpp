#include "TestDesktop.h"

#include "VirtualClock.h"
#include "desktop/screen.h"
#include "user/input.h"
#include "user/message_queue.h"
#include "user/timer_state.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace qv::test {
namespace {

using Kind = user::RawInput::Kind;

bool NamesItem(const std::string& item, const char* name) {
    std::string wanted(name);
    if (item == wanted)
        return true;
    std::string label = item.substr(0, item.find('\t'));
    if (label == wanted)
        return true;
    std::string plain;
    for (size_t i = 0; i < label.size(); ++i) {
        if (label[i] == '&' && i + 1 < label.size())
            ++i;
        plain += label[i];
    }
    return plain == wanted;
}

int IndexOf(const user::OpenMenu& menu, const char* name) {
    for (size_t i = 0; i < menu.items.size(); ++i) {
        if (!(menu.items[i].type & MF_SEPARATOR) && NamesItem(menu.items[i].text, name))
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace

TestDesktop::TestDesktop() {
    auto clock = std::make_unique<VirtualClock>(1'000'000);
    clock_ = clock.get();
    host::SetClock(std::move(clock));
}

TestDesktop::~TestDesktop() {
    if (ui_.joinable()) {
        if (Running()) {
            user::EndSession();
            if (ended_.wait_for(watchdog_) != std::future_status::ready) {
                std::fprintf(stderr, "the UI thread did not end when the session ended\n");
                std::_Exit(1);
            }
        }
        ui_.join();
        user::ForgetThread(uiThread_);
    }
    host::SetClock(nullptr);
}

void TestDesktop::Start(std::function<int()> program) {
    ended_ = result_.get_future().share();
    std::promise<DWORD> started;
    auto id = started.get_future();
    ui_ = std::thread([this, program = std::move(program), &started] {
        started.set_value(GetCurrentThreadId());
        result_.set_value(program());
    });
    uiThread_ = id.get();
    WaitIdle();
}

bool TestDesktop::Running() const {
    return ended_.valid() && ended_.wait_for(std::chrono::seconds(0)) != std::future_status::ready;
}

int TestDesktop::ExitCode() {
    WaitIdle();
    if (ended_.wait_for(watchdog_) != std::future_status::ready) {
        ADD_FAILURE() << "the program did not end within " << watchdog_.count() << " ms";
        return -1;
    }
    return ended_.get();
}

void TestDesktop::WaitIdle() {
    auto deadline = std::chrono::steady_clock::now() + watchdog_;
    while (Running()) {
        if (user::WaitThreadIdle(uiThread_, std::chrono::milliseconds(50)))
            return;
        if (std::chrono::steady_clock::now() > deadline) {
            ADD_FAILURE() << "the UI thread did not become idle within " << watchdog_.count()
                          << " ms (it may be busy or blocked outside its message loop)";
            return;
        }
    }
}

void TestDesktop::Advance(DWORD milliseconds) {
    uint64_t target = clock_->NowMilliseconds() + milliseconds;
    for (;;) {
        uint64_t due;
        {
            auto lock = user::LockUser();
            due = user::EarliestTimerDue();
        }
        if (!due || due > target || !Running())
            break;
        if (due > clock_->NowMilliseconds())
            clock_->Set(due);
        {
            auto lock = user::LockUser();
            user::NotifyAll();
        }
        WaitIdle();
        if (::testing::Test::HasFailure())
            return;
    }
    clock_->Set(target);
    {
        auto lock = user::LockUser();
        user::NotifyAll();
    }
    WaitIdle();
}

DWORD TestDesktop::Now() const { return static_cast<DWORD>(clock_->NowMilliseconds()); }

void TestDesktop::Inject(int kind, int button, POINT pt, UINT vk) {
    user::RawInput in;
    in.kind = static_cast<Kind>(kind);
    in.button = button;
    in.pt = pt;
    in.vk = vk;
    user::InjectInput(in);
    WaitIdle();
}

POINT TestDesktop::CenterOf(HWND hwnd) const {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void TestDesktop::MoveTo(POINT screen) {
    Inject(static_cast<int>(Kind::MouseMove), 0, screen, 0);
}

void TestDesktop::ClickAt(POINT screen, int button) {
    MoveTo(screen);
    Inject(static_cast<int>(Kind::MouseDown), button, screen, 0);
    Inject(static_cast<int>(Kind::MouseUp), button, screen, 0);
}

void TestDesktop::Click(HWND hwnd) { ClickAt(CenterOf(hwnd)); }

void TestDesktop::RightClick(HWND hwnd) { ClickAt(CenterOf(hwnd), 1); }

void TestDesktop::DoubleClick(HWND hwnd) {
    POINT p = CenterOf(hwnd);
    ClickAt(p);
    ClickAt(p);
}

void TestDesktop::KeyDown(UINT vk) { Inject(static_cast<int>(Kind::KeyDown), 0, POINT{}, vk); }

void TestDesktop::KeyUp(UINT vk) { Inject(static_cast<int>(Kind::KeyUp), 0, POINT{}, vk); }

void TestDesktop::PressKey(UINT vk) {
    KeyDown(vk);
    KeyUp(vk);
}

void TestDesktop::PressAltKey(UINT vk) {
    KeyDown(VK_MENU);
    PressKey(vk);
    KeyUp(VK_MENU);
}

std::string TestDesktop::Text(HWND hwnd) const {
    int length = GetWindowTextLengthA(hwnd);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int copied = GetWindowTextA(hwnd, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied));
    return text;
}

HWND TestDesktop::FindTopLevel(const char* title, const char* className) const {
    return FindWindowA(className, title);
}

void TestDesktop::Call(const std::function<void()>& fn) {
    user::CallOnThread(uiThread_, fn);
    WaitIdle();
}

bool TestDesktop::Screenshot(const std::string& path) {
    bool written = false;
    Call([&] { written = desktop::WriteScreenshot(path); });
    return written;
}

std::vector<user::OpenMenu> TestDesktop::OpenMenus() const { return user::OpenMenus(); }

std::vector<std::string> TestDesktop::MenuItems() const {
    std::vector<std::string> texts;
    std::vector<user::OpenMenu> open = OpenMenus();
    if (!open.empty()) {
        for (const user::OpenMenuItem& item : open.back().items)
            texts.push_back(item.text);
    }
    return texts;
}

void TestDesktop::ClickMenuItem(const char* text, int button) {
    std::vector<user::OpenMenu> open = OpenMenus();
    for (auto level = open.rbegin(); level != open.rend(); ++level) {
        int index = IndexOf(*level, text);
        if (index < 0)
            continue;
        const RECT& r = level->items[static_cast<size_t>(index)].rect;
        ClickAt(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}, button);
        return;
    }
    ADD_FAILURE() << "no open menu has the item \"" << text << "\"";
}

void TestDesktop::ChooseMenuItem(const char* text) {
    std::vector<user::OpenMenu> open = OpenMenus();
    int index = open.empty() ? -1 : IndexOf(open.back(), text);
    if (index < 0) {
        ADD_FAILURE() << "the open menu has no item \"" << text << "\"";
        return;
    }
    for (size_t presses = 0; presses <= open.back().items.size(); ++presses) {
        open = OpenMenus();
        if (open.empty())
            break;
        if (open.back().highlighted == index) {
            PressKey(VK_RETURN);
            return;
        }
        PressKey(VK_DOWN);
    }
    ADD_FAILURE() << "the item \"" << text << "\" cannot be reached with the keyboard";
}

void TestDesktop::CancelMenu() {
    for (size_t levels = OpenMenus().size(); levels > 0; --levels)
        PressKey(VK_ESCAPE);
    if (MenuOpen())
        ADD_FAILURE() << "the menu did not close on Esc";
}

} // namespace qv::test
