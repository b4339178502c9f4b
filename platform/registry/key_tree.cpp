#include "registry/key_tree.h"

#include "host/registry_store.h"

namespace qv::registry {
namespace {

const host::RegistryKey& EmptyKey() {
    static const host::RegistryKey empty;
    return empty;
}

} // namespace

std::shared_ptr<const host::RegistryKey> ReadHive(Hive hive) {
    if (hive == Hive::Empty) return std::shared_ptr<const host::RegistryKey>(&EmptyKey(), [](const auto*) {});
    return host::GetRegistryStore().Read();
}

const host::RegistryKey* FindKey(const host::RegistryKey& root, const std::vector<std::string>& path,
                                 size_t impliedDepth) {
    const host::RegistryKey* key = &root;
    for (const std::string& name : path) {
        key = key->FindSubkey(name);
        if (key == nullptr) return path.size() <= impliedDepth ? &EmptyKey() : nullptr;
    }
    return key;
}

LONG EditKey(const OpenKey& key, const std::function<LONG(host::RegistryKey& target, bool& changed)>& edit) {
    if (key.hive != Hive::CurrentUser) return ERROR_ACCESS_DENIED;
    LONG result = ERROR_SUCCESS;
    const host::RegistryWrite write = host::GetRegistryStore().Update([&](host::RegistryKey& root) {
        host::RegistryKey* target = &root;
        for (size_t i = 0; i < key.path.size() && target != nullptr; ++i) {
            target = i < key.impliedDepth ? &target->AddSubkey(key.path[i]) : target->FindSubkey(key.path[i]);
        }
        if (target == nullptr) {
            result = ERROR_KEY_DELETED;
            return false;
        }
        bool changed = false;
        result = edit(*target, changed);
        return result == ERROR_SUCCESS && changed;
    });
    if (result != ERROR_SUCCESS) return result;
    switch (write) {
    case host::RegistryWrite::Denied: return ERROR_ACCESS_DENIED;
    case host::RegistryWrite::Failed: return ERROR_CANTWRITE;
    default: return ERROR_SUCCESS;
    }
}

} // namespace qv::registry
