// The demo program in a real terminal (tmux): what it draws, keys and clicks, and the terminal
// given back when it ends.
#include "tests/e2e/tmux_pane.h"

#include <gtest/gtest.h>

namespace qv::e2e {
namespace {

class TtyE2e : public ::testing::Test {
protected:
    void SetUp() override {
        if (!HaveTmux())
            GTEST_SKIP() << "tmux is not installed (make setup installs it)";
        ASSERT_TRUE(pane.Open(100, 30)) << pane.Screen();
    }

    bool ScreenShows(const std::string& text) { return pane.WaitFor(text); }
    std::string Screen() { return pane.Screen(); }
    // Starts the demo from the shell in the pane.
    void StartDemo() {
        pane.Type(std::string(QV_E2E_DEMO) + "; echo ended $?");
        ASSERT_TRUE(ScreenShows("QV Demo")) << Screen();
    }

    TmuxPane pane;
};

TEST_F(TtyE2e, DrawsTheWindowAndTheTaskbar) {
    StartDemo();
    EXPECT_TRUE(ScreenShows("[>Press<]")) << "the focused default button is marked\n" << Screen();
    EXPECT_TRUE(ScreenShows("[ Other ]")) << Screen();
    EXPECT_TRUE(ScreenShows("Pressed 0")) << Screen();
    EXPECT_TRUE(ScreenShows("[QV Demo]")) << "the taskbar's button\n" << Screen();
}

TEST_F(TtyE2e, TabMovesTheFocusMarkAndEnterPresses) {
    StartDemo();
    ASSERT_TRUE(ScreenShows("[>Press<]")) << Screen();
    pane.Tmux("send-keys Tab");
    EXPECT_TRUE(ScreenShows("[>Other<]")) << Screen();
    EXPECT_TRUE(ScreenShows("[ Press ]")) << Screen();
    pane.Tmux("send-keys BTab");
    EXPECT_TRUE(ScreenShows("[>Press<]")) << Screen();
    pane.Tmux("send-keys Space");
    EXPECT_TRUE(ScreenShows("Pressed 1")) << Screen();
}

TEST_F(TtyE2e, AClickInEitherMouseEncodingPressesTheButton) {
    StartDemo();
    auto [col, row] = pane.Find("Press<]");
    ASSERT_GE(col, 0) << Screen();
    pane.Click(col + 1, row);
    EXPECT_TRUE(ScreenShows("Pressed 1")) << Screen();
    pane.LegacyClick(col + 1, row);
    EXPECT_TRUE(ScreenShows("Pressed 2")) << Screen();
}

TEST_F(TtyE2e, ClosingWithAltF4GivesTheShellBack) {
    StartDemo();
    pane.Tmux("send-keys M-F4");
    EXPECT_TRUE(ScreenShows("ended 0")) << Screen();
    EXPECT_EQ(Screen().find("QV Demo"), std::string::npos) << Screen();
}

TEST_F(TtyE2e, SigtermEndsInOrderAndRestoresTheTerminal) {
    StartDemo();
    // The demo is the child of the pane's shell.
    std::string demo = pane.ShellChildren();
    ASSERT_FALSE(demo.empty());
    Shell("kill -TERM " + demo);
    EXPECT_TRUE(ScreenShows("ended 0")) << Screen();
    EXPECT_EQ(Screen().find("QV Demo"), std::string::npos) << Screen();
    // The keys echo again: the terminal left raw mode.
    pane.Type("echo back");
    EXPECT_TRUE(ScreenShows("\nback")) << Screen();
}

TEST_F(TtyE2e, ATooSmallTerminalSaysSo) {
    pane.Tmux("resize-window -x 100 -y 30");
    StartDemo();
    pane.Tmux("resize-window -x 60 -y 20");
    EXPECT_TRUE(ScreenShows("terminal too small: need at least 100x30")) << Screen();
    pane.Tmux("resize-window -x 100 -y 30");
    EXPECT_TRUE(ScreenShows("Pressed 0")) << Screen();
}

} // namespace
} // namespace qv::e2e
