#include "host/registry_tree.h"

#include <algorithm>
#include <utility>

namespace qv::host {
namespace {

// Windows-1252 upper case: ASCII, the Latin-1 letters and the few letters at 0x8A-0x9F.
unsigned char Upper(unsigned char c) {
    if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 32);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 32);
    switch (c) {
    case 0x9A: return 0x8A; // s caron
    case 0x9C: return 0x8C; // oe
    case 0x9E: return 0x8E; // z caron
    case 0xFF: return 0x9F; // y diaeresis
    default: return c;
    }
}

} // namespace

int CompareRegistryNames(std::string_view a, std::string_view b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const unsigned char x = Upper(static_cast<unsigned char>(a[i]));
        const unsigned char y = Upper(static_cast<unsigned char>(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

namespace {

template <typename Keys>
auto LowerBound(Keys& keys, std::string_view name) {
    return std::lower_bound(keys.begin(), keys.end(), name, [](const RegistryKey& k, std::string_view n) {
        return CompareRegistryNames(k.name, n) < 0;
    });
}

} // namespace

const RegistryKey* RegistryKey::FindSubkey(std::string_view subkeyName) const {
    auto it = LowerBound(subkeys, subkeyName);
    return it != subkeys.end() && SameRegistryName(it->name, subkeyName) ? &*it : nullptr;
}

RegistryKey* RegistryKey::FindSubkey(std::string_view subkeyName) {
    return const_cast<RegistryKey*>(std::as_const(*this).FindSubkey(subkeyName));
}

RegistryKey& RegistryKey::AddSubkey(std::string_view subkeyName) {
    auto it = LowerBound(subkeys, subkeyName);
    if (it != subkeys.end() && SameRegistryName(it->name, subkeyName)) return *it;
    RegistryKey key;
    key.name = std::string(subkeyName);
    return *subkeys.insert(it, std::move(key));
}

bool RegistryKey::RemoveSubkey(std::string_view subkeyName) {
    auto it = LowerBound(subkeys, subkeyName);
    if (it == subkeys.end() || !SameRegistryName(it->name, subkeyName)) return false;
    subkeys.erase(it);
    return true;
}

const RegistryValue* RegistryKey::FindValue(std::string_view valueName) const {
    for (const RegistryValue& v : values) {
        if (SameRegistryName(v.name, valueName)) return &v;
    }
    return nullptr;
}

void RegistryKey::SetValue(std::string_view valueName, uint32_t type, std::vector<uint8_t> data) {
    for (RegistryValue& v : values) {
        if (SameRegistryName(v.name, valueName)) {
            v.type = type;
            v.data = std::move(data);
            return;
        }
    }
    values.push_back(RegistryValue{std::string(valueName), type, std::move(data)});
}

bool RegistryKey::RemoveValue(std::string_view valueName) {
    auto it = std::find_if(values.begin(), values.end(),
                           [&](const RegistryValue& v) { return SameRegistryName(v.name, valueName); });
    if (it == values.end()) return false;
    values.erase(it);
    return true;
}

} // namespace qv::host
