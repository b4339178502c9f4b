#include "reg/commands.h"

#include <cstdio>
#include <string>
#include <vector>

#include "reg/value_text.h"

namespace reg {
namespace {

int Error(const std::string& message) {
    std::fprintf(stderr, "ERROR: %s\n", message.c_str());
    return 1;
}

int NotFound() { return Error("The system was unable to find the specified registry key or value."); }

int Failure(LONG code) {
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_KEY_DELETED) return NotFound();
    if (code == ERROR_ACCESS_DENIED) return Error("Access is denied.");
    if (code == ERROR_CANTWRITE) return Error("The registry could not be written.");
    return Error("The operation failed with error " + std::to_string(code) + ".");
}

int Done() {
    std::puts("The operation completed successfully.");
    return 0;
}

// Asks as reg.exe does; only an answer starting with Y goes ahead.
bool Confirm(const std::string& question) {
    std::printf("%s (Yes/No)? ", question.c_str());
    std::fflush(stdout);
    char answer[64] = "";
    const bool yes = std::fgets(answer, sizeof answer, stdin) != nullptr && (answer[0] == 'y' || answer[0] == 'Y');
    if (!yes) std::puts("The operation was canceled by the user.");
    return yes;
}

class Key {
public:
    Key() = default;
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    ~Key() {
        if (handle_ != nullptr) RegCloseKey(handle_);
    }
    HKEY* out() { return &handle_; }
    HKEY get() const { return handle_; }

private:
    HKEY handle_ = nullptr;
};

struct Value {
    std::string name;
    DWORD type = 0;
    std::vector<BYTE> data;
};

// Reads a value, growing the buffer as the registry asks.
LONG ReadValue(HKEY key, const std::string& name, Value& value) {
    DWORD size = 0;
    LONG r = RegQueryValueExA(key, name.c_str(), nullptr, &value.type, nullptr, &size);
    while (r == ERROR_SUCCESS || r == ERROR_MORE_DATA) {
        value.data.resize(size);
        r = RegQueryValueExA(key, name.c_str(), nullptr, &value.type, value.data.data(), &size);
        if (r == ERROR_SUCCESS) {
            value.data.resize(size);
            value.name = name;
            return r;
        }
    }
    return r;
}

std::vector<std::string> ValueNames(HKEY key) {
    std::vector<std::string> names;
    for (DWORD i = 0;; ++i) {
        std::vector<char> name(16384);
        DWORD size = static_cast<DWORD>(name.size());
        if (RegEnumValueA(key, i, name.data(), &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
            return names;
        }
        names.emplace_back(name.data(), size);
    }
}

std::vector<std::string> SubkeyNames(HKEY key) {
    std::vector<std::string> names;
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD size = sizeof name;
        if (RegEnumKeyExA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) return names;
        names.emplace_back(name, size);
    }
}

void PrintValue(const Value& value) {
    std::printf("    %s    %s    %s\n", value.name.empty() ? "(Default)" : value.name.c_str(),
                TypeName(value.type).c_str(), DataText(value.type, value.data).c_str());
}

// Deletes a key and everything below it, deepest first (RegDeleteKeyA takes leaves only).
LONG DeleteTree(HKEY parent, const std::string& subkey) {
    Key key;
    if (LONG r = RegOpenKeyExA(parent, subkey.c_str(), 0, KEY_READ, key.out()); r != ERROR_SUCCESS) return r;
    for (const std::string& child : SubkeyNames(key.get())) {
        if (LONG r = DeleteTree(key.get(), child); r != ERROR_SUCCESS) return r;
    }
    return RegDeleteKeyA(parent, subkey.c_str());
}

} // namespace

int Query(const KeyName& name, const Arguments& args) {
    Key key;
    if (LONG r = RegOpenKeyExA(name.root, name.subkey.c_str(), 0, KEY_READ, key.out()); r != ERROR_SUCCESS) {
        return Failure(r);
    }
    if (args.valueName) {
        Value value;
        const LONG r = ReadValue(key.get(), *args.valueName, value);
        // Shown with the spelling it was created with, as the registry keeps it.
        for (const std::string& stored : ValueNames(key.get())) {
            if (SameText(stored, *args.valueName)) value.name = stored;
        }
        if (r == ERROR_FILE_NOT_FOUND && args.valueName->empty()) {
            std::printf("\n%s\n    (Default)    REG_SZ    (value not set)\n\n", name.display.c_str());
            return 0;
        }
        if (r != ERROR_SUCCESS) return Failure(r);
        std::printf("\n%s\n", name.display.c_str());
        PrintValue(value);
        std::printf("\n");
        return 0;
    }
    std::printf("\n%s\n", name.display.c_str());
    for (const std::string& valueName : ValueNames(key.get())) {
        Value value;
        if (ReadValue(key.get(), valueName, value) == ERROR_SUCCESS) PrintValue(value);
    }
    std::printf("\n");
    const std::vector<std::string> subkeys = SubkeyNames(key.get());
    for (const std::string& subkey : subkeys) std::printf("%s\\%s\n", name.display.c_str(), subkey.c_str());
    if (!subkeys.empty()) std::printf("\n");
    return 0;
}

int Add(const KeyName& name, const Arguments& args) {
    DWORD type = REG_SZ;
    if (args.type) {
        const std::optional<DWORD> named = ParseTypeName(*args.type);
        if (!named) return Error("Invalid type \"" + *args.type + "\"; use REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ, "
                                 "REG_DWORD, REG_QWORD, REG_BINARY or REG_NONE.");
        type = *named;
    }
    if (args.separator && type != REG_MULTI_SZ) return Error("Invalid syntax: /s applies to REG_MULTI_SZ only.");
    const bool setsValue = args.valueName || args.type || args.data;
    const DataResult data = ParseData(type, args.data.value_or(""), args.separator ? (*args.separator)[0] : '\0');
    if (setsValue && !data.bytes) return Error(data.error);

    Key key;
    if (LONG r = RegCreateKeyExA(name.root, name.subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                 nullptr, key.out(), nullptr);
        r != ERROR_SUCCESS) {
        return Failure(r);
    }
    if (!setsValue) return Done();
    const std::string valueName = args.valueName.value_or("");
    if (!args.force && RegQueryValueExA(key.get(), valueName.c_str(), nullptr, nullptr, nullptr, nullptr) ==
                           ERROR_SUCCESS) {
        if (!Confirm("Value " + (valueName.empty() ? std::string("(Default)") : valueName) + " exists, overwrite")) {
            return 0;
        }
    }
    if (LONG r = RegSetValueExA(key.get(), valueName.c_str(), 0, type, data.bytes->data(),
                                static_cast<DWORD>(data.bytes->size()));
        r != ERROR_SUCCESS) {
        return Failure(r);
    }
    return Done();
}

int Delete(const KeyName& name, const Arguments& args) {
    Key key;
    if (LONG r = RegOpenKeyExA(name.root, name.subkey.c_str(), 0, KEY_ALL_ACCESS, key.out()); r != ERROR_SUCCESS) {
        return Failure(r);
    }
    if (args.valueName) {
        const std::string& valueName = *args.valueName;
        if (RegQueryValueExA(key.get(), valueName.c_str(), nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
            return NotFound();
        }
        if (!args.force &&
            !Confirm("Delete the registry value " + (valueName.empty() ? std::string("(Default)") : valueName))) {
            return 0;
        }
        if (LONG r = RegDeleteValueA(key.get(), valueName.c_str()); r != ERROR_SUCCESS) return Failure(r);
        return Done();
    }
    if (args.allValues) {
        if (!args.force && !Confirm("Delete all values under the registry key " + name.display)) return 0;
        for (const std::string& valueName : ValueNames(key.get())) {
            if (LONG r = RegDeleteValueA(key.get(), valueName.c_str()); r != ERROR_SUCCESS) return Failure(r);
        }
        return Done();
    }
    if (name.subkey.empty()) return Error("Invalid key name: a root key cannot be deleted.");
    if (!args.force && !Confirm("Permanently delete the registry key " + name.display)) return 0;
    if (LONG r = DeleteTree(name.root, name.subkey); r != ERROR_SUCCESS) return Failure(r);
    return Done();
}

} // namespace reg
