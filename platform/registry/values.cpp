// Reading, writing, deleting and listing the values of a key. Data is kept exactly as given:
// a string written without its terminating NUL is read back without it, as on Windows.
#include <windows.h>

#include <cstring>

#include "registry/key_tree.h"
#include "registry/open_keys.h"

using qv::host::RegistryKey;
using qv::host::RegistryValue;
using qv::registry::FindOpenKey;
using qv::registry::OpenKey;

namespace {

std::string_view ValueName(LPCSTR name) { return name == nullptr ? std::string_view() : std::string_view(name); }

// Hands out a value's type and data the way both query functions do.
LONG CopyData(const RegistryValue& value, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) {
    if (lpType != nullptr) *lpType = value.type;
    const auto size = static_cast<DWORD>(value.data.size());
    if (lpData != nullptr && *lpcbData < size) {
        *lpcbData = size;
        return ERROR_MORE_DATA;
    }
    if (lpData != nullptr && size != 0) std::memcpy(lpData, value.data.data(), size);
    if (lpcbData != nullptr) *lpcbData = size;
    return ERROR_SUCCESS;
}

} // namespace

LSTATUS WINAPI RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData,
                                LPDWORD lpcbData) {
    std::optional<OpenKey> key = FindOpenKey(hKey);
    if (!key) return ERROR_INVALID_HANDLE;
    if (lpReserved != nullptr || (lpData != nullptr && lpcbData == nullptr)) return ERROR_INVALID_PARAMETER;
    if (!key->Allows(KEY_QUERY_VALUE)) return ERROR_ACCESS_DENIED;
    auto root = qv::registry::ReadHive(key->hive);
    const RegistryKey* found = qv::registry::FindKey(*root, key->path, key->impliedDepth);
    if (found == nullptr) return ERROR_KEY_DELETED;
    const RegistryValue* value = found->FindValue(ValueName(lpValueName));
    if (value == nullptr) return ERROR_FILE_NOT_FOUND;
    return CopyData(*value, lpType, lpData, lpcbData);
}

LSTATUS WINAPI RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD, DWORD dwType, CONST BYTE* lpData,
                              DWORD cbData) {
    std::optional<OpenKey> key = FindOpenKey(hKey);
    if (!key) return ERROR_INVALID_HANDLE;
    if (lpData == nullptr && cbData != 0) return ERROR_NOACCESS;
    if (!key->Allows(KEY_SET_VALUE)) return ERROR_ACCESS_DENIED;
    std::vector<uint8_t> data(lpData, lpData + (lpData == nullptr ? 0 : cbData));
    return qv::registry::EditKey(*key, [&](RegistryKey& target, bool& changed) -> LONG {
        const RegistryValue* existing = target.FindValue(ValueName(lpValueName));
        changed = existing == nullptr || existing->type != dwType || existing->data != data;
        if (changed) target.SetValue(ValueName(lpValueName), dwType, data);
        return ERROR_SUCCESS;
    });
}

LSTATUS WINAPI RegDeleteValueA(HKEY hKey, LPCSTR lpValueName) {
    std::optional<OpenKey> key = FindOpenKey(hKey);
    if (!key) return ERROR_INVALID_HANDLE;
    if (!key->Allows(KEY_SET_VALUE)) return ERROR_ACCESS_DENIED;
    if (key->hive != qv::registry::Hive::CurrentUser) return ERROR_FILE_NOT_FOUND;
    return qv::registry::EditKey(*key, [&](RegistryKey& target, bool& changed) -> LONG {
        changed = target.RemoveValue(ValueName(lpValueName));
        return changed ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
    });
}

LSTATUS WINAPI RegEnumValueA(HKEY hKey, DWORD dwIndex, LPSTR lpValueName, LPDWORD lpcchValueName,
                             LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) {
    std::optional<OpenKey> key = FindOpenKey(hKey);
    if (!key) return ERROR_INVALID_HANDLE;
    if (lpValueName == nullptr || lpcchValueName == nullptr || lpReserved != nullptr ||
        (lpData != nullptr && lpcbData == nullptr)) {
        return ERROR_INVALID_PARAMETER;
    }
    if (!key->Allows(KEY_QUERY_VALUE)) return ERROR_ACCESS_DENIED;
    auto root = qv::registry::ReadHive(key->hive);
    const RegistryKey* found = qv::registry::FindKey(*root, key->path, key->impliedDepth);
    if (found == nullptr) return ERROR_KEY_DELETED;
    if (dwIndex >= found->values.size()) return ERROR_NO_MORE_ITEMS;
    const RegistryValue& value = found->values[dwIndex];
    if (value.name.size() >= *lpcchValueName) return ERROR_MORE_DATA;
    std::memcpy(lpValueName, value.name.c_str(), value.name.size() + 1);
    *lpcchValueName = static_cast<DWORD>(value.name.size());
    return CopyData(value, lpType, lpData, lpcbData);
}
