#include "host/process.h"
#include "kernel/dos_path.h"
#include "kernel/resources.h"

#include <windows.h>

#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

namespace {

// Copies a text as the kernel's path functions do: cut to the buffer, always terminated.
DWORD CopyTruncated(const std::string& text, LPSTR buffer, DWORD size) {
    if (!buffer || size == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    if (text.size() < size) {
        std::memcpy(buffer, text.c_str(), text.size() + 1);
        return static_cast<DWORD>(text.size());
    }
    std::memcpy(buffer, text.data(), size - 1);
    buffer[size - 1] = '\0';
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
}

} // namespace

DWORD WINAPI GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize) {
    if (!qv::kernel::IsMainModule(hModule)) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    return CopyTruncated(qv::kernel::ToDosPath(qv::host::GetProcess().ExecutablePath()), lpFilename,
                         nSize);
}

DWORD WINAPI GetCurrentDirectoryA(DWORD nBufferLength, LPSTR lpBuffer) {
    char cwd[PATH_MAX];
    if (!getcwd(cwd, sizeof cwd)) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return 0;
    }
    std::string dos = qv::kernel::ToDosPath(cwd);
    // Too small a buffer: the size needed, with the terminator, and nothing copied.
    if (!lpBuffer || dos.size() >= nBufferLength)
        return static_cast<DWORD>(dos.size() + 1);
    std::memcpy(lpBuffer, dos.c_str(), dos.size() + 1);
    return static_cast<DWORD>(dos.size());
}

BOOL WINAPI SetCurrentDirectoryA(LPCSTR lpPathName) {
    auto path = lpPathName ? qv::kernel::ToLinuxPath(lpPathName) : std::nullopt;
    if (!path) {
        SetLastError(lpPathName ? ERROR_PATH_NOT_FOUND : ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (chdir(path->c_str()) != 0) {
        SetLastError(errno == EACCES ? ERROR_ACCESS_DENIED
                     : errno == ENOENT || errno == ENOTDIR ? ERROR_PATH_NOT_FOUND
                                                            : ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return TRUE;
}

DWORD WINAPI GetVersion(void) {
    // Windows XP (5.1, build 2600): an NT system, so bit 31 is clear.
    return 5u | (1u << 8) | (2600u << 16);
}
