#include "reg/key_name.h"

#include "reg/arguments.h"

namespace reg {
namespace {

struct Root {
    const char* shortName;
    const char* longName;
    HKEY key;
};

const Root kRoots[] = {
    {"HKCU", "HKEY_CURRENT_USER", HKEY_CURRENT_USER},
    {"HKCR", "HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
    {"HKLM", "HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
    {"HKU", "HKEY_USERS", HKEY_USERS},
};

} // namespace

std::optional<KeyName> ParseKeyName(const std::string& text) {
    const size_t slash = text.find('\\');
    const std::string root = text.substr(0, slash);
    std::string subkey = slash == std::string::npos ? "" : text.substr(slash + 1);
    if (!subkey.empty() && subkey.back() == '\\') subkey.pop_back();
    for (const Root& r : kRoots) {
        if (SameText(root, r.shortName) || SameText(root, r.longName)) {
            return KeyName{r.key, subkey, subkey.empty() ? r.longName : std::string(r.longName) + "\\" + subkey};
        }
    }
    return std::nullopt;
}

} // namespace reg
