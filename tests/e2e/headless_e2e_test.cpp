// The demo program without a terminal: screenshots on SIGUSR1 and at the end, and SIGTERM
// ending it in order.
#include "tests/e2e/process.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace qv::e2e {
namespace {

bool IsPng(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    char magic[8] = {};
    in.read(magic, sizeof magic);
    return in && std::string(magic + 1, 3) == "PNG";
}

// True once the process blocks SIGUSR1: its desktop listens for signals from then on.
bool ListensForSignals(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("SigBlk:", 0) == 0)
            return (std::stoull(line.substr(7), nullptr, 16) >> (SIGUSR1 - 1)) & 1;
    }
    return false;
}

class HeadlessE2e : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() / ("qv-e2e-" + std::to_string(getpid()));
        std::filesystem::create_directories(dir_);
        shot_ = dir_ / "screen.png";
    }
    void TearDown() override {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        std::filesystem::remove_all(dir_);
    }
    void Start() {
        pid_ = fork();
        ASSERT_GE(pid_, 0);
        if (pid_ == 0) {
            setenv("QV_DESKTOP", "headless", 1);
            setenv("QV_SCREENSHOT", shot_.c_str(), 1);
            execl(QV_E2E_DEMO, QV_E2E_DEMO, static_cast<char*>(nullptr));
            _exit(127);
        }
    }
    // The exit status once the program has ended, or -1 when it has not within the time.
    int WaitExit() {
        int status = 0;
        bool ended = WaitUntil([&] { return waitpid(pid_, &status, WNOHANG) == pid_; });
        if (!ended)
            return -1;
        pid_ = 0;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

    std::filesystem::path dir_, shot_;
    pid_t pid_ = 0;
};

TEST_F(HeadlessE2e, Sigusr1WritesAScreenshotAndSigtermEndsWithZero) {
    Start();
    // A signal before the program listens would end it.
    ASSERT_TRUE(WaitUntil([&] { return ListensForSignals(pid_); }));
    kill(pid_, SIGUSR1);
    ASSERT_TRUE(WaitUntil([&] { return IsPng(shot_); }));
    std::filesystem::remove(shot_);
    kill(pid_, SIGTERM);
    EXPECT_EQ(WaitExit(), 0);
    EXPECT_TRUE(IsPng(shot_)) << "the screenshot at the end";
}

} // namespace
} // namespace qv::e2e
