#include "Recorder.h"

#include <gtest/gtest.h>

namespace qv::test {
namespace {

struct Tick {
    UINT_PTR id;
    DWORD at;
    bool operator==(const Tick&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Tick& t) { return os << t.id << "@" << t.at; }

class Timers : public ::testing::Test {
protected:
    void SetUp() override {
        recorder.onMessage = [this](HWND, UINT message, WPARAM wParam, LPARAM) {
            if (message == WM_TIMER)
                ticks.push_back(Tick{wParam, GetTickCount() - start});
        };
        desktop.Start([this] {
            return RunMessageLoop([this] {
                window = CreateWindowExA(0, "Recorder", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                         nullptr, nullptr);
                start = GetTickCount();
            });
        });
    }

    TestDesktop desktop;
    Recorder recorder;
    HWND window = nullptr;
    DWORD start = 0;
    std::vector<Tick> ticks;
};

TEST_F(Timers, FireInOrderOfDueTimeOncePerPeriod) {
    desktop.Call([&] {
        SetTimer(window, 1, 1000, nullptr);
        SetTimer(window, 2, 300, nullptr);
    });
    desktop.Advance(1000);
    EXPECT_EQ(ticks, (std::vector<Tick>{{2, 300}, {2, 600}, {2, 900}, {1, 1000}}));
}

TEST_F(Timers, KillTimerStopsOnlyThatTimer) {
    desktop.Call([&] {
        SetTimer(window, 1, 1000, nullptr);
        SetTimer(window, 2, 1000, nullptr);
    });
    desktop.Advance(1000);
    bool killed = false;
    desktop.Call([&] { killed = KillTimer(window, 2); });
    EXPECT_TRUE(killed);
    desktop.Advance(2000);
    EXPECT_EQ(ticks, (std::vector<Tick>{{1, 1000}, {2, 1000}, {1, 2000}, {1, 3000}}));
    desktop.Call([&] { killed = KillTimer(window, 2); });
    EXPECT_FALSE(killed);
}

TEST_F(Timers, SettingAgainRestartsThePeriod) {
    desktop.Call([&] { SetTimer(window, 1, 1000, nullptr); });
    desktop.Advance(600);
    desktop.Call([&] { SetTimer(window, 1, 1000, nullptr); });
    desktop.Advance(1400);
    EXPECT_EQ(ticks, (std::vector<Tick>{{1, 1600}}));
}

TEST_F(Timers, NothingFiresBeforeTheClockMoves) {
    desktop.Call([&] { SetTimer(window, 1, 1000, nullptr); });
    desktop.Advance(999);
    EXPECT_TRUE(ticks.empty());
}

} // namespace
} // namespace qv::test
