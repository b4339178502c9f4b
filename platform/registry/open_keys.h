// The process's open registry keys: a handle names a key by its path, checked in a table so
// that a bad or closed handle is refused, never followed.
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace qv::registry {

enum class Hive {
    CurrentUser, // kept by the host's registry store
    Empty,       // HKEY_LOCAL_MACHINE and HKEY_USERS: nothing there, and nothing may be added
};

struct OpenKey {
    Hive hive = Hive::CurrentUser;
    std::vector<std::string> path; // from the hive's root
    // How many leading components of `path` belong to the predefined key itself: they exist
    // whether stored or not (HKEY_CLASSES_ROOT is HKEY_CURRENT_USER\Software\Classes).
    size_t impliedDepth = 0;
    REGSAM access = 0;

    bool Allows(REGSAM right) const { return (access & right) == right; }
};

// The key behind a handle (a predefined key or one opened by this process), or nothing.
std::optional<OpenKey> FindOpenKey(HKEY key);
HKEY AddOpenKey(OpenKey key);
// False when the handle is not open (predefined keys are never closed, and always succeed).
bool CloseOpenKey(HKEY key);

// The rights asked for, with the generic and maximum rights mapped to the key's own.
REGSAM KeyRights(REGSAM desired);

// The components of a subkey path ("A\B\C"; one trailing backslash is allowed); nothing when
// a component is empty. A null or empty path has no components.
std::optional<std::vector<std::string>> SplitSubkey(LPCSTR subKey);

} // namespace qv::registry
