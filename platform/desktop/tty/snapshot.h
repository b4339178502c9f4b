// Reads the windows into a DesktopView. On the UI thread only: it asks controls for their
// state (check marks, list items) with messages.
#pragma once
#include "desktop/tty/layout.h"

namespace qv::desktop::tty {

DesktopView TakeSnapshot();

} // namespace qv::desktop::tty
