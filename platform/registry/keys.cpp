// Opening, creating, deleting, closing and listing keys.
#include <windows.h>

#include <cstring>

#include "registry/key_tree.h"
#include "registry/open_keys.h"

using qv::host::RegistryKey;
using qv::registry::AddOpenKey;
using qv::registry::FindKey;
using qv::registry::FindOpenKey;
using qv::registry::OpenKey;

namespace {

// The open key for `components` below `parent`, or nothing when it is not stored.
std::optional<OpenKey> Descend(const OpenKey& parent, const std::vector<std::string>& components, REGSAM rights) {
    OpenKey child = parent;
    child.path.insert(child.path.end(), components.begin(), components.end());
    child.access = rights;
    auto root = qv::registry::ReadHive(parent.hive);
    if (FindKey(*root, child.path, child.impliedDepth) == nullptr) return std::nullopt;
    return child;
}

} // namespace

LSTATUS WINAPI RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, REGSAM samDesired, PHKEY phkResult) {
    if (phkResult == nullptr) return ERROR_INVALID_PARAMETER;
    *phkResult = nullptr;
    std::optional<OpenKey> parent = FindOpenKey(hKey);
    if (!parent) return ERROR_INVALID_HANDLE;
    std::optional<std::vector<std::string>> components = qv::registry::SplitSubkey(lpSubKey);
    if (!components) return ERROR_FILE_NOT_FOUND;
    if (components->empty()) {
        auto root = qv::registry::ReadHive(parent->hive);
        if (FindKey(*root, parent->path, parent->impliedDepth) == nullptr) return ERROR_KEY_DELETED;
    }
    std::optional<OpenKey> child = Descend(*parent, *components, qv::registry::KeyRights(samDesired));
    if (!child) return ERROR_FILE_NOT_FOUND;
    *phkResult = AddOpenKey(std::move(*child));
    return ERROR_SUCCESS;
}

LSTATUS WINAPI RegOpenKeyA(HKEY hKey, LPCSTR lpSubKey, PHKEY phkResult) {
    if (phkResult == nullptr) return ERROR_INVALID_PARAMETER;
    if (lpSubKey == nullptr || lpSubKey[0] == '\0') {
        if (!FindOpenKey(hKey)) return ERROR_INVALID_HANDLE;
        *phkResult = hKey;
        return ERROR_SUCCESS;
    }
    return RegOpenKeyExA(hKey, lpSubKey, 0, MAXIMUM_ALLOWED, phkResult);
}

LSTATUS WINAPI RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, LPSTR, DWORD, REGSAM samDesired,
                               CONST LPSECURITY_ATTRIBUTES, PHKEY phkResult, LPDWORD lpdwDisposition) {
    if (phkResult == nullptr) return ERROR_INVALID_PARAMETER;
    *phkResult = nullptr;
    std::optional<OpenKey> parent = FindOpenKey(hKey);
    if (!parent) return ERROR_INVALID_HANDLE;
    if (lpSubKey == nullptr) return ERROR_INVALID_PARAMETER;
    std::optional<std::vector<std::string>> components = qv::registry::SplitSubkey(lpSubKey);
    if (!components) return ERROR_BAD_PATHNAME;
    const REGSAM rights = qv::registry::KeyRights(samDesired);

    // An existing key is only opened: that needs no lock and no right to write.
    DWORD disposition = REG_OPENED_EXISTING_KEY;
    std::optional<OpenKey> child = Descend(*parent, *components, rights);
    if (!child && components->empty()) return ERROR_KEY_DELETED;
    if (!child) {
        LONG result = qv::registry::EditKey(*parent, [&](RegistryKey& target, bool& changed) -> LONG {
            RegistryKey* key = &target;
            for (const std::string& name : *components) {
                if (RegistryKey* existing = key->FindSubkey(name)) {
                    key = existing;
                    continue;
                }
                if (!parent->Allows(KEY_CREATE_SUB_KEY)) return ERROR_ACCESS_DENIED;
                key = &key->AddSubkey(name);
                changed = true;
            }
            return ERROR_SUCCESS;
        });
        if (result != ERROR_SUCCESS) return result;
        child = *parent;
        child->path.insert(child->path.end(), components->begin(), components->end());
        child->access = rights;
        disposition = REG_CREATED_NEW_KEY;
    }
    *phkResult = AddOpenKey(std::move(*child));
    if (lpdwDisposition != nullptr) *lpdwDisposition = disposition;
    return ERROR_SUCCESS;
}

LSTATUS WINAPI RegCreateKeyA(HKEY hKey, LPCSTR lpSubKey, PHKEY phkResult) {
    if (phkResult == nullptr) return ERROR_INVALID_PARAMETER;
    if (lpSubKey == nullptr || lpSubKey[0] == '\0') {
        if (!FindOpenKey(hKey)) return ERROR_INVALID_HANDLE;
        *phkResult = hKey;
        return ERROR_SUCCESS;
    }
    return RegCreateKeyExA(hKey, lpSubKey, 0, nullptr, REG_OPTION_NON_VOLATILE, MAXIMUM_ALLOWED, nullptr,
                           phkResult, nullptr);
}

LSTATUS WINAPI RegDeleteKeyA(HKEY hKey, LPCSTR lpSubKey) {
    std::optional<OpenKey> parent = FindOpenKey(hKey);
    if (!parent) return ERROR_INVALID_HANDLE;
    if (lpSubKey == nullptr) return ERROR_INVALID_PARAMETER;
    std::optional<std::vector<std::string>> components = qv::registry::SplitSubkey(lpSubKey);
    if (!components) return ERROR_FILE_NOT_FOUND;
    OpenKey doomed = *parent;
    doomed.path.insert(doomed.path.end(), components->begin(), components->end());
    // The predefined keys themselves cannot be deleted.
    if (doomed.path.size() <= doomed.impliedDepth) return ERROR_ACCESS_DENIED;

    OpenKey owner = doomed;
    const std::string name = owner.path.back();
    owner.path.pop_back();
    if (owner.hive != qv::registry::Hive::CurrentUser) return ERROR_FILE_NOT_FOUND;
    return qv::registry::EditKey(owner, [&](RegistryKey& target, bool& changed) -> LONG {
        const RegistryKey* key = target.FindSubkey(name);
        if (key == nullptr) return ERROR_FILE_NOT_FOUND;
        if (!key->subkeys.empty()) return ERROR_ACCESS_DENIED;
        target.RemoveSubkey(name);
        changed = true;
        return ERROR_SUCCESS;
    });
}

LSTATUS WINAPI RegCloseKey(HKEY hKey) {
    return qv::registry::CloseOpenKey(hKey) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LSTATUS WINAPI RegEnumKeyExA(HKEY hKey, DWORD dwIndex, LPSTR lpName, LPDWORD lpcchName, LPDWORD lpReserved,
                             LPSTR lpClass, LPDWORD lpcchClass, PFILETIME lpftLastWriteTime) {
    std::optional<OpenKey> key = FindOpenKey(hKey);
    if (!key) return ERROR_INVALID_HANDLE;
    if (lpName == nullptr || lpcchName == nullptr || lpReserved != nullptr) return ERROR_INVALID_PARAMETER;
    if (!key->Allows(KEY_ENUMERATE_SUB_KEYS)) return ERROR_ACCESS_DENIED;
    auto root = qv::registry::ReadHive(key->hive);
    const RegistryKey* found = FindKey(*root, key->path, key->impliedDepth);
    if (found == nullptr) return ERROR_KEY_DELETED;
    if (dwIndex >= found->subkeys.size()) return ERROR_NO_MORE_ITEMS;
    const std::string& name = found->subkeys[dwIndex].name;
    if (name.size() >= *lpcchName) return ERROR_MORE_DATA;
    std::memcpy(lpName, name.c_str(), name.size() + 1);
    *lpcchName = static_cast<DWORD>(name.size());
    // Keys have no class here.
    if (lpClass != nullptr && lpcchClass != nullptr) {
        if (*lpcchClass == 0) return ERROR_MORE_DATA;
        lpClass[0] = '\0';
    }
    if (lpcchClass != nullptr) *lpcchClass = 0;
    // Last-write times are not kept.
    if (lpftLastWriteTime != nullptr) *lpftLastWriteTime = FILETIME{0, 0};
    return ERROR_SUCCESS;
}
