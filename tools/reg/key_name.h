// Key names as reg.exe takes them: ROOT\Sub\Key, the root short (HKCU) or long (HKEY_CURRENT_USER).
#pragma once
#include <windows.h>

#include <optional>
#include <string>

namespace reg {

struct KeyName {
    HKEY root;
    std::string subkey;  // empty for the root itself
    std::string display; // the key as reg.exe prints it, with the root's long name
};

// Nothing when the root is not one of HKCU, HKCR, HKLM, HKU (or their long names).
std::optional<KeyName> ParseKeyName(const std::string& text);

} // namespace reg
