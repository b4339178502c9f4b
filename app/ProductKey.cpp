#include "app/ProductKey.h"

#include <cstdio>

const char* const ProductName = "Quorva Velocitor";

std::string ProductKeyPath() {
    char path[256];
    std::snprintf(path, sizeof path, "SOFTWARE\\%s", ProductName);
    return path;
}

HKEY OpenProductKeyForReading() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, ProductKeyPath().c_str(), 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS)
        return nullptr;
    return key;
}

HKEY OpenProductKeyForWriting() {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, ProductKeyPath().c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

void WriteProductNumber(HKEY key, LPCSTR name, int value) {
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}
