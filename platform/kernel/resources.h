// The main module's resources: the compiled .res bytes embedded in the program, their lookup,
// and a bounded reader for the binary formats inside them (templates, tables, icons).
#pragma once
#include <windows.h>

#include "gdi/icon.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qv::kernel {

// Adds the bytes of a compiled .res file to the main module's resources. The bytes are
// borrowed and must stay for the life of the process; several files add up to one module.
void AddModuleResources(const void* data, size_t size);

// What the build's generated source declares so that its bytes are added before main runs.
struct ModuleResourcesRegistration {
    ModuleResourcesRegistration(const void* data, size_t size) { AddModuleResources(data, size); }
};

// The handle of the program's own module: what GetModuleHandleA(NULL) returns.
HMODULE MainModule();
// NULL and the main module's handle both name the main module in resource calls.
bool IsMainModule(HMODULE module);

// The bytes of a resource of the main module, found by type and name as FindResourceA takes
// them (an ordinal, "#123", or a name in any case). On failure sets the last error as
// FindResourceA does and returns nothing.
std::optional<std::span<const BYTE>> FindModuleResource(LPCSTR type, LPCSTR name);

// Resource texts are UTF-16; the program's narrow texts are Windows-1252 ('?' where there is
// no such character).
std::string ToAnsi(std::u16string_view text);

// Reads little-endian values from resource data without ever reading past its end. A read
// past the end fails, and every later read fails too, so a parser checks ok() once at the end
// of each step. A size of SIZE_MAX trusts the caller (a template given in memory).
class ResourceReader {
public:
    ResourceReader(const void* data, size_t size) : data_(static_cast<const BYTE*>(data)), size_(size) {}

    bool ok() const { return ok_; }
    size_t offset() const { return offset_; }
    size_t remaining() const { return ok_ ? size_ - offset_ : 0; }
    const BYTE* here() const { return data_ + offset_; }

    BYTE Byte();
    WORD Word();
    DWORD Dword();
    // Moves past n bytes; fails when fewer remain.
    bool Skip(size_t n);
    // Moves to the next multiple of alignment, counted from the start of the data.
    bool Align(size_t alignment);
    // A NUL-terminated UTF-16 string, converted to Windows-1252.
    std::string Text();
    // A name field of a template: 0x0000 (none), 0xFFFF followed by an ordinal, or a string.
    // Exactly one of the results is set when the field is present.
    struct NameOrOrdinal {
        std::string text;
        WORD ordinal = 0;
    };
    NameOrOrdinal NameOrOrdinalField();

private:
    bool Need(size_t n);

    const BYTE* data_;
    size_t size_;
    size_t offset_ = 0;
    bool ok_ = true;
};


// Icons. The formats are the module's; the loaders in user turn the pictures into handles.

// The RT_ICON ids of a RT_GROUP_ICON directory, best first for an icon of size x size pixels
// (nearest size, then most colours). Empty when the directory is malformed.
std::vector<WORD> RankIconImages(std::span<const BYTE> group, int size);

// An RT_ICON image (a DIB of 1, 4, 8, 24 or 32 bits a pixel with its AND mask) as pixels;
// nothing for malformed data or a PNG image.
std::optional<gdi::IconImage> DecodeIconImage(std::span<const BYTE> image);

// The pictures of the system's own icons (IDI_APPLICATION, IDI_ERROR, IDI_WARNING,
// IDI_INFORMATION, IDI_QUESTION) and cursors (IDC_ARROW, IDC_HAND, IDC_IBEAM, IDC_WAIT,
// IDC_CROSS, IDC_NO, IDC_SIZEALL), 32 by 32 pixels, by their ordinals; nothing for others.
std::optional<gdi::IconImage> SystemIconImage(WORD ordinal);
std::optional<gdi::IconImage> SystemCursorImage(WORD ordinal);

} // namespace qv::kernel
