// The clock behind timers and tick counts: real time in a live run, a virtual clock in tests.
#pragma once
#include <cstdint>
#include <memory>

namespace qv::host {

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds on a clock that never goes back.
    virtual uint64_t NowMilliseconds() const = 0;
};

// The clock in use: the Linux monotonic clock unless a test installed another.
Clock& GetClock();
// Installs a clock (tests); null goes back to the Linux clock.
void SetClock(std::unique_ptr<Clock> clock);

} // namespace qv::host
