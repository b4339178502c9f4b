// A live run's desktop: the front end a person sees, and the signals that end the run.
#pragma once
#include <atomic>
#include <string>
#include <thread>

namespace qv::desktop {

class Session {
public:
    // Chooses the front end (QV_DESKTOP, else by whether the terminal is interactive) and
    // starts listening for signals. Construct it on the UI thread before any other thread.
    Session();
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // The program has ended: writes the screenshot asked for with QV_SCREENSHOT.
    void Finish();

private:
    void Listen();

    std::string screenshotPath_;
    unsigned uiThread_ = 0;
    std::atomic<bool> stop_{false};
    std::thread listener_;
};

} // namespace qv::desktop
