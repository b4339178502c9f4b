// When a tip shows and goes away: the delays, presses, leaving the tool and deactivation.
#include "ToolTipDesk.h"

namespace qv::test {
namespace {

using ShowAndHide = ToolTipDesk;

TEST_F(ShowAndHide, ShowsTheTextOnlyOnceThePointerHasRestedForTheInitialDelay) {
    ASSERT_TRUE(AddChildTool("Refresh now"));
    RestOnChild();
    desktop.Advance(initial - 1);
    EXPECT_FALSE(TipVisible());
    EXPECT_TRUE(Notifications(TTN_SHOW).empty());

    desktop.Advance(1);
    ASSERT_TRUE(TipVisible());
    EXPECT_EQ(desktop.Text(tip), "Refresh now");
    auto child_id = reinterpret_cast<UINT_PTR>(child);
    EXPECT_EQ(Notifications(TTN_SHOW), (std::vector<Notification>{{main, tip, child_id, TTN_SHOW}}));
    // Below the pointer.
    POINT cursor;
    GetCursorPos(&cursor);
    EXPECT_GT(TipRect().top, cursor.y);
}

TEST_F(ShowAndHide, EachMoveOnTheToolStartsTheWaitAgain) {
    ASSERT_TRUE(AddChildTool("Refresh now"));
    RestOnChild();
    desktop.Advance(initial - 100);
    RestOnChild(5);
    desktop.Advance(initial - 1);
    EXPECT_FALSE(TipVisible());
    desktop.Advance(1);
    EXPECT_TRUE(TipVisible());
}

TEST_F(ShowAndHide, GoesAfterTheAutoPopDelayAndStaysAwayWhileThePointerRests) {
    ASSERT_TRUE(AddChildTool("Refresh now"));
    RestOnChild();
    desktop.Advance(initial);
    ASSERT_TRUE(TipVisible());
    const DWORD autopop = static_cast<DWORD>(Send(TTM_GETDELAYTIME, TTDT_AUTOPOP));
    EXPECT_EQ(autopop, 10 * initial);

    desktop.Advance(autopop - 1);
    EXPECT_TRUE(TipVisible());
    desktop.Advance(1);
    EXPECT_FALSE(TipVisible());
    EXPECT_EQ(Notifications(TTN_POP).size(), 1u);

    RestOnChild(3);
    desktop.Advance(3 * initial);
    EXPECT_FALSE(TipVisible());
}

// Ways of ending a shown tip, each of which sends TTN_POP.
struct Ending {
    const char* name;
    std::function<void(ToolTipDesk&)> act;
};

void PrintTo(const Ending& e, std::ostream* os) { *os << e.name; }

class EndsTheTip : public ToolTipDesk, public ::testing::WithParamInterface<Ending> {};

TEST_P(EndsTheTip, AtOnce) {
    ASSERT_TRUE(AddChildTool("Refresh now"));
    RestOnChild();
    desktop.Advance(initial);
    ASSERT_TRUE(TipVisible());
    GetParam().act(*this);
    EXPECT_FALSE(TipVisible());
    EXPECT_EQ(Notifications(TTN_POP).size(), 1u);
    EXPECT_FALSE(Send(TTM_GETCURRENTTOOLA));
}

INSTANTIATE_TEST_SUITE_P(
    ToolTip, EndsTheTip,
    ::testing::Values(
        Ending{"Press", [](ToolTipDesk& t) { t.desktop.ClickAt(t.desktop.CenterOf(t.child)); }},
        Ending{"RightPress", [](ToolTipDesk& t) { t.desktop.ClickAt(t.desktop.CenterOf(t.child), 1); }},
        Ending{"MoveOffTheToolOntoItsParent",
               [](ToolTipDesk& t) { t.desktop.MoveTo(POINT{t.kMain.left + 300, t.kMain.top + 250}); }},
        Ending{"MoveOutOfTheProgramsWindows",
               [](ToolTipDesk& t) {
                   // No window of the program hears of it: the tip notices by itself.
                   t.desktop.MoveTo(POINT{800, 600});
                   t.desktop.Advance(100);
               }},
        Ending{"Pop", [](ToolTipDesk& t) { t.Send(TTM_POP); }},
        Ending{"Deactivate", [](ToolTipDesk& t) { t.Send(TTM_ACTIVATE, FALSE); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ShowAndHide, APressKeepsTheTipAwayUntilThePointerComesBack) {
    ASSERT_TRUE(AddChildTool("Refresh now"));
    RestOnChild();
    desktop.Advance(initial);
    desktop.ClickAt(desktop.CenterOf(child));
    RestOnChild(4);
    desktop.Advance(3 * initial);
    EXPECT_FALSE(TipVisible());

    desktop.MoveTo(POINT{kMain.left + 300, kMain.top + 250});
    RestOnChild();
    desktop.Advance(initial);
    EXPECT_TRUE(TipVisible());
}

TEST_F(ShowAndHide, NothingShowsWhileDeactivated) {
    ASSERT_TRUE(AddChildTool("Refresh now"));
    Send(TTM_ACTIVATE, FALSE);
    RestOnChild();
    desktop.Advance(3 * initial);
    EXPECT_FALSE(TipVisible());
    EXPECT_TRUE(Notifications(TTN_SHOW).empty());

    Send(TTM_ACTIVATE, TRUE);
    RestOnChild(2);
    desktop.Advance(initial);
    EXPECT_TRUE(TipVisible());
}

TEST_F(ShowAndHide, SetDelayTimeChangesWhenItShows) {
    ASSERT_TRUE(AddChildTool("Refresh now"));
    Send(TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(1200, 0));
    RestOnChild();
    desktop.Advance(1199);
    EXPECT_FALSE(TipVisible());
    desktop.Advance(1);
    EXPECT_TRUE(TipVisible());
}

TEST_F(ShowAndHide, DelayTimesFollowTheDoubleClickTimeAndTheAutomaticSetting) {
    struct Expect {
        DWORD initial, autopop, reshow;
    };
    auto delays = [this] {
        return Expect{static_cast<DWORD>(Send(TTM_GETDELAYTIME, TTDT_INITIAL)),
                      static_cast<DWORD>(Send(TTM_GETDELAYTIME, TTDT_AUTOPOP)),
                      static_cast<DWORD>(Send(TTM_GETDELAYTIME, TTDT_RESHOW))};
    };
    Expect d = delays();
    EXPECT_EQ(d.initial, initial);
    EXPECT_EQ(d.autopop, 10 * initial);
    EXPECT_EQ(d.reshow, initial / 5);

    Send(TTM_SETDELAYTIME, TTDT_AUTOMATIC, MAKELPARAM(200, 0));
    d = delays();
    EXPECT_EQ(d.initial, 200u);
    EXPECT_EQ(d.autopop, 2000u);
    EXPECT_EQ(d.reshow, 40u);

    Send(TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(700, 0));
    EXPECT_EQ(delays().autopop, 700u);
    Send(TTM_SETDELAYTIME, TTDT_AUTOMATIC, -1);
    d = delays();
    EXPECT_EQ(d.initial, initial);
    EXPECT_EQ(d.autopop, 10 * initial);
}

TEST_F(ShowAndHide, MovingStraightToAnotherToolShowsItAfterTheReshowDelay) {
    ASSERT_TRUE(AddChildTool("Child"));
    ASSERT_TRUE(AddTool(0, main, 7, "Corner", RECT{250, 150, 350, 250}));
    RestOnChild();
    desktop.Advance(initial);
    ASSERT_EQ(desktop.Text(tip), "Child");

    desktop.MoveTo(POINT{kMain.left + 300, kMain.top + 200});
    EXPECT_FALSE(TipVisible());
    const DWORD reshow = static_cast<DWORD>(Send(TTM_GETDELAYTIME, TTDT_RESHOW));
    desktop.Advance(reshow);
    EXPECT_TRUE(TipVisible());
    EXPECT_EQ(desktop.Text(tip), "Corner");
}

TEST_F(ShowAndHide, OnlyWhenTheToolsWindowIsActiveUnlessAlwaysTip) {
    ASSERT_TRUE(AddChildTool("Refresh now"));
    HWND other = nullptr;
    desktop.Call([&] {
        other = CreateWindowExA(0, "ToolTipDesk", "Other", WS_POPUP | WS_VISIBLE, 600, 500, 100, 100,
                                nullptr, nullptr, nullptr, nullptr);
    });
    ASSERT_NE(GetActiveWindow(), main);
    RestOnChild();
    desktop.Advance(initial);
    EXPECT_FALSE(TipVisible());

    SetWindowLongA(tip, GWL_STYLE, GetWindowLongA(tip, GWL_STYLE) | TTS_ALWAYSTIP);
    RestOnChild(3);
    desktop.Advance(initial);
    EXPECT_TRUE(TipVisible());
}

} // namespace
} // namespace qv::test
