#include "kernel/handle_table.h"

#include "kernel/handle_map.h"

#include <windows.h>

namespace qv::kernel {
namespace {

HandleMap<KernelObject>& Table() {
    // Never destroyed: detached threads may still close their handles as the process ends.
    static auto* table = new HandleMap<KernelObject>(0x1004);
    return *table;
}

} // namespace

HANDLE AddHandle(std::shared_ptr<KernelObject> object) {
    return reinterpret_cast<HANDLE>(Table().Add(std::move(object)));
}

std::shared_ptr<KernelObject> LookUpHandle(HANDLE hHandle) {
    auto object = Table().Find(reinterpret_cast<uintptr_t>(hHandle));
    if (!object)
        ::SetLastError(ERROR_INVALID_HANDLE);
    return object;
}

} // namespace qv::kernel

BOOL WINAPI CloseHandle(HANDLE hObject) {
    // The object goes once the last thread using it lets it go.
    if (!qv::kernel::Table().Take(reinterpret_cast<uintptr_t>(hObject))) {
        ::SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

DWORD WINAPI WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds) {
    auto object = qv::kernel::LookUpHandle(hHandle);
    if (!object)
        return WAIT_FAILED;
    return object->Wait(dwMilliseconds) ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
}
