// Focus and activation.
#pragma once
#include <windows.h>

namespace qv::user {

// Activates another window when the active one is being destroyed: its owner when that can
// take it, else the top visible window, else none.
void DeactivateDestroyed(HWND destroyed, HWND owner);

} // namespace qv::user
