// A registry store in memory for tests: no file, with switches for what a file could do to us.
#pragma once
#include "host/registry_store.h"

namespace qv::host {

class FakeRegistryStore final : public RegistryStore {
public:
    std::shared_ptr<const RegistryKey> Read() override;
    RegistryWrite Update(const std::function<bool(RegistryKey&)>& edit) override;

    // Another program rewrote the registry.
    void Replace(RegistryKey root);
    // Writes fail with this result from now on (Written makes them succeed again).
    void FailWrites(RegistryWrite result) { writeResult_ = result; }
    int writes() const { return writes_; }

private:
    std::shared_ptr<const RegistryKey> tree_;
    RegistryWrite writeResult_ = RegistryWrite::Written;
    int writes_ = 0;
};

} // namespace qv::host
