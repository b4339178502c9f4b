// Values as reg.exe shows and takes them: type names, data as text.
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace reg {

// "REG_SZ", "REG_DWORD", ...; a type without a name shows as its number.
std::string TypeName(DWORD type);
// The type named (any case); nothing for a name reg does not know.
std::optional<DWORD> ParseTypeName(const std::string& name);

// The data as reg.exe prints it: strings as text (REG_MULTI_SZ joined with \0), numbers as
// 0x hex, everything else as hex bytes.
std::string DataText(DWORD type, const std::vector<BYTE>& data);

// The bytes to store for /d text of a type, or an error message (without "ERROR: ").
struct DataResult {
    std::optional<std::vector<BYTE>> bytes;
    std::string error;
};
DataResult ParseData(DWORD type, const std::string& text, char separator);

} // namespace reg
