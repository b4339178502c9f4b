#include "user/hooks.h"

#include "user/window.h"

#include <algorithm>

using namespace qv::user;

namespace {

uint64_t nextHook = 0x40000;

// The hook after the given one in the thread's chain (the newest hook comes first).
HOOKPROC NextAfter(HHOOK hook, int kind, DWORD threadId, HHOOK* next) {
    auto& hooks = State().hooks;
    bool found = !hook;
    for (auto it = hooks.rbegin(); it != hooks.rend(); ++it) {
        if (it->kind != kind || it->threadId != threadId)
            continue;
        if (found) {
            *next = it->handle;
            return it->proc;
        }
        found = it->handle == hook;
    }
    return nullptr;
}

} // namespace

namespace qv::user {

LRESULT CallCbtHooks(int code, WPARAM wParam, LPARAM lParam) {
    HHOOK first = nullptr;
    HOOKPROC proc;
    {
        auto lock = LockUser();
        proc = NextAfter(nullptr, WH_CBT, GetCurrentThreadId(), &first);
    }
    return proc ? proc(code, wParam, lParam) : 0;
}

} // namespace qv::user

HHOOK WINAPI SetWindowsHookExA(int idHook, HOOKPROC lpfn, HINSTANCE, DWORD dwThreadId) {
    if (idHook != WH_CBT || !lpfn) {
        SetLastError(lpfn ? ERROR_INVALID_HOOK_FILTER : ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto lock = LockUser();
    HHOOK handle = reinterpret_cast<HHOOK>(static_cast<uintptr_t>(nextHook += 2));
    State().hooks.push_back(Hook{handle, idHook, lpfn, dwThreadId ? dwThreadId : GetCurrentThreadId()});
    return handle;
}

BOOL WINAPI UnhookWindowsHookEx(HHOOK hhk) {
    auto lock = LockUser();
    auto& hooks = State().hooks;
    auto it = std::find_if(hooks.begin(), hooks.end(), [&](const Hook& h) { return h.handle == hhk; });
    if (it == hooks.end()) {
        SetLastError(ERROR_INVALID_HOOK_HANDLE);
        return FALSE;
    }
    hooks.erase(it);
    return TRUE;
}

LRESULT WINAPI CallNextHookEx(HHOOK hhk, int nCode, WPARAM wParam, LPARAM lParam) {
    HHOOK next = nullptr;
    HOOKPROC proc;
    {
        auto lock = LockUser();
        proc = NextAfter(hhk, WH_CBT, GetCurrentThreadId(), &next);
    }
    return proc ? proc(nCode, wParam, lParam) : 0;
}
