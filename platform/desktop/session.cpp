#include "desktop/session.h"

#include "desktop/screen.h"
#include "user/message_queue.h"

#include <signal.h>
#include <time.h>

#include <cstdio>
#include <cstdlib>

namespace qv::desktop {
namespace {

// The front end of the running session, for ShowFlight; used on the UI thread only.
FrontEnd* gFrontEnd = nullptr;

sigset_t HandledSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGHUP);
    sigaddset(&set, SIGUSR1);
    return set;
}

} // namespace

void ShowFlight(const RECT& from, const RECT& to) {
    if (gFrontEnd)
        gFrontEnd->ShowFlight(from, to);
}

Session::Session() {
    if (const char* path = std::getenv("QV_SCREENSHOT"))
        screenshotPath_ = path;
    uiThread_ = GetCurrentThreadId();
    // Every thread made from now on inherits the mask, so only the listener takes these.
    sigset_t set = HandledSignals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    frontEnd_ = MakeFrontEnd();
    frontEnd_->Start(uiThread_);
    gFrontEnd = frontEnd_.get();
    user::SetIdleHook([this] {
        if (GetCurrentThreadId() == uiThread_)
            frontEnd_->ScreenChanged();
    });
    listening_ = true;
    listener_ = std::thread([this] { Listen(); });
}

Session::~Session() {
    if (!finished_) {
        user::SetIdleHook({});
        gFrontEnd = nullptr;
        frontEnd_->Stop();
    }
    StopListening();
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
    listening_ = false;
}

void Session::StopListening() {
    stop_ = true;
    // The listener may be waiting for this thread to take a screenshot: keep running its calls
    // until it has seen the stop (within its poll of a fifth of a second).
    MSG msg;
    while (listening_) {
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
        Sleep(5);
    }
    if (listener_.joinable())
        listener_.join();
}

void Session::Finish() {
    if (finished_)
        return;
    finished_ = true;
    user::SetIdleHook({});
    gFrontEnd = nullptr;
    if (!screenshotPath_.empty() && !WriteScreenshot(screenshotPath_))
        std::fprintf(stderr, "cannot write the screenshot %s\n", screenshotPath_.c_str());
    frontEnd_->Stop();
    StopListening();
}

} // namespace qv::desktop
