#include "kernel/handle_table.h"

#include <windows.h>

#include <cstdint>
#include <mutex>
#include <unordered_map>

namespace qv::kernel {
namespace {

struct HandleTable {
    std::mutex mutex;
    std::unordered_map<uintptr_t, std::shared_ptr<KernelObject>> objects;
    // Multiples of four, as Windows' handles are; never zero.
    uintptr_t next = 0x1004;
};

HandleTable& Table() {
    // Never destroyed: detached threads may still close their handles as the process ends.
    static HandleTable* table = new HandleTable;
    return *table;
}

} // namespace

HANDLE AddHandle(std::shared_ptr<KernelObject> object) {
    HandleTable& table = Table();
    std::lock_guard lock(table.mutex);
    uintptr_t value = table.next;
    table.next += 4;
    table.objects.emplace(value, std::move(object));
    return reinterpret_cast<HANDLE>(value);
}

std::shared_ptr<KernelObject> LookUpHandle(HANDLE hHandle) {
    HandleTable& table = Table();
    std::lock_guard lock(table.mutex);
    auto it = table.objects.find(reinterpret_cast<uintptr_t>(hHandle));
    if (it == table.objects.end()) {
        ::SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return it->second;
}

} // namespace qv::kernel

BOOL WINAPI CloseHandle(HANDLE hObject) {
    auto& table = qv::kernel::Table();
    std::shared_ptr<qv::kernel::KernelObject> closing;
    {
        std::lock_guard lock(table.mutex);
        auto it = table.objects.find(reinterpret_cast<uintptr_t>(hObject));
        if (it == table.objects.end()) {
            ::SetLastError(ERROR_INVALID_HANDLE);
            return FALSE;
        }
        closing = std::move(it->second);
        table.objects.erase(it);
    }
    return TRUE;
}

DWORD WINAPI WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds) {
    auto object = qv::kernel::LookUpHandle(hHandle);
    if (!object)
        return WAIT_FAILED;
    return object->Wait(dwMilliseconds) ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
}
