#include "desktop/session.h"

#include "desktop/screen.h"
#include "user/message_queue.h"

#include <signal.h>
#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace qv::desktop {
namespace {

sigset_t HandledSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGHUP);
    sigaddset(&set, SIGUSR1);
    return set;
}

void ChooseFrontEnd() {
    const char* wanted = std::getenv("QV_DESKTOP");
    if (wanted && *wanted && std::strcmp(wanted, "headless") != 0)
        std::fprintf(stderr, "QV_DESKTOP=%s: no such desktop here; using headless\n", wanted);
}

} // namespace

Session::Session() {
    if (const char* path = std::getenv("QV_SCREENSHOT"))
        screenshotPath_ = path;
    uiThread_ = GetCurrentThreadId();
    ChooseFrontEnd();
    // Every thread made from now on inherits the mask, so only the listener takes these.
    sigset_t set = HandledSignals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    listener_ = std::thread([this] { Listen(); });
}

Session::~Session() {
    stop_ = true;
    if (listener_.joinable())
        listener_.join();
}

void Session::Listen() {
    sigset_t set = HandledSignals();
    timespec poll{0, 200 * 1000 * 1000};
    while (!stop_) {
        int sig = sigtimedwait(&set, nullptr, &poll);
        if (sig == SIGUSR1) {
            if (!screenshotPath_.empty())
                user::CallOnThread(uiThread_, [this] { WriteScreenshot(screenshotPath_); });
        } else if (sig == SIGINT || sig == SIGTERM || sig == SIGHUP) {
            // As at log-off: the message loops return and the program ends in order.
            user::EndSession();
        }
    }
}

void Session::Finish() {
    if (!screenshotPath_.empty() && !WriteScreenshot(screenshotPath_))
        std::fprintf(stderr, "cannot write the screenshot %s\n", screenshotPath_.c_str());
    stop_ = true;
}

} // namespace qv::desktop
