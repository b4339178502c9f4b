// Menu templates (the standard MENUITEMTEMPLATE format) read into a tree for the menu code.
#pragma once
#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace qv::user {

// The item flags a template carries, with the values of the MF_ flags of the same meaning.
namespace menu_flags {
inline constexpr UINT kGrayed = 0x0001;
inline constexpr UINT kDisabled = 0x0002;
inline constexpr UINT kChecked = 0x0008;
inline constexpr UINT kPopup = 0x0010;
inline constexpr UINT kMenuBarBreak = 0x0020;
inline constexpr UINT kMenuBreak = 0x0040;
inline constexpr UINT kEnd = 0x0080; // last item of its level; never kept in a MenuItem
inline constexpr UINT kSeparator = 0x0800;
inline constexpr UINT kDefault = 0x1000;
inline constexpr UINT kHelp = 0x4000;
} // namespace menu_flags

struct MenuItem {
    UINT flags = 0; // menu_flags; a template's empty item with id 0 reads as kSeparator
    UINT id = 0;    // 0 for popups
    std::string text;
    std::vector<MenuItem> children; // the popup's items
};

// Reads a menu template into its top-level items; nothing when it is malformed, runs past
// size bytes, or is an extended template. SIZE_MAX trusts the caller.
std::optional<std::vector<MenuItem>> ParseMenuTemplate(const void* data, size_t size);

} // namespace qv::user
