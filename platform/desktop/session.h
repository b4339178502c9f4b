// A live run's desktop: the front end a person sees, and the signals that end the run.
#pragma once
#include "desktop/front_end.h"

#include <atomic>
#include <memory>
#include <string>
#include <thread>

namespace qv::desktop {

class Session {
public:
    // Chooses and starts the front end (see MakeFrontEnd) and starts listening for signals.
    // Construct it on the UI thread before any other thread.
    Session();
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // The program has ended: writes the screenshot asked for with QV_SCREENSHOT and gives the
    // screen back.
    void Finish();

private:
    void Listen();
    void StopListening();

    std::string screenshotPath_;
    unsigned uiThread_ = 0;
    std::unique_ptr<FrontEnd> frontEnd_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> listening_{false};
    std::thread listener_;
    bool finished_ = false;
};

} // namespace qv::desktop
