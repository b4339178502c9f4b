#include "host/clock.h"
#include "user/timer_state.h"
#include "user/window.h"

#include <algorithm>

using namespace qv::user;

namespace qv::user {
namespace {

constexpr UINT MinimumPeriod = 10; // USER_TIMER_MINIMUM

bool FilterAccepts(HWND filter, HWND hwnd) {
    if (!filter)
        return true;
    if (filter == reinterpret_cast<HWND>(-1))
        return hwnd == nullptr;
    return hwnd == filter || IsChild(filter, hwnd);
}

} // namespace

bool TakeDueTimer(DWORD threadId, HWND filter, bool remove, MSG* msg) {
    uint64_t now = qv::host::GetClock().NowMilliseconds();
    Timer* best = nullptr;
    for (Timer& t : State().timers) {
        if (t.threadId != threadId || t.due > now || !FilterAccepts(filter, t.hwnd))
            continue;
        if (!best || t.due < best->due || (t.due == best->due && t.sequence < best->sequence))
            best = &t;
    }
    if (!best)
        return false;
    *msg = MSG{best->hwnd, WM_TIMER, best->id, reinterpret_cast<LPARAM>(best->proc),
               static_cast<DWORD>(now), {}};
    if (remove)
        best->due = now + best->period;
    return true;
}

uint64_t NextTimerDue(DWORD threadId) {
    uint64_t due = 0;
    for (const Timer& t : State().timers) {
        if (t.threadId == threadId && (!due || t.due < due))
            due = t.due;
    }
    return due;
}

uint64_t EarliestTimerDue() {
    uint64_t due = 0;
    for (const Timer& t : State().timers) {
        if (!due || t.due < due)
            due = t.due;
    }
    return due;
}

void KillWindowTimers(HWND hwnd) {
    std::erase_if(State().timers, [hwnd](const Timer& t) { return t.hwnd == hwnd; });
}

} // namespace qv::user

UINT_PTR WINAPI SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc) {
    auto lock = LockUser();
    auto& state = State();
    if (hWnd) {
        Window* w = CheckWindow(hWnd);
        if (!w)
            return 0;
        if (w->threadId != GetCurrentThreadId()) {
            SetLastError(ERROR_ACCESS_DENIED);
            return 0;
        }
    } else {
        // A thread timer gets an identifier of its own.
        nIDEvent = 0x7FFF;
        while (std::any_of(state.timers.begin(), state.timers.end(),
                           [&](const Timer& t) { return !t.hwnd && t.id == nIDEvent; }))
            ++nIDEvent;
    }
    UINT period = std::max(uElapse, MinimumPeriod);
    uint64_t now = qv::host::GetClock().NowMilliseconds();
    auto it = std::find_if(state.timers.begin(), state.timers.end(),
                           [&](const Timer& t) { return t.hwnd == hWnd && t.id == nIDEvent; });
    Timer timer{hWnd, nIDEvent, period, now + period, ++state.timerSequence, lpTimerFunc,
                GetCurrentThreadId()};
    if (it != state.timers.end())
        *it = timer;
    else
        state.timers.push_back(timer);
    NotifyAll();
    return hWnd ? 1 : nIDEvent;
}

BOOL WINAPI KillTimer(HWND hWnd, UINT_PTR uIDEvent) {
    auto lock = LockUser();
    auto& timers = State().timers;
    auto it = std::find_if(timers.begin(), timers.end(),
                           [&](const Timer& t) { return t.hwnd == hWnd && t.id == uIDEvent; });
    if (it == timers.end()) {
        SetLastError(hWnd && !FindWindowObject(hWnd) ? ERROR_INVALID_WINDOW_HANDLE
                                                     : ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    timers.erase(it);
    // A WM_TIMER already taken but not yet dispatched stays; later ones never come.
    return TRUE;
}
