// Reading standard menu templates: a header, then items, each level closed by MF_END.
#include "user/menu_template.h"

#include "kernel/resources.h"

namespace qv::user {

namespace {

using qv::kernel::ResourceReader;

// Beyond these a template is garbage, and the recursion stays shallow.
constexpr int kMaxDepth = 16;
constexpr size_t kMaxItems = 4096;

bool ReadLevel(ResourceReader& reader, int depth, size_t& total, std::vector<MenuItem>& items) {
    if (depth > kMaxDepth) {
        return false;
    }
    for (;;) {
        if (++total > kMaxItems) {
            return false;
        }
        MenuItem item;
        WORD flags = reader.Word();
        if (!(flags & menu_flags::kPopup)) {
            item.id = reader.Word();
        }
        item.text = reader.Text();
        if (!reader.ok()) {
            return false;
        }
        item.flags = flags & ~menu_flags::kEnd;
        if (flags & menu_flags::kPopup) {
            if (!ReadLevel(reader, depth + 1, total, item.children)) {
                return false;
            }
        } else if (item.id == 0 && item.text.empty()) {
            item.flags |= menu_flags::kSeparator;
        }
        items.push_back(std::move(item));
        if (flags & menu_flags::kEnd) {
            return true;
        }
    }
}

} // namespace

std::optional<std::vector<MenuItem>> ParseMenuTemplate(const void* data, size_t size) {
    if (data == nullptr) {
        return std::nullopt;
    }
    ResourceReader reader(data, size);
    WORD version = reader.Word();
    WORD headerSize = reader.Word();
    if (!reader.ok() || version != 0 || !reader.Skip(headerSize)) {
        return std::nullopt;
    }
    std::vector<MenuItem> items;
    size_t total = 0;
    if (!ReadLevel(reader, 0, total, items)) {
        return std::nullopt;
    }
    return items;
}

} // namespace qv::user
