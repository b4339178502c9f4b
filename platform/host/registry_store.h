// Where the registry lives: one text file per user (format in host/registry_text.h), shared with
// every other program of that user. Reads see another program's change at the next call; every
// write is read-modify-write under a lock, so that concurrent writers lose nothing.
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "host/registry_tree.h"

namespace qv::host {

enum class RegistryWrite {
    Written,
    Unchanged, // the edit changed nothing, so nothing was written
    Denied,    // the file or its folder may not be written
    Failed,    // any other failure to write; the file is as it was
};

class RegistryStore {
public:
    virtual ~RegistryStore() = default;
    // The registry as it is now (the root stands for HKEY_CURRENT_USER). A missing or unreadable
    // file is an empty registry.
    virtual std::shared_ptr<const RegistryKey> Read() = 0;
    // Applies `edit` to the latest contents while holding the lock and writes the result when
    // `edit` returns true. On any failure the stored registry stays as it was.
    virtual RegistryWrite Update(const std::function<bool(RegistryKey&)>& edit) = 0;
};

// $XDG_CONFIG_HOME/quorva-velocitor/registry, XDG_CONFIG_HOME defaulting to ~/.config.
std::string DefaultRegistryPath();

// The store in a file: written atomically (temporary file, fsync, rename) under flock on
// "<path>.lock"; re-read when the file's identity (inode, size, modification time) changes.
// A file that cannot be parsed is moved aside to "<path>.corrupt-<time>" and the registry
// starts empty.
std::unique_ptr<RegistryStore> MakeRegistryFileStore(std::string path);

// The store in use: the file at DefaultRegistryPath() unless a test installed another.
RegistryStore& GetRegistryStore();
// Installs a store (tests); null goes back to the default file.
void SetRegistryStore(std::unique_ptr<RegistryStore> store);

} // namespace qv::host
