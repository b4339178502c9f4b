#include "TestDesktop.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <atomic>

namespace qv::test {
namespace {

std::atomic<bool> stopBusyProgram{false};
TestDesktop* watched = nullptr;

// A UI thread that never comes back to its message loop.
int BusyProgram() {
    while (!stopBusyProgram)
        Sleep(1);
    return 3;
}

TEST(TestDesktopWatchdog, AUiThreadThatNeverSettlesFailsTheTestWithAClearMessage) {
    TestDesktop desktop;
    watched = &desktop;
    desktop.SetWatchdog(std::chrono::milliseconds(300));
    EXPECT_NONFATAL_FAILURE(watched->Start(BusyProgram), "did not become idle");
    stopBusyProgram = true;
    EXPECT_EQ(desktop.ExitCode(), 3);
}

} // namespace
} // namespace qv::test
