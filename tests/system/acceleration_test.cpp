// The accelerated-mode toggle: on at start, its captions and check state, timer 2 and the clock
// of the time spent in the mode.
#include "network_fixture.h"

namespace qv::test {
namespace {

class Acceleration : public NetworkTest {
protected:
    void SetUp() override { AddInterface(2, "eth0", 0, "192.168.1.5"); }
};

TEST_F(Acceleration, StartsOnAndPressedWithTheClockAtZero) {
    StartProgram();
    EXPECT_EQ(Caption(), Activated);
    EXPECT_EQ(Checked(), BST_CHECKED);
    EXPECT_EQ(AcceleratedTime(), " 0 hrs :  0 mins :  0 secs");
    desktop.Advance(1000);
    EXPECT_EQ(AcceleratedTime(), "  0 hrs :  0 mins :  1 secs");
}

TEST_F(Acceleration, TheClockCountsTicksOfTimerTwo) {
    StartProgram();
    const std::pair<DWORD, const char*> readings[] = {
        {59, "  0 hrs :  0 mins : 59 secs"},
        {60, "  0 hrs :  1 mins :  0 secs"},
        {3600, "  1 hrs :  0 mins :  0 secs"},
    };
    DWORD ticks = 0;
    for (const auto& [at, text] : readings) {
        desktop.Advance((at - ticks) * 1000);
        ticks = at;
        EXPECT_EQ(AcceleratedTime(), text) << "after " << at << " ticks";
    }
}

TEST_F(Acceleration, AClickSwitchesOffAndFreezesTheClockAndTheNextResumesIt) {
    StartProgram();
    desktop.Advance(30000);
    desktop.Click(Item(IDC_ACCELERATE));
    EXPECT_EQ(Caption(), Stopped);
    EXPECT_EQ(Checked(), BST_UNCHECKED);
    desktop.Advance(10000);
    EXPECT_EQ(AcceleratedTime(), "  0 hrs :  0 mins : 30 secs") << "frozen while off";
    desktop.Click(Item(IDC_ACCELERATE));
    EXPECT_EQ(Caption(), Activated);
    EXPECT_EQ(Checked(), BST_CHECKED);
    desktop.Advance(40000);
    EXPECT_EQ(AcceleratedTime(), "  0 hrs :  1 mins : 10 secs");
}

TEST_F(Acceleration, TwoClicksWithinASecondRestartTimerTwo) {
    StartProgram();
    desktop.Advance(1500);
    desktop.Click(Item(IDC_ACCELERATE));
    desktop.Click(Item(IDC_ACCELERATE));
    EXPECT_EQ(Caption(), Activated);
    EXPECT_EQ(Checked(), BST_CHECKED);
    desktop.Advance(500);
    EXPECT_EQ(AcceleratedTime(), "  0 hrs :  0 mins :  1 secs") << "no tick half a second after the restart";
    desktop.Advance(500);
    EXPECT_EQ(AcceleratedTime(), "  0 hrs :  0 mins :  2 secs");
}

} // namespace
} // namespace qv::test
