// Timers as the message loop sees them.
#pragma once
#include <windows.h>

#include <cstdint>

namespace qv::user {

// With the lock held: the earliest due timer of the thread as a WM_TIMER message; when
// removing, the timer's next due time is one period from now, so that missed periods do not
// pile up (as on Windows).
bool TakeDueTimer(DWORD threadId, HWND filter, bool remove, MSG* msg);
// With the lock held: the clock time at which the thread's next timer falls due, 0 if none.
uint64_t NextTimerDue(DWORD threadId);
// With the lock held: the earliest due time of any timer, 0 if none.
uint64_t EarliestTimerDue();
// With the lock held: forgets the timers of a window that is being destroyed.
void KillWindowTimers(HWND hwnd);

} // namespace qv::user
