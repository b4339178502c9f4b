#include "Recorder.h"

#include <gtest/gtest.h>

#include <atomic>

namespace qv::test {
namespace {

class Messages : public ::testing::Test {
protected:
    void StartWindow() {
        desktop.Start([this] {
            return RunMessageLoop([this] {
                window = CreateWindowExA(0, "Recorder", "w", WS_OVERLAPPEDWINDOW, 10, 10, 200, 100,
                                         nullptr, nullptr, nullptr, nullptr);
            });
        });
        ASSERT_NE(window, nullptr);
        recorder.Clear();
    }

    std::vector<UINT> UserMessages() const {
        std::vector<UINT> out;
        for (const auto& r : recorder.Messages({WM_USER + 1, WM_USER + 2, WM_USER + 3, WM_USER + 4,
                                                WM_USER + 5, WM_USER + 6}))
            out.push_back(r.message - WM_USER);
        return out;
    }

    TestDesktop desktop;
    Recorder recorder;
    HWND window = nullptr;
};

TEST_F(Messages, SentRunsAtOnceWhilePostedWaitsForTheQueue) {
    recorder.onMessage = [this](HWND hwnd, UINT message, WPARAM, LPARAM) {
        if (message == WM_USER + 1) {
            PostMessageA(hwnd, WM_USER + 2, 0, 0);
            SendMessageA(hwnd, WM_USER + 3, 0, 0);
        }
    };
    StartWindow();
    PostMessageA(window, WM_USER + 1, 0, 0);
    desktop.WaitIdle();
    EXPECT_EQ(UserMessages(), (std::vector<UINT>{1, 3, 2}));
}

TEST_F(Messages, PostedMessagesKeepTheirOrder) {
    StartWindow();
    for (UINT m : {4u, 5u, 6u, 1u})
        PostMessageA(window, WM_USER + m, m, 0);
    desktop.WaitIdle();
    EXPECT_EQ(UserMessages(), (std::vector<UINT>{4, 5, 6, 1}));
}

TEST_F(Messages, SentFromAnotherThreadRunsOnTheWindowsThreadAndReturnsItsResult) {
    std::atomic<DWORD> handledOn{0};
    recorder.onMessage = [&](HWND, UINT message, WPARAM, LPARAM) {
        if (message == WM_USER + 1)
            handledOn = GetCurrentThreadId();
    };
    StartWindow();
    SetWindowTextA(window, "from the test");
    EXPECT_EQ(desktop.Text(window), "from the test");
    SendMessageA(window, WM_USER + 1, 0, 0);
    EXPECT_EQ(handledOn.load(), desktop.UiThread());
}

TEST_F(Messages, PostQuitMessageEndsTheLoopWithItsCode) {
    recorder.onMessage = [](HWND, UINT message, WPARAM, LPARAM) {
        if (message == WM_USER + 1)
            PostQuitMessage(7);
    };
    StartWindow();
    PostMessageA(window, WM_USER + 1, 0, 0);
    EXPECT_EQ(desktop.ExitCode(), 7);
}

TEST(RegisteredMessages, TheSameNameGivesTheSameIdentifier) {
    UINT a = RegisterWindowMessageA("TaskbarCreated");
    EXPECT_GE(a, 0xC000u);
    EXPECT_EQ(RegisterWindowMessageA("TaskbarCreated"), a);
    EXPECT_EQ(RegisterWindowMessageA("taskbarcreated"), a);
    EXPECT_NE(RegisterWindowMessageA("Another"), a);
    EXPECT_EQ(RegisterWindowMessageA(""), 0u);
}

TEST(Hooks, CbtHookSeesTheWindowBeforeItsFirstMessage) {
    Recorder recorder;
    static std::vector<std::string> events;
    static HHOOK hook;
    hook = SetWindowsHookExA(
        WH_CBT,
        [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
            if (code == HCBT_CREATEWND)
                events.push_back(IsWindow(reinterpret_cast<HWND>(wParam)) ? "create-hook" : "no-window");
            return CallNextHookEx(hook, code, wParam, lParam);
        },
        nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    recorder.onMessage = [](HWND, UINT message, WPARAM, LPARAM) {
        if (message == WM_NCCREATE)
            events.push_back("WM_NCCREATE");
        if (message == WM_CREATE)
            events.push_back("WM_CREATE");
    };
    HWND w = CreateWindowExA(0, "Recorder", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(events, (std::vector<std::string>{"create-hook", "WM_NCCREATE", "WM_CREATE"}));
    EXPECT_TRUE(UnhookWindowsHookEx(hook));
    EXPECT_FALSE(UnhookWindowsHookEx(hook));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HOOK_HANDLE));
    DestroyWindow(w);
}

} // namespace
} // namespace qv::test
