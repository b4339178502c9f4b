// Finding an open key in the stored registry, and changing it through the store.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>

#include "host/registry_tree.h"
#include "registry/open_keys.h"

namespace qv::registry {

// The registry as another program would see it now, with the key's hive at the root.
std::shared_ptr<const host::RegistryKey> ReadHive(Hive hive);

// The key at `path` under `root`, or null when it does not exist. The first `impliedDepth`
// components exist even when not stored (an empty key stands in).
const host::RegistryKey* FindKey(const host::RegistryKey& root, const std::vector<std::string>& path,
                                 size_t impliedDepth);

// Runs `edit` on the key's stored form under the store's lock and writes what it changed.
// `edit` returns a Windows error code and sets `changed` when there is something to write.
// The result is that code, ERROR_KEY_DELETED when the key is gone, ERROR_ACCESS_DENIED for the
// empty hives or a store that may not be written, or ERROR_CANTWRITE when writing fails.
LONG EditKey(const OpenKey& key, const std::function<LONG(host::RegistryKey& target, bool& changed)>& edit);

} // namespace qv::registry
