// The screen as a person sees it: the desktop's background with the top-level windows'
// pictures laid over it in z-order.
#pragma once
#include "gdi/display.h"

#include <string>

namespace qv::desktop {

// Composes the screen; call it on the thread that paints (the UI thread), so that no picture
// is read while it is drawn.
void ComposeScreen(gdi::Surface& screen);

// Composes the screen and writes it as a PNG file; false when the file cannot be written.
bool WriteScreenshot(const std::string& path);

} // namespace qv::desktop
