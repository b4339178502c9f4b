#include "Recorder.h"

#include <gtest/gtest.h>

#include <windowsx.h>

namespace qv::test {
namespace {

class Input : public ::testing::Test {
protected:
    void Start(const char* className) {
        desktop.Start([this, className] {
            return RunMessageLoop([this, className] {
                window = CreateWindowExA(0, className, "input", WS_POPUP | WS_VISIBLE, 100, 100,
                                         200, 100, nullptr, nullptr, nullptr, nullptr);
                child = CreateWindowExA(0, className, "child", WS_CHILD | WS_VISIBLE, 10, 10, 50,
                                        30, window, reinterpret_cast<HMENU>(5), nullptr, nullptr);
            });
        });
        recorder.Clear();
    }

    std::vector<UINT> Buttons() const {
        std::vector<UINT> out;
        for (const auto& r : recorder.Messages({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK}))
            out.push_back(r.message);
        return out;
    }

    TestDesktop desktop;
    Recorder recorder;
    HWND window = nullptr;
    HWND child = nullptr;
};

TEST_F(Input, AClickIsAPressAndAReleaseAtItsPositionInClientCoordinates) {
    Start("Recorder");
    desktop.ClickAt(POINT{100 + 150, 100 + 40});
    auto got = recorder.Messages({WM_LBUTTONDOWN, WM_LBUTTONUP});
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].message, static_cast<UINT>(WM_LBUTTONDOWN));
    EXPECT_EQ(got[0].hwnd, window);
    EXPECT_EQ(GET_X_LPARAM(got[0].lParam), 150);
    EXPECT_EQ(GET_Y_LPARAM(got[0].lParam), 40);
    EXPECT_EQ(got[0].wParam, static_cast<WPARAM>(MK_LBUTTON));
    EXPECT_EQ(got[1].message, static_cast<UINT>(WM_LBUTTONUP));
    EXPECT_EQ(got[1].wParam, 0u);
}

TEST_F(Input, AClickOnAChildGoesToTheChild) {
    Start("Recorder");
    desktop.ClickAt(POINT{100 + 20, 100 + 20});
    auto got = recorder.Messages({WM_LBUTTONDOWN});
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].hwnd, child);
    EXPECT_EQ(GET_X_LPARAM(got[0].lParam), 10);
}

struct SecondClick {
    const char* className;
    DWORD pause;
    int dx;
    UINT expected;
};

std::ostream& operator<<(std::ostream& os, const SecondClick& c) {
    return os << c.className << " after " << c.pause << " ms, " << c.dx << " px away";
}

class DoubleClicks : public Input, public ::testing::WithParamInterface<SecondClick> {};

TEST_P(DoubleClicks, TheSecondPressIsADoubleClickOnlyWithinTimeDistanceAndClassStyle) {
    const SecondClick& c = GetParam();
    Start(c.className);
    desktop.ClickAt(POINT{200, 150});
    desktop.Advance(c.pause);
    desktop.ClickAt(POINT{200 + c.dx, 150});
    EXPECT_EQ(Buttons(), (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, c.expected, WM_LBUTTONUP}))
        << MessageName(c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DoubleClicks,
    ::testing::Values(SecondClick{"Recorder", 0, 0, WM_LBUTTONDBLCLK},
                      SecondClick{"Recorder", 500, 2, WM_LBUTTONDBLCLK},
                      SecondClick{"Recorder", 501, 0, WM_LBUTTONDOWN},
                      SecondClick{"Recorder", 100, 3, WM_LBUTTONDOWN},
                      SecondClick{"PlainRecorder", 0, 0, WM_LBUTTONDOWN}));

TEST_F(Input, AThirdClickStartsANewPair) {
    Start("Recorder");
    for (int i = 0; i < 3; ++i)
        desktop.ClickAt(POINT{200, 150});
    EXPECT_EQ(Buttons(), (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK,
                                            WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP}));
}

TEST_F(Input, CaptureKeepsTheMouseOnTheCapturingWindow) {
    Start("Recorder");
    desktop.Call([&] { SetCapture(child); });
    desktop.ClickAt(POINT{250, 180});
    auto got = recorder.Messages({WM_LBUTTONDOWN});
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].hwnd, child);
    EXPECT_EQ(GET_X_LPARAM(got[0].lParam), 250 - 110);
    desktop.Call([&] { ReleaseCapture(); });
    EXPECT_EQ(recorder.Messages({WM_CAPTURECHANGED}).size(), 1u);
}

TEST_F(Input, KeysGoToTheFocusAndTranslateIntoCharacters) {
    Start("Recorder");
    desktop.Call([&] { SetFocus(child); });
    desktop.PressKey('A');
    desktop.PressAltKey('X');
    std::vector<std::pair<HWND, UINT>> got;
    for (const auto& r : recorder.Messages({WM_KEYDOWN, WM_KEYUP, WM_CHAR, WM_SYSKEYDOWN, WM_SYSKEYUP, WM_SYSCHAR}))
        got.emplace_back(r.hwnd, r.message);
    EXPECT_EQ(got, (std::vector<std::pair<HWND, UINT>>{{child, WM_KEYDOWN},
                                                       {child, WM_CHAR},
                                                       {child, WM_KEYUP},
                                                       {child, WM_SYSKEYDOWN},
                                                       {child, WM_SYSKEYDOWN},
                                                       {child, WM_SYSCHAR},
                                                       {child, WM_SYSKEYUP},
                                                       {child, WM_SYSKEYUP}}));
    auto chars = recorder.Messages({WM_CHAR, WM_SYSCHAR});
    ASSERT_EQ(chars.size(), 2u);
    EXPECT_EQ(chars[0].wParam, static_cast<WPARAM>('a'));
    EXPECT_EQ(chars[1].wParam, static_cast<WPARAM>('x'));
}

} // namespace
} // namespace qv::test
