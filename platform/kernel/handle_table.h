// The process's kernel object handles: each HANDLE names one object until CloseHandle. Values
// are never reused, so a closed handle stays invalid.
#pragma once
#include <windows.h>

#include <memory>

namespace qv::kernel {

class KernelObject {
public:
    virtual ~KernelObject() = default;
    // Waits until the object is signalled; false when dwMilliseconds passed first.
    virtual bool Wait(DWORD dwMilliseconds) = 0;
};

HANDLE AddHandle(std::shared_ptr<KernelObject> object);
// The object hHandle names, or null (with ERROR_INVALID_HANDLE set).
std::shared_ptr<KernelObject> LookUpHandle(HANDLE hHandle);

// The object when it is a T, else null (with ERROR_INVALID_HANDLE set).
template <typename T> std::shared_ptr<T> LookUpHandleAs(HANDLE hHandle) {
    auto object = std::dynamic_pointer_cast<T>(LookUpHandle(hHandle));
    if (!object)
        ::SetLastError(ERROR_INVALID_HANDLE);
    return object;
}

} // namespace qv::kernel
