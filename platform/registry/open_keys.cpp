#include "registry/open_keys.h"

#include <cstring>
#include <mutex>
#include <unordered_map>

namespace qv::registry {
namespace {

constexpr REGSAM kGenericExecute = 0x20000000;
constexpr REGSAM kGenericAll = 0x10000000;

struct Table {
    std::mutex mutex;
    std::unordered_map<uintptr_t, OpenKey> keys;
    // Handles are never reused, so that a closed handle stays invalid.
    uintptr_t next = 0x1000;
};

Table& OpenKeys() {
    static Table table;
    return table;
}

std::optional<OpenKey> PredefinedKey(HKEY key) {
    if (key == HKEY_CURRENT_USER) return OpenKey{Hive::CurrentUser, {}, 0, KEY_ALL_ACCESS};
    if (key == HKEY_CLASSES_ROOT) return OpenKey{Hive::CurrentUser, {"Software", "Classes"}, 2, KEY_ALL_ACCESS};
    if (key == HKEY_LOCAL_MACHINE || key == HKEY_USERS) return OpenKey{Hive::Empty, {}, 0, KEY_ALL_ACCESS};
    return std::nullopt;
}

} // namespace

std::optional<OpenKey> FindOpenKey(HKEY key) {
    if (std::optional<OpenKey> predefined = PredefinedKey(key)) return predefined;
    Table& table = OpenKeys();
    std::lock_guard guard(table.mutex);
    auto it = table.keys.find(reinterpret_cast<uintptr_t>(key));
    if (it == table.keys.end()) return std::nullopt;
    return it->second;
}

HKEY AddOpenKey(OpenKey key) {
    Table& table = OpenKeys();
    std::lock_guard guard(table.mutex);
    const uintptr_t handle = table.next;
    table.next += 4;
    table.keys.emplace(handle, std::move(key));
    return reinterpret_cast<HKEY>(handle);
}

bool CloseOpenKey(HKEY key) {
    if (PredefinedKey(key)) return true;
    Table& table = OpenKeys();
    std::lock_guard guard(table.mutex);
    return table.keys.erase(reinterpret_cast<uintptr_t>(key)) != 0;
}

REGSAM KeyRights(REGSAM desired) {
    REGSAM rights = desired;
    if (desired & (MAXIMUM_ALLOWED | kGenericAll)) rights |= KEY_ALL_ACCESS;
    if (desired & GENERIC_READ) rights |= KEY_READ;
    if (desired & GENERIC_WRITE) rights |= KEY_WRITE;
    if (desired & kGenericExecute) rights |= KEY_EXECUTE;
    return rights;
}

std::optional<std::vector<std::string>> SplitSubkey(LPCSTR subKey) {
    std::vector<std::string> components;
    if (subKey == nullptr || subKey[0] == '\0') return components;
    size_t length = std::strlen(subKey);
    if (subKey[length - 1] == '\\') --length;
    size_t start = 0;
    for (;;) {
        const char* separator = static_cast<const char*>(std::memchr(subKey + start, '\\', length - start));
        const size_t end = separator == nullptr ? length : static_cast<size_t>(separator - subKey);
        if (end == start) return std::nullopt;
        components.emplace_back(subKey + start, end - start);
        if (separator == nullptr) return components;
        start = end + 1;
    }
}

} // namespace qv::registry
