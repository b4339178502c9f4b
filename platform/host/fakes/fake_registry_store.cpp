#include "host/fakes/fake_registry_store.h"

#include "host/registry_text.h"

namespace qv::host {

std::shared_ptr<const RegistryKey> FakeRegistryStore::Read() {
    if (!tree_) {
        RegistryKey root;
        root.name = std::string(kRegistryRootName);
        tree_ = std::make_shared<const RegistryKey>(std::move(root));
    }
    return tree_;
}

RegistryWrite FakeRegistryStore::Update(const std::function<bool(RegistryKey&)>& edit) {
    RegistryKey edited = *Read();
    if (!edit(edited)) return RegistryWrite::Unchanged;
    if (writeResult_ != RegistryWrite::Written) return writeResult_;
    tree_ = std::make_shared<const RegistryKey>(std::move(edited));
    ++writes_;
    return RegistryWrite::Written;
}

void FakeRegistryStore::Replace(RegistryKey root) {
    root.name = std::string(kRegistryRootName);
    tree_ = std::make_shared<const RegistryKey>(std::move(root));
}

} // namespace qv::host
