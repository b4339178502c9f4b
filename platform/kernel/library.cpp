// LoadLibraryA, GetProcAddress and FreeLibrary for the libraries built into the platform. The
// table is spelled out here rather than filled by static initialisers, which a static link could
// drop together with their object files.
#include "kernel/library.h"

#include <iphlpapi.h>
#include <wininet.h>
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <mutex>
#include <set>
#include <string_view>

namespace qv::kernel {
namespace {

struct Export {
    const char* name;
    FARPROC proc;
};

struct Library {
    const char* name; // without ".dll", lower case
    const Export* exports;
    size_t exportCount;
    int loads = 0;
};

// Through void(*)(), the type that stands for "any function", as GetProcAddress's callers cast back.
template <typename F> FARPROC Proc(F* function) {
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(function));
}

const Export iphlpapiExports[] = {
    {"GetIfTable", Proc(&GetIfTable)},
    {"GetIpAddrTable", Proc(&GetIpAddrTable)},
    {"GetNumberOfInterfaces", Proc(&GetNumberOfInterfaces)},
};

const Export wininetExports[] = {
    {"InternetGetConnectedState", Proc(&InternetGetConnectedState)},
};

struct Registry {
    std::mutex mutex;
    Library libraries[2] = {
        {"iphlpapi", iphlpapiExports, std::size(iphlpapiExports)},
        {"wininet", wininetExports, std::size(wininetExports)},
    };
    std::set<std::string> hidden; // "library" or "library!function"
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    return lower;
}

// "C:\Windows\System32\IPHLPAPI.DLL" and "iphlpapi" name the same library.
std::string LibraryKey(std::string_view fileName) {
    size_t slash = fileName.find_last_of("\\/");
    if (slash != std::string_view::npos) fileName.remove_prefix(slash + 1);
    std::string key = Lower(fileName);
    if (key.size() > 4 && key.ends_with(".dll")) key.resize(key.size() - 4);
    return key;
}

Library* FindLoaded(Registry& registry, HMODULE module) {
    for (auto& library : registry.libraries)
        if (reinterpret_cast<HMODULE>(&library) == module && library.loads > 0) return &library;
    return nullptr;
}

} // namespace

void HideLibraryExport(const std::string& library, const std::string& function) {
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    registry.hidden.insert(function.empty() ? LibraryKey(library) : LibraryKey(library) + "!" + function);
}

void ShowAllLibraryExports() {
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    registry.hidden.clear();
}

} // namespace qv::kernel

using namespace qv::kernel;

HMODULE WINAPI LoadLibraryA(LPCSTR lpLibFileName) {
    if (!lpLibFileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::string key = LibraryKey(lpLibFileName);
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    if (!registry.hidden.count(key)) {
        for (auto& library : registry.libraries) {
            if (key != library.name) continue;
            ++library.loads;
            return reinterpret_cast<HMODULE>(&library);
        }
    }
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
}

FARPROC WINAPI GetProcAddress(HMODULE hModule, LPCSTR lpProcName) {
    // The program itself (a null module) exports nothing.
    if (!hModule) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    Library* library = FindLoaded(registry, hModule);
    if (!library) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    // Exports are found by name only; an ordinal (a value below 65536) finds nothing.
    if (reinterpret_cast<uintptr_t>(lpProcName) > 0xffff &&
        !registry.hidden.count(std::string(library->name) + "!" + lpProcName)) {
        for (size_t i = 0; i < library->exportCount; ++i)
            if (std::string_view(library->exports[i].name) == lpProcName) return library->exports[i].proc;
    }
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
}

BOOL WINAPI FreeLibrary(HMODULE hLibModule) {
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    Library* library = FindLoaded(registry, hLibModule);
    if (!library) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return FALSE;
    }
    --library->loads;
    return TRUE;
}
