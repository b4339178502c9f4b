// Hooks the window manager calls.
#pragma once
#include <windows.h>

namespace qv::user {

// Calls the calling thread's CBT hooks; a non-zero result cancels the action.
LRESULT CallCbtHooks(int code, WPARAM wParam, LPARAM lParam);

} // namespace qv::user
