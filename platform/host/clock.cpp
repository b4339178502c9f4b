#include "host/clock.h"

#include <chrono>

namespace qv::host {
namespace {

class LinuxClock final : public Clock {
public:
    uint64_t NowMilliseconds() const override {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    }
};

std::unique_ptr<Clock>& Installed() {
    static std::unique_ptr<Clock> clock = std::make_unique<LinuxClock>();
    return clock;
}

} // namespace

Clock& GetClock() { return *Installed(); }

void SetClock(std::unique_ptr<Clock> clock) {
    Installed() = clock ? std::move(clock) : std::make_unique<LinuxClock>();
}

} // namespace qv::host
