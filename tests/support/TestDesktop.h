// The test desktop: runs a program's UI thread on the platform's desktop with a virtual clock,
// acts on it as a user would (through the real input path) and reads what a user or another
// program could observe. Every wait is bounded: a UI thread that does not settle fails the test.
#pragma once
#include <windows.h>

#include "user/menu_state.h"

#include <chrono>
#include <functional>
#include <future>
#include <string>
#include <thread>
#include <vector>

namespace qv::test {

class VirtualClock;

class TestDesktop {
public:
    TestDesktop();
    ~TestDesktop();
    TestDesktop(const TestDesktop&) = delete;
    TestDesktop& operator=(const TestDesktop&) = delete;

    // Runs the program (what WinMain would run) on a UI thread of its own, then waits until
    // that thread is idle or the program has ended.
    void Start(std::function<int()> program);
    bool Running() const;
    // The program's result; fails the test when it has not ended within the watchdog's time.
    int ExitCode();
    DWORD UiThread() const { return uiThread_; }

    // Waits until the UI thread has handled everything that is due, or the program ended.
    void WaitIdle();
    // Moves the virtual clock forward, stopping at each due timer so that timers fire in order
    // of due time, once per period.
    void Advance(DWORD milliseconds);
    DWORD Now() const;

    // Acting as a user.
    POINT CenterOf(HWND hwnd) const;
    void MoveTo(POINT screen);
    void ClickAt(POINT screen, int button = 0);
    void Click(HWND hwnd);
    void RightClick(HWND hwnd);
    void DoubleClick(HWND hwnd);
    void KeyDown(UINT vk);
    void KeyUp(UINT vk);
    void PressKey(UINT vk);
    // A key pressed while Alt is held.
    void PressAltKey(UINT vk);

    // Reading.
    std::string Text(HWND hwnd) const;
    // The top-level window with this title (and class, when given), or null.
    HWND FindTopLevel(const char* title, const char* className = nullptr) const;
    // Runs a function on the UI thread and waits for it.
    void Call(const std::function<void()>& fn);
    bool Screenshot(const std::string& path);

    // Menus. Items are named by their text with or without the '&' of the mnemonic and the
    // accelerator text after a tab ("&Close\tAlt+F4", "&Close" and "Close" all name Close).
    // The open popups, the first one opened first; empty when no menu is open.
    std::vector<user::OpenMenu> OpenMenus() const;
    bool MenuOpen() const { return !OpenMenus().empty(); }
    // The texts of the deepest open popup's items, as the program gave them.
    std::vector<std::string> MenuItems() const;
    // Moves the pointer onto the item (of the deepest open popup that has it) and clicks it.
    void ClickMenuItem(const char* text, int button = 0);
    // Chooses an item of the deepest open popup with the keyboard: Down until it is
    // highlighted, then Enter.
    void ChooseMenuItem(const char* text);
    // Closes the open menu with Esc, one popup at a time.
    void CancelMenu();

    // How long a wait for the UI thread may last before the test fails.
    void SetWatchdog(std::chrono::milliseconds watchdog) { watchdog_ = watchdog; }

private:
    void Inject(int kind, int button, POINT pt, UINT vk);

    VirtualClock* clock_ = nullptr;
    std::thread ui_;
    std::promise<int> result_;
    std::shared_future<int> ended_;
    DWORD uiThread_ = 0;
    std::chrono::milliseconds watchdog_{10000};
};

} // namespace qv::test
