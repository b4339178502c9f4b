// The registry file's text: readable and editable by a person, faithful to every byte.
//
//   # comment (also ';'); blank lines are ignored
//   [HKEY_CURRENT_USER\Software\Quorva\Quorva]
//   "Name"=sz:"text\0"
//   @=dword:0x0000002a
//   "Bytes"=binary:hex:01,02,ff
//
// A section names a key by its path from HKEY_CURRENT_USER, the components separated by
// backslashes; in a component, '%' and bytes outside 0x20-0x7E are written %HH. Every key has a
// section, empty ones too. Each value line is NAME=TYPE:DATA, where
//   NAME is @ (the default value) or a quoted string;
//   TYPE is none, sz, expand_sz, binary, dword, dword_be, link, multi_sz, qword, or the type's
//        number in decimal;
//   DATA is a quoted string of the exact bytes (so a string's terminating NUL shows as \0),
//        0x<hex> for a dword, dword_be (4 bytes) or qword (8 bytes), or hex: followed by
//        comma-separated bytes (empty for no data).
// Quoted strings escape \\ \" \0 \t \n \r, and any other byte outside 0x20-0x7E as \xHH.
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "host/registry_tree.h"

namespace qv::host {

// The name of the root section; the tree's root key stands for it.
inline constexpr std::string_view kRegistryRootName = "HKEY_CURRENT_USER";

std::string FormatRegistryText(const RegistryKey& root);

// The tree the text describes, or nothing when the text does not follow the format.
std::optional<RegistryKey> ParseRegistryText(std::string_view text);

} // namespace qv::host
