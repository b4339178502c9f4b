#include "user/message_queue.h"

#include "host/clock.h"
#include "user/input.h"
#include "user/paint_state.h"
#include "user/system_classes.h"
#include "user/timer_state.h"
#include "user/window.h"

#include <strings.h>

#include <algorithm>
#include <chrono>

using namespace qv::user;

namespace qv::user {
namespace {

bool Matches(const MSG& msg, HWND filter, UINT first, UINT last) {
    if (first || last) {
        if (msg.message < first || msg.message > last)
            return false;
    }
    if (filter == reinterpret_cast<HWND>(-1))
        return msg.hwnd == nullptr;
    return !filter || msg.hwnd == filter || IsChild(filter, msg.hwnd);
}

bool TakeFrom(std::deque<MSG>& queue, MSG* out, HWND filter, UINT first, UINT last,
              bool remove) {
    for (auto it = queue.begin(); it != queue.end(); ++it) {
        if (!Matches(*it, filter, first, last))
            continue;
        *out = *it;
        if (remove)
            queue.erase(it);
        return true;
    }
    return false;
}

// Handles the messages that other threads sent to this thread's windows.
void HandleSent(Lock& lock, ThreadQueue& queue) {
    while (!queue.sent.empty()) {
        SentMessage* sent = queue.sent.front();
        queue.sent.pop_front();
        lock.unlock();
        LRESULT result = CallProc(sent->msg.hwnd, sent->msg.message, sent->msg.wParam,
                                  sent->msg.lParam);
        lock.lock();
        sent->result = result;
        sent->done = true;
        NotifyAll();
    }
}

void HandleCalls(Lock& lock, ThreadQueue& queue) {
    while (!queue.calls.empty()) {
        std::function<void()>* call = queue.calls.front();
        lock.unlock();
        (*call)();
        lock.lock();
        queue.calls.pop_front();
        NotifyAll();
    }
}

std::function<void()>& IdleHook() {
    static std::function<void()> hook;
    return hook;
}

void Stamp(MSG* msg) {
    if (!msg->time)
        msg->time = Now();
    if (!msg->pt.x && !msg->pt.y)
        msg->pt = State().cursor;
}

} // namespace

DWORD Now() { return static_cast<DWORD>(qv::host::GetClock().NowMilliseconds()); }

DWORD InputThread() {
    auto& state = State();
    if (Window* active = FindWindowObject(state.active))
        return active->threadId;
    if (Window* desktop = FindWindowObject(state.desktop)) {
        for (HWND child : desktop->children) {
            Window* w = FindWindowObject(child);
            if (w && (w->style & WS_VISIBLE))
                return w->threadId;
        }
        if (!desktop->children.empty())
            return FindWindowObject(desktop->children.front())->threadId;
    }
    return 0;
}

LRESULT CallProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    WNDPROC proc;
    {
        auto lock = LockUser();
        Window* w = FindWindowObject(hwnd);
        if (!w)
            return 0;
        proc = w->proc;
    }
    return CallWindowProcA(proc, hwnd, msg, wParam, lParam);
}

bool NextMessage(MSG* msg, HWND filter, UINT first, UINT last, bool remove, bool wait) {
    auto lock = LockUser();
    auto& state = State();
    DWORD self = GetCurrentThreadId();
    ThreadQueue& queue = QueueOf(self);
    bool idleHookRan = false;
    for (;;) {
        HandleSent(lock, queue);
        HandleCalls(lock, queue);
        *msg = MSG{};
        if (state.sessionEnding) {
            msg->message = WM_QUIT;
            return true;
        }
        if (TakeFrom(queue.posted, msg, filter, first, last, remove)) {
            Stamp(msg);
            break;
        }
        if (InputThread() == self)
            AimRawInput(lock);
        if (TakeFrom(queue.input, msg, filter, first, last, remove))
            break;
        if (queue.quit && (!filter || filter == reinterpret_cast<HWND>(-1)) &&
            ((!first && !last) || (WM_QUIT >= first && WM_QUIT <= last))) {
            msg->message = WM_QUIT;
            msg->wParam = static_cast<WPARAM>(queue.quitCode);
            if (remove)
                queue.quit = false;
            Stamp(msg);
            break;
        }
        if ((!first && !last) || (WM_PAINT >= first && WM_PAINT <= last)) {
            if (HWND paint = FindWindowToPaint(self, filter)) {
                msg->hwnd = paint;
                msg->message = WM_PAINT;
                Stamp(msg);
                break;
            }
        }
        if ((!first && !last) || (WM_TIMER >= first && WM_TIMER <= last)) {
            if (TakeDueTimer(self, filter, remove, msg)) {
                Stamp(msg);
                break;
            }
        }
        if (!wait)
            return false;
        // Once before each sleep; what the hook caused is looked at before sleeping.
        if (!idleHookRan && IdleHook()) {
            idleHookRan = true;
            std::function<void()> hook = IdleHook();
            lock.unlock();
            hook();
            lock.lock();
            continue;
        }
        idleHookRan = false;
        queue.waiting = true;
        state.changed.notify_all();
        uint64_t due = NextTimerDue(self);
        uint64_t now = qv::host::GetClock().NowMilliseconds();
        // The wait is bounded so that a virtual clock moved by a test is seen even if the
        // test's notification raced with going to sleep.
        auto bound = std::chrono::milliseconds(due ? std::min<uint64_t>(due > now ? due - now : 0,
                                                                       100)
                                                   : 100);
        queue.wake.wait_for(lock, bound);
        queue.waiting = false;
    }
    queue.messageTime = static_cast<LONG>(msg->time);
    queue.messagePos = MAKELONG(msg->pt.x, msg->pt.y);
    return true;
}

void CallOnThread(DWORD threadId, const std::function<void()>& fn) {
    if (threadId == GetCurrentThreadId()) {
        fn();
        return;
    }
    std::function<void()> call = fn;
    auto lock = LockUser();
    ThreadQueue& queue = QueueOf(threadId);
    queue.calls.push_back(&call);
    NotifyAll();
    State().changed.wait(lock, [&] {
        return std::find(queue.calls.begin(), queue.calls.end(), &call) == queue.calls.end();
    });
}

bool IsThreadIdle(DWORD threadId) {
    auto lock = LockUser();
    auto& state = State();
    ThreadQueue& queue = QueueOf(threadId);
    if (!queue.waiting || !queue.posted.empty() || !queue.input.empty() || !queue.sent.empty() ||
        !queue.calls.empty() || queue.quit || state.sessionEnding)
        return false;
    if (!state.rawInput.empty() && InputThread() == threadId)
        return false;
    MSG msg;
    if (TakeDueTimer(threadId, nullptr, false, &msg))
        return false;
    return FindWindowToPaint(threadId, nullptr) == nullptr;
}

bool WaitThreadIdle(DWORD threadId, std::chrono::milliseconds timeout) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    auto lock = LockUser();
    while (!IsThreadIdle(threadId)) {
        if (State().changed.wait_until(lock, deadline) == std::cv_status::timeout)
            return IsThreadIdle(threadId);
    }
    return true;
}

void SetIdleHook(std::function<void()> hook) {
    auto lock = LockUser();
    IdleHook() = std::move(hook);
}

void EndSession() {
    auto lock = LockUser();
    State().sessionEnding = true;
    NotifyAll();
}

void ForgetThread(DWORD threadId) {
    auto lock = LockUser();
    auto& state = State();
    std::vector<HWND> gone;
    for (auto& [hwnd, w] : state.windows) {
        if (w->threadId == threadId && hwnd != state.desktop)
            gone.push_back(hwnd);
    }
    // The predefined controls keep state of their own behind each window: their class
    // procedures free it. Other procedures may belong to objects that are gone by now.
    for (HWND hwnd : gone) {
        Window* w = FindWindowObject(hwnd);
        if (IsPredefinedControlClass(w->cls->name)) {
            WNDPROC proc = w->cls->proc;
            lock.unlock();
            proc(hwnd, WM_NCDESTROY, 0, 0);
            lock.lock();
        }
    }
    for (HWND hwnd : gone) {
        Window* w = FindWindowObject(hwnd);
        if (Window* parent = FindWindowObject(w->parent))
            std::erase(parent->children, hwnd);
        KillWindowTimers(hwnd);
    }
    for (HWND hwnd : gone)
        state.windows.erase(hwnd);
    std::erase_if(state.timers, [&](const Timer& t) { return t.threadId == threadId; });
    state.queues.erase(threadId);
    state.rawInput.clear();
    state.focus = state.active = state.capture = state.trackLeave = state.lastClickWindow = nullptr;
    std::fill(std::begin(state.keys), std::end(state.keys), 0);
    state.sessionEnding = false;
    NotifyAll();
}

} // namespace qv::user

BOOL WINAPI GetMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax) {
    if (!lpMsg) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    if (hWnd && hWnd != reinterpret_cast<HWND>(-1)) {
        auto lock = LockUser();
        if (!CheckWindow(hWnd))
            return -1;
    }
    NextMessage(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, true, true);
    return lpMsg->message != WM_QUIT;
}

BOOL WINAPI PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax,
                         UINT wRemoveMsg) {
    if (!lpMsg) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return NextMessage(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, (wRemoveMsg & PM_REMOVE) != 0,
                       false);
}

BOOL WINAPI WaitMessage(void) {
    MSG msg;
    NextMessage(&msg, nullptr, 0, 0, false, true);
    return TRUE;
}

BOOL WINAPI PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    if (!hWnd)
        return PostThreadMessageA(GetCurrentThreadId(), Msg, wParam, lParam);
    auto lock = LockUser();
    std::vector<Window*> targets;
    if (hWnd == HWND_BROADCAST) {
        for (HWND child : FindWindowObject(State().desktop)->children)
            targets.push_back(FindWindowObject(child));
    } else if (Window* w = CheckWindow(hWnd)) {
        targets.push_back(w);
    } else {
        return FALSE;
    }
    for (Window* w : targets)
        QueueOf(w->threadId).posted.push_back(MSG{w->handle, Msg, wParam, lParam, 0, {}});
    NotifyAll();
    return TRUE;
}

BOOL WINAPI PostThreadMessageA(DWORD idThread, UINT Msg, WPARAM wParam, LPARAM lParam) {
    auto lock = LockUser();
    if (!idThread) {
        SetLastError(ERROR_INVALID_THREAD_ID);
        return FALSE;
    }
    QueueOf(idThread).posted.push_back(MSG{nullptr, Msg, wParam, lParam, 0, {}});
    NotifyAll();
    return TRUE;
}

LRESULT WINAPI SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    auto lock = LockUser();
    if (hWnd == HWND_BROADCAST) {
        std::vector<HWND> targets = FindWindowObject(State().desktop)->children;
        lock.unlock();
        for (HWND target : targets)
            SendMessageA(target, Msg, wParam, lParam);
        return 0;
    }
    Window* w = CheckWindow(hWnd);
    if (!w)
        return 0;
    DWORD self = GetCurrentThreadId();
    if (w->threadId == self) {
        ThreadQueue& queue = QueueOf(self);
        ++queue.sendDepth;
        lock.unlock();
        LRESULT result = CallProc(hWnd, Msg, wParam, lParam);
        lock.lock();
        --queue.sendDepth;
        return result;
    }
    // Another thread's window: its thread runs the procedure the next time it looks at its
    // queue, while this thread waits (and handles what is sent to it meanwhile).
    SentMessage sent;
    sent.msg = MSG{hWnd, Msg, wParam, lParam, 0, {}};
    QueueOf(w->threadId).sent.push_back(&sent);
    NotifyAll();
    ThreadQueue& own = QueueOf(self);
    while (!sent.done) {
        while (!own.sent.empty()) {
            SentMessage* incoming = own.sent.front();
            own.sent.pop_front();
            lock.unlock();
            LRESULT result = CallProc(incoming->msg.hwnd, incoming->msg.message,
                                      incoming->msg.wParam, incoming->msg.lParam);
            lock.lock();
            incoming->result = result;
            incoming->done = true;
            NotifyAll();
        }
        if (!sent.done)
            own.wake.wait_for(lock, std::chrono::milliseconds(100));
        if (!sent.done && !FindWindowObject(hWnd)) {
            // The window went away before its thread took the message.
            std::erase(QueueOf(w->threadId).sent, &sent);
            return 0;
        }
    }
    return sent.result;
}

LRESULT WINAPI DispatchMessageA(const MSG* lpMsg) {
    if (!lpMsg) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (!lpMsg->hwnd)
        return 0;
    {
        auto lock = LockUser();
        Window* w = CheckWindow(lpMsg->hwnd);
        if (!w)
            return 0;
        if (w->threadId != GetCurrentThreadId()) {
            SetLastError(ERROR_WINDOW_OF_OTHER_THREAD);
            return 0;
        }
    }
    if (lpMsg->message == WM_TIMER && lpMsg->lParam) {
        reinterpret_cast<TIMERPROC>(lpMsg->lParam)(lpMsg->hwnd, WM_TIMER, lpMsg->wParam,
                                                   lpMsg->time);
        return 0;
    }
    LRESULT result = CallProc(lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam);
    if (lpMsg->message == WM_PAINT) {
        // A window that does not paint would otherwise be asked again at once, forever.
        auto lock = LockUser();
        if (Window* w = FindWindowObject(lpMsg->hwnd)) {
            w->update = RECT{};
            w->needsErase = false;
            w->needsNcPaint = false;
        }
    }
    return result;
}

LRESULT WINAPI CallWindowProcA(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam,
                               LPARAM lParam) {
    if (!lpPrevWndFunc)
        return 0;
    return lpPrevWndFunc(hWnd, Msg, wParam, lParam);
}

UINT WINAPI RegisterWindowMessageA(LPCSTR lpString) {
    if (!lpString || !*lpString) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    auto lock = LockUser();
    auto& messages = State().registeredMessages;
    std::string key(lpString);
    for (auto& c : key)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    auto it = messages.find(key);
    if (it != messages.end())
        return it->second;
    UINT id = 0xC000 + static_cast<UINT>(messages.size());
    messages.emplace(key, id);
    return id;
}

VOID WINAPI PostQuitMessage(int nExitCode) {
    auto lock = LockUser();
    ThreadQueue& queue = QueueOf(GetCurrentThreadId());
    queue.quit = true;
    queue.quitCode = nExitCode;
    NotifyAll();
}

LONG WINAPI GetMessageTime(void) {
    auto lock = LockUser();
    return QueueOf(GetCurrentThreadId()).messageTime;
}

DWORD WINAPI GetMessagePos(void) {
    auto lock = LockUser();
    return QueueOf(GetCurrentThreadId()).messagePos;
}

BOOL WINAPI InSendMessage(void) { return FALSE; }
