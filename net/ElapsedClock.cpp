#include "net/ElapsedClock.h"

#include <cstdio>

void ElapsedClock::Advance() {
    ++Seconds;
    if (Seconds == 60) {
        ++Minutes;
        Seconds = 0;
    }
    if (Minutes == 60) {
        ++Hours;
        Minutes = 0;
    }
}

std::string ElapsedClock::Text() const {
    char text[64];
    std::snprintf(text, sizeof text, " %2d hrs : %2d mins : %2d secs", Hours, Minutes, Seconds);
    return text;
}
