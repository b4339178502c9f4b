// A clock that moves only when a test moves it.
#pragma once
#include "host/clock.h"

#include <atomic>

namespace qv::test {

class VirtualClock final : public host::Clock {
public:
    explicit VirtualClock(uint64_t start) : now_(start) {}
    uint64_t NowMilliseconds() const override { return now_.load(); }
    void Set(uint64_t now) { now_.store(now); }

private:
    std::atomic<uint64_t> now_;
};

} // namespace qv::test
