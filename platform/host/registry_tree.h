// The registry's contents in memory: keys holding values and subkeys, as the store reads and
// writes them. Names compare without regard to case but keep the case they were created with.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qv::host {

// Case-insensitive comparison of registry names in the Windows-1252 code page.
int CompareRegistryNames(std::string_view a, std::string_view b);
inline bool SameRegistryName(std::string_view a, std::string_view b) {
    return CompareRegistryNames(a, b) == 0;
}

struct RegistryValue {
    std::string name; // empty: the key's default value
    uint32_t type = 0;
    std::vector<uint8_t> data;

    bool operator==(const RegistryValue&) const = default;
};

struct RegistryKey {
    std::string name;
    std::vector<RegistryValue> values;  // in the order they were first set, as Windows lists them
    std::vector<RegistryKey> subkeys;   // sorted by name without case, as Windows lists them

    bool operator==(const RegistryKey&) const = default;

    const RegistryKey* FindSubkey(std::string_view subkeyName) const;
    RegistryKey* FindSubkey(std::string_view subkeyName);
    // The subkey of that name, created (with that spelling) when missing.
    RegistryKey& AddSubkey(std::string_view subkeyName);
    bool RemoveSubkey(std::string_view subkeyName);

    const RegistryValue* FindValue(std::string_view valueName) const;
    // Replaces the data of an existing value (keeping its spelling) or appends a new one.
    void SetValue(std::string_view valueName, uint32_t type, std::vector<uint8_t> data);
    bool RemoveValue(std::string_view valueName);
};

} // namespace qv::host
