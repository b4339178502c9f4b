// Reading dialog templates, classic and extended, without trusting their counts.
#include "user/dialog_template.h"

#include "kernel/resources.h"

#include <array>

namespace qv::user {

namespace {

using qv::kernel::ResourceReader;

// More controls than any real dialog has: a count beyond it is garbage.
constexpr WORD kMaxItems = 4096;

std::string PredefinedClassName(WORD atom) {
    static constexpr std::array<const char*, 6> kNames = {"BUTTON",    "EDIT",     "STATIC",
                                                          "LISTBOX",   "SCROLLBAR", "COMBOBOX"};
    if (atom >= 0x80 && atom < 0x80 + kNames.size()) {
        return kNames[atom - 0x80];
    }
    return "#" + std::to_string(atom);
}

bool ReadItem(ResourceReader& reader, bool extended, DialogItem& item) {
    reader.Align(sizeof(DWORD));
    if (extended) {
        item.helpId = reader.Dword();
        item.exStyle = reader.Dword();
        item.style = reader.Dword();
    } else {
        item.style = reader.Dword();
        item.exStyle = reader.Dword();
    }
    item.x = static_cast<short>(reader.Word());
    item.y = static_cast<short>(reader.Word());
    item.cx = static_cast<short>(reader.Word());
    item.cy = static_cast<short>(reader.Word());
    item.id = extended ? static_cast<int>(reader.Dword()) : static_cast<short>(reader.Word());

    ResourceReader::NameOrOrdinal windowClass = reader.NameOrOrdinalField();
    item.className = windowClass.ordinal != 0 ? PredefinedClassName(windowClass.ordinal)
                                              : windowClass.text;
    ResourceReader::NameOrOrdinal title = reader.NameOrOrdinalField();
    item.text = title.text;
    item.textOrdinal = title.ordinal;

    // The creation data's size counts itself in a classic template, not in an extended one.
    WORD extra = reader.Word();
    if (extra != 0) {
        if (!extended && extra < sizeof(WORD)) {
            return false;
        }
        size_t dataSize = extended ? extra : extra - sizeof(WORD);
        const BYTE* start = reader.here();
        if (!reader.Skip(dataSize)) {
            return false;
        }
        item.creationData.assign(start, start + dataSize);
    }
    return reader.ok() && !item.className.empty();
}

} // namespace

std::optional<DialogTemplate> ParseDialogTemplate(const void* data, size_t size) {
    if (data == nullptr) {
        return std::nullopt;
    }
    ResourceReader reader(data, size);
    DialogTemplate dialog;
    WORD version = reader.Word();
    WORD signature = reader.Word();
    dialog.extended = version == 1 && signature == 0xFFFF;
    if (dialog.extended) {
        dialog.helpId = reader.Dword();
        dialog.exStyle = reader.Dword();
        dialog.style = reader.Dword();
    } else {
        reader = ResourceReader(data, size);
        dialog.style = reader.Dword();
        dialog.exStyle = reader.Dword();
    }
    WORD count = reader.Word();
    dialog.x = static_cast<short>(reader.Word());
    dialog.y = static_cast<short>(reader.Word());
    dialog.cx = static_cast<short>(reader.Word());
    dialog.cy = static_cast<short>(reader.Word());
    if (!reader.ok() || count > kMaxItems) {
        return std::nullopt;
    }

    ResourceReader::NameOrOrdinal menu = reader.NameOrOrdinalField();
    dialog.menu = menu.text;
    dialog.menuOrdinal = menu.ordinal;
    ResourceReader::NameOrOrdinal windowClass = reader.NameOrOrdinalField();
    dialog.className = windowClass.text;
    dialog.classOrdinal = windowClass.ordinal;
    dialog.caption = reader.Text();

    if (dialog.style & DS_SETFONT) {
        dialog.hasFont = true;
        dialog.pointSize = reader.Word();
        if (dialog.extended) {
            dialog.weight = reader.Word();
            dialog.italic = reader.Byte();
            dialog.charset = reader.Byte();
        }
        dialog.faceName = reader.Text();
    }
    if (!reader.ok()) {
        return std::nullopt;
    }

    for (WORD i = 0; i < count; ++i) {
        DialogItem item;
        if (!ReadItem(reader, dialog.extended, item)) {
            return std::nullopt;
        }
        dialog.items.push_back(std::move(item));
    }
    return dialog;
}

} // namespace qv::user
