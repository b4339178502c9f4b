// The headless front end: shows nothing. The screen is still painted in memory, so that a
// screenshot (QV_SCREENSHOT, written by the session) shows what the program drew.
#pragma once
#include "desktop/front_end.h"

namespace qv::desktop {

class HeadlessFrontEnd final : public FrontEnd {
public:
    void Start(DWORD) override {}
    void ScreenChanged() override {}
    void Stop() override {}
    void ShowFlight(const RECT&, const RECT&) override {}
};

} // namespace qv::desktop
