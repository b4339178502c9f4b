// The message loop's engine: what GetMessageA and PeekMessageA take from the queues.
#pragma once
#include <windows.h>

#include <chrono>
#include <functional>

namespace qv::user {

// Takes the next message of the calling thread in Windows' order: sent messages are handled
// first, then posted messages, input, the quit message, paint and timer messages. With wait,
// sleeps until one comes; without, returns false when there is none.
bool NextMessage(MSG* msg, HWND filter, UINT first, UINT last, bool remove, bool wait);

// Calls a window procedure for a message of the calling thread's window.
LRESULT CallProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The thread that takes the desktop's mouse and keyboard input.
DWORD InputThread();

// The time stamp of messages: the desktop's clock in milliseconds.
DWORD Now();

// Runs a function on a thread the next time it looks at its queue, and waits for it.
void CallOnThread(DWORD threadId, const std::function<void()>& fn);

// True when the thread waits for messages and nothing is due for it: no message, input, paint
// or due timer.
bool IsThreadIdle(DWORD threadId);
// Waits until the thread is idle; false when the timeout (real time) passes first.
bool WaitThreadIdle(DWORD threadId, std::chrono::milliseconds timeout);

// Runs on a thread each time it has handled everything due and is about to wait for messages:
// the moment a front end shows what changed on the screen. Called without the lock; an empty
// function removes it.
void SetIdleHook(std::function<void()> hook);

// Ends every message loop of the process, as a log-off does: from now on GetMessageA returns
// FALSE at once.
void EndSession();

// For the test desktop, after a UI thread has ended: forgets the thread's windows, timers and
// queue, and lets message loops run again.
void ForgetThread(DWORD threadId);

} // namespace qv::user
