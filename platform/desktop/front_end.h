// What a front end is: the part of the desktop a person sees and acts on. The session starts
// one with the desktop, tells it when the screen may have changed and stops it at the end.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

namespace qv::desktop {

class FrontEnd {
public:
    virtual ~FrontEnd() = default;
    // On the UI thread, before WinMain: takes over the screen and starts reading input.
    virtual void Start(DWORD uiThread) = 0;
    // On the UI thread, whenever it has handled what was due: the windows may look different.
    virtual void ScreenChanged() = 0;
    // On the UI thread, after the program's loops have returned: gives the screen back.
    virtual void Stop() = 0;
    // On the UI thread: an outline moving from one screen rectangle to another in a few
    // frames (a window flying to the notification area); returns when it has arrived.
    virtual void ShowFlight(const RECT& from, const RECT& to) = 0;
};

// The front end QV_DESKTOP names ("tty", "headless"); without it, tty when standard input and
// output are terminals and headless otherwise. An unknown name says so on standard error.
std::unique_ptr<FrontEnd> MakeFrontEnd();

// What the shell calls for DrawAnimatedRects' flight to the tray: shown by the running front
// end (the tty front end draws the moving outline), nothing without one.
void ShowFlight(const RECT& from, const RECT& to);

} // namespace qv::desktop
