// The program without a terminal: SIGUSR1 writes a screenshot that shows its main window, and
// SIGTERM ends it in order with exit code 0. Its registry lives in a fresh folder.
#include "tests/e2e/process.h"

#include <gtest/gtest.h>
#include <png.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

namespace qv::e2e {
namespace {

namespace fs = std::filesystem;

struct Picture {
    int width = 0, height = 0;
    std::vector<png_byte> rgb; // three bytes a pixel, row by row
    bool Is(int x, int y, int r, int g, int b) const {
        const png_byte* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
        return p[0] == r && p[1] == g && p[2] == b;
    }
};

bool ReadPng(const fs::path& path, Picture& out) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return false;
    image.format = PNG_FORMAT_RGB;
    out.width = static_cast<int>(image.width);
    out.height = static_cast<int>(image.height);
    out.rgb.resize(PNG_IMAGE_SIZE(image));
    return png_image_finish_read(&image, nullptr, out.rgb.data(), 0, nullptr) != 0;
}

// The longest run of one colour on any row, in pixels.
int LongestRun(const Picture& p, int r, int g, int b) {
    int longest = 0;
    for (int y = 0; y < p.height; ++y) {
        int run = 0;
        for (int x = 0; x < p.width; ++x) {
            run = p.Is(x, y, r, g, b) ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    }
    return longest;
}

bool BlocksSigusr1(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("SigBlk:", 0) == 0)
            return (std::stoull(line.substr(7), nullptr, 16) >> (SIGUSR1 - 1)) & 1;
    return false;
}

TEST(ProgramHeadless, Sigusr1ShowsTheMainWindowAndSigtermEndsWithZero) {
    fs::path dir = fs::temp_directory_path() / ("qv-e2e-headless-" + std::to_string(getpid()));
    fs::create_directories(dir);
    fs::path shot = dir / "screen.png";
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        setenv("QV_DESKTOP", "headless", 1);
        setenv("QV_SCREENSHOT", shot.c_str(), 1);
        setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
        execl(QV_E2E_PROGRAM, QV_E2E_PROGRAM, static_cast<char*>(nullptr));
        _exit(127);
    }
    // A signal before the program listens would end it.
    ASSERT_TRUE(WaitUntil([&] { return BlocksSigusr1(pid); }));
    Picture picture;
    // The window may still be painting: ask again until the caption shows.
    bool caption = WaitUntil([&] {
        fs::remove(shot);
        kill(pid, SIGUSR1);
        return WaitUntil([&] { return ReadPng(shot, picture); }, std::chrono::seconds(2)) &&
               LongestRun(picture, 0, 0, 128) >= 300;
    });
    EXPECT_TRUE(caption) << "an active caption (navy) at least 300 pixels wide in " << shot;

    kill(pid, SIGTERM);
    int status = 0;
    bool ended = WaitUntil([&] { return waitpid(pid, &status, WNOHANG) == pid; });
    if (!ended) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    EXPECT_TRUE(ended);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_TRUE(ReadPng(shot, picture)) << "the screenshot at the end";
    fs::remove_all(dir);
}

} // namespace
} // namespace qv::e2e
