// A clock of hours, minutes and seconds that counts timer ticks, one second each; both the
// connected time and the accelerated-mode time are kept in one.
#pragma once
#include <string>

struct ElapsedClock {
    int Hours = 0;
    int Minutes = 0;
    int Seconds = 0;

    // One more second; hours have no upper bound.
    void Advance();
    // " %2d hrs : %2d mins : %2d secs"
    std::string Text() const;
};
