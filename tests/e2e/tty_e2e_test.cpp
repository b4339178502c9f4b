// The demo program in a real terminal (tmux): what it draws, keys and clicks, and the terminal
// given back when it ends.
#include "tests/e2e/process.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <sstream>

namespace qv::e2e {
namespace {

class TtyE2e : public ::testing::Test {
protected:
    void SetUp() override {
        int status = 0;
        Shell("tmux -V >/dev/null 2>&1", &status);
        if (status != 0)
            GTEST_SKIP() << "tmux is not installed (make setup installs it)";
        socket_ = "qv-e2e-" + std::to_string(getpid());
        Tmux("new-session -d -x 100 -y 30 \"env PS1='ready$ ' sh -i\"");
        ASSERT_TRUE(WaitUntil([&] { return Screen().find("ready$") != std::string::npos; }))
            << Screen();
    }
    void TearDown() override {
        if (!socket_.empty())
            Tmux("kill-server");
    }

    std::string Tmux(const std::string& args) {
        return Shell("tmux -L " + socket_ + " " + args + " 2>&1");
    }
    std::string Screen() { return Tmux("capture-pane -p"); }
    bool ScreenShows(const std::string& text) {
        return WaitUntil([&] { return Screen().find(text) != std::string::npos; });
    }
    // Starts the demo from the shell in the pane.
    void StartDemo() {
        Tmux(std::string("send-keys -l '") + QV_E2E_DEMO + "; echo ended $?'");
        Tmux("send-keys Enter");
        ASSERT_TRUE(ScreenShows("QV Demo")) << Screen();
    }
    // The cell where a text begins on the screen (zero-based), or {-1, -1}.
    std::pair<int, int> Find(const std::string& text) {
        std::istringstream lines(Screen());
        std::string line;
        for (int row = 0; std::getline(lines, line); ++row) {
            auto at = line.find(text);
            if (at != std::string::npos)
                return {static_cast<int>(at), row};
        }
        return {-1, -1};
    }
    // Types bytes into the pane as the terminal would send them.
    void SendBytes(const std::string& bytes) {
        std::string hex;
        char digits[4];
        for (unsigned char c : bytes) {
            std::snprintf(digits, sizeof digits, "%02x", c);
            hex += std::string(" ") + digits;
        }
        Tmux("send-keys -H" + hex);
    }
    void SgrClick(int col, int row) {
        std::string at = std::to_string(col + 1) + ";" + std::to_string(row + 1);
        SendBytes("\x1b[<0;" + at + "M");
        SendBytes("\x1b[<0;" + at + "m");
    }
    // The legacy encoding: ESC [ M, then button, column and row (one-based), each plus 32.
    void LegacyClick(int col, int row) {
        auto at = std::string(1, static_cast<char>(33 + col)) + static_cast<char>(33 + row);
        SendBytes("\x1b[M " + at);
        SendBytes("\x1b[M#" + at);
    }

    std::string socket_;
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
    Tmux("send-keys Tab");
    EXPECT_TRUE(ScreenShows("[>Other<]")) << Screen();
    EXPECT_TRUE(ScreenShows("[ Press ]")) << Screen();
    Tmux("send-keys BTab");
    EXPECT_TRUE(ScreenShows("[>Press<]")) << Screen();
    Tmux("send-keys Space");
    EXPECT_TRUE(ScreenShows("Pressed 1")) << Screen();
}

TEST_F(TtyE2e, AClickInEitherMouseEncodingPressesTheButton) {
    StartDemo();
    auto [col, row] = Find("Press<]");
    ASSERT_GE(col, 0) << Screen();
    SgrClick(col + 1, row);
    EXPECT_TRUE(ScreenShows("Pressed 1")) << Screen();
    LegacyClick(col + 1, row);
    EXPECT_TRUE(ScreenShows("Pressed 2")) << Screen();
}

TEST_F(TtyE2e, ClosingWithAltF4GivesTheShellBack) {
    StartDemo();
    Tmux("send-keys M-F4");
    EXPECT_TRUE(ScreenShows("ended 0")) << Screen();
    EXPECT_EQ(Screen().find("QV Demo"), std::string::npos) << Screen();
}

TEST_F(TtyE2e, SigtermEndsInOrderAndRestoresTheTerminal) {
    StartDemo();
    // The demo is the child of the pane's shell.
    std::string shell = Tmux("display-message -p '#{pane_pid}'");
    std::string demo = Shell("ps -o pid= --ppid " + shell);
    ASSERT_FALSE(demo.empty());
    Shell("kill -TERM " + demo);
    EXPECT_TRUE(ScreenShows("ended 0")) << Screen();
    EXPECT_EQ(Screen().find("QV Demo"), std::string::npos) << Screen();
    // The keys echo again: the terminal left raw mode.
    Tmux("send-keys -l 'echo back'");
    Tmux("send-keys Enter");
    EXPECT_TRUE(ScreenShows("\nback")) << Screen();
}

TEST_F(TtyE2e, ATooSmallTerminalSaysSo) {
    Tmux("resize-window -x 100 -y 30");
    StartDemo();
    Tmux("resize-window -x 60 -y 20");
    EXPECT_TRUE(ScreenShows("terminal too small: need at least 100x30")) << Screen();
    Tmux("resize-window -x 100 -y 30");
    EXPECT_TRUE(ScreenShows("Pressed 0")) << Screen();
}

} // namespace
} // namespace qv::e2e
