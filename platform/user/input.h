// Mouse and keyboard input as Windows delivers it.
#pragma once
#include "user/window.h"

namespace qv::user {

// With the lock held (it may be released while windows are asked where a point lies): turns
// the desktop's raw input into mouse and keyboard messages in the owning threads' queues.
void AimRawInput(Lock& lock);

// Hands an event of the front end or the test desktop to the window manager.
void InjectInput(const RawInput& input);

} // namespace qv::user
