// Dialog templates (DLGTEMPLATE and DLGTEMPLATEEX) read into plain values for the dialog
// manager.
#pragma once
#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace qv::user {

struct DialogItem {
    DWORD style = 0;
    DWORD exStyle = 0;
    DWORD helpId = 0;
    int id = 0; // a classic template's WORD id is sign-extended, so IDC_STATIC reads -1
    short x = 0, y = 0, cx = 0, cy = 0;
    std::string className; // predefined classes by name ("BUTTON", "EDIT", ...)
    std::string text;
    WORD textOrdinal = 0; // non-zero when the title is a resource ordinal (an icon's id)
    std::vector<BYTE> creationData;
};

struct DialogTemplate {
    bool extended = false;
    DWORD style = 0;
    DWORD exStyle = 0;
    DWORD helpId = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::string menu;
    WORD menuOrdinal = 0;
    std::string className;
    WORD classOrdinal = 0;
    std::string caption;
    bool hasFont = false; // only with DS_SETFONT (which DS_SHELLFONT includes)
    WORD pointSize = 0;
    WORD weight = 0;
    BYTE italic = 0;
    BYTE charset = 0;
    std::string faceName;
    std::vector<DialogItem> items;
};

// Reads a template; nothing when it is malformed or runs past size bytes. A template given
// in memory has no known size: pass SIZE_MAX to trust the caller.
std::optional<DialogTemplate> ParseDialogTemplate(const void* data, size_t size);

} // namespace qv::user
