// The product key: HKEY_CURRENT_USER\SOFTWARE\Quorva Velocitor, where every value is a DWORD.
#pragma once
#include <windows.h>

#include <string>

// The product's name, as the registry and the start-with-Windows entry know it.
extern const char* const ProductName;

// The key's path under HKEY_CURRENT_USER.
std::string ProductKeyPath();
// The key opened for reading, or null when it does not open.
HKEY OpenProductKeyForReading();
// The key created or opened for writing, or null.
HKEY OpenProductKeyForWriting();
// Writes one DWORD value.
void WriteProductNumber(HKEY key, LPCSTR name, int value);
