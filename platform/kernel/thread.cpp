// Threads on std::thread. Each thread is a kernel object, signalled when its function returns;
// a suspended thread waits on its resume count before it runs the function.
#include "kernel/handle_table.h"

#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace {

class Thread : public qv::kernel::KernelObject {
public:
    std::mutex mutex;
    std::condition_variable changed;
    DWORD suspendCount = 0;
    bool started = false;
    bool finished = false;
    DWORD threadId = 0;
    DWORD exitCode = STILL_ACTIVE;
    int priority = THREAD_PRIORITY_NORMAL;

    bool Wait(DWORD dwMilliseconds) override {
        std::unique_lock lock(mutex);
        auto done = [this] { return finished; };
        if (dwMilliseconds == INFINITE) {
            changed.wait(lock, done);
            return true;
        }
        return changed.wait_for(lock, std::chrono::milliseconds(dwMilliseconds), done);
    }
};

bool IsValidPriority(int nPriority) {
    switch (nPriority) {
    case THREAD_PRIORITY_IDLE:
    case THREAD_PRIORITY_LOWEST:
    case THREAD_PRIORITY_BELOW_NORMAL:
    case THREAD_PRIORITY_NORMAL:
    case THREAD_PRIORITY_ABOVE_NORMAL:
    case THREAD_PRIORITY_HIGHEST:
    case THREAD_PRIORITY_TIME_CRITICAL:
        return true;
    default:
        return false;
    }
}

void RunThread(std::shared_ptr<Thread> thread, LPTHREAD_START_ROUTINE start, LPVOID parameter) {
    {
        std::unique_lock lock(thread->mutex);
        thread->threadId = ::GetCurrentThreadId();
        thread->started = true;
        thread->changed.notify_all();
        thread->changed.wait(lock, [&] { return thread->suspendCount == 0; });
    }
    DWORD code = start(parameter);
    std::lock_guard lock(thread->mutex);
    thread->exitCode = code;
    thread->finished = true;
    thread->changed.notify_all();
}

} // namespace

HANDLE WINAPI CreateThread(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE lpStartAddress,
                           LPVOID lpParameter, DWORD dwCreationFlags, LPDWORD lpThreadId) {
    if (!lpStartAddress) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto thread = std::make_shared<Thread>();
    thread->suspendCount = (dwCreationFlags & CREATE_SUSPENDED) ? 1 : 0;
    // The stack size is a hint that std::thread cannot take; the default stack is larger than
    // Windows' default anyway.
    std::thread(RunThread, thread, lpStartAddress, lpParameter).detach();
    DWORD threadId;
    {
        // The id is the new thread's own, as GetCurrentThreadId reports it there.
        std::unique_lock lock(thread->mutex);
        thread->changed.wait(lock, [&] { return thread->started; });
        threadId = thread->threadId;
    }
    if (lpThreadId)
        *lpThreadId = threadId;
    return qv::kernel::AddHandle(thread);
}

DWORD WINAPI ResumeThread(HANDLE hThread) {
    auto thread = qv::kernel::LookUpHandleAs<Thread>(hThread);
    if (!thread)
        return static_cast<DWORD>(-1);
    std::lock_guard lock(thread->mutex);
    DWORD previous = thread->suspendCount;
    if (previous > 0 && --thread->suspendCount == 0)
        thread->changed.notify_all();
    return previous;
}

BOOL WINAPI SetThreadPriority(HANDLE hThread, int nPriority) {
    auto thread = qv::kernel::LookUpHandleAs<Thread>(hThread);
    if (!thread)
        return FALSE;
    if (!IsValidPriority(nPriority)) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::lock_guard lock(thread->mutex);
    thread->priority = nPriority;
    return TRUE;
}

int WINAPI GetThreadPriority(HANDLE hThread) {
    auto thread = qv::kernel::LookUpHandleAs<Thread>(hThread);
    if (!thread)
        return THREAD_PRIORITY_ERROR_RETURN;
    std::lock_guard lock(thread->mutex);
    return thread->priority;
}

BOOL WINAPI GetExitCodeThread(HANDLE hThread, LPDWORD lpExitCode) {
    auto thread = qv::kernel::LookUpHandleAs<Thread>(hThread);
    if (!thread)
        return FALSE;
    if (!lpExitCode) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::lock_guard lock(thread->mutex);
    *lpExitCode = thread->exitCode;
    return TRUE;
}
