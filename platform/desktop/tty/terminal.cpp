#include "desktop/tty/terminal.h"

#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <exception>

namespace qv::desktop::tty {
namespace {

constexpr char kEnter[] = "\x1b[?1049h\x1b[?25l\x1b[?1000h\x1b[?1003h\x1b[?1006h\x1b[2J";
constexpr char kLeave[] = "\x1b[?1006l\x1b[?1003l\x1b[?1000l\x1b[0m\x1b[?25h\x1b[?1049l";
constexpr int kCrashSignals[] = {SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL};

// What the crash handlers need, set before they are installed.
termios gSaved;
std::atomic<bool> gActive{false};
std::terminate_handler gPreviousTerminate = nullptr;

void WriteAll(const char* data, size_t size) {
    while (size > 0) {
        ssize_t n = ::write(STDOUT_FILENO, data, size);
        if (n <= 0)
            return;
        data += n;
        size -= static_cast<size_t>(n);
    }
}

// Async-signal-safe: a write and tcsetattr.
void Restore() {
    if (!gActive.exchange(false))
        return;
    WriteAll(kLeave, sizeof kLeave - 1);
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &gSaved);
}

void OnCrash(int sig) {
    Restore();
    // The handler was installed with SA_RESETHAND: the default action ends the process.
    raise(sig);
}

void OnTerminate() {
    Restore();
    if (gPreviousTerminate)
        gPreviousTerminate();
    std::abort();
}

} // namespace

bool StdioIsTerminal() { return isatty(STDIN_FILENO) && isatty(STDOUT_FILENO); }

bool NoColorWanted() {
    const char* value = std::getenv("NO_COLOR");
    return value && *value;
}

uint64_t SteadyMilliseconds() {
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                     std::chrono::steady_clock::now().time_since_epoch())
                                     .count());
}

bool Terminal::Enter() {
    if (entered_)
        return true;
    if (tcgetattr(STDIN_FILENO, &gSaved) != 0)
        return false;
    termios raw = gSaved;
    raw.c_iflag &= ~static_cast<tcflag_t>(IXON | ICRNL | INLCR | IGNCR | ISTRIP);
    raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | IEXTEN);
    raw.c_cc[VMIN] = 0;
    raw.c_cc[VTIME] = 0;
    if (tcsetattr(STDIN_FILENO, TCSAFLUSH, &raw) != 0)
        return false;
    gActive = true;
    entered_ = true;
    struct sigaction action {};
    action.sa_handler = OnCrash;
    action.sa_flags = SA_RESETHAND | SA_NODEFER;
    sigemptyset(&action.sa_mask);
    for (int sig : kCrashSignals)
        sigaction(sig, &action, nullptr);
    gPreviousTerminate = std::set_terminate(OnTerminate);
    Write(kEnter);
    return true;
}

void Terminal::Leave() {
    if (!entered_)
        return;
    entered_ = false;
    Restore();
    std::set_terminate(gPreviousTerminate);
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (int sig : kCrashSignals)
        sigaction(sig, &action, nullptr);
}

bool Terminal::Size(int& cols, int& rows) const {
    winsize size{};
    if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) != 0 || size.ws_col == 0 || size.ws_row == 0)
        return false;
    cols = size.ws_col;
    rows = size.ws_row;
    return true;
}

void Terminal::Write(const std::string& bytes) { WriteAll(bytes.data(), bytes.size()); }

std::string Terminal::Read(int timeoutMs) {
    pollfd fd{STDIN_FILENO, POLLIN, 0};
    if (poll(&fd, 1, timeoutMs) <= 0)
        return {};
    if (!(fd.revents & POLLIN)) {
        // The terminal has hung up: nothing will come; do not spin.
        usleep(static_cast<useconds_t>(timeoutMs) * 1000);
        return {};
    }
    char buffer[512];
    ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
    return n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string();
}

} // namespace qv::desktop::tty
