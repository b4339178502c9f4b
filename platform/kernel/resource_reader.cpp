// The bounded reader behind every resource format parser.
#include "kernel/resources.h"

namespace qv::kernel {

namespace {
// No text in a resource is this long; a longer run without a terminator is garbage.
constexpr size_t kMaxTextLength = 0x8000;
} // namespace

bool ResourceReader::Need(size_t n) {
    if (!ok_ || size_ - offset_ < n) {
        ok_ = false;
    }
    return ok_;
}

BYTE ResourceReader::Byte() {
    if (!Need(1)) {
        return 0;
    }
    return data_[offset_++];
}

WORD ResourceReader::Word() {
    if (!Need(2)) {
        return 0;
    }
    WORD value = static_cast<WORD>(data_[offset_] | data_[offset_ + 1] << 8);
    offset_ += 2;
    return value;
}

DWORD ResourceReader::Dword() {
    DWORD low = Word();
    DWORD high = Word();
    return low | high << 16;
}

bool ResourceReader::Skip(size_t n) {
    if (Need(n)) {
        offset_ += n;
    }
    return ok_;
}

bool ResourceReader::Align(size_t alignment) {
    size_t misalignment = offset_ % alignment;
    return misalignment == 0 || Skip(alignment - misalignment);
}

std::string ResourceReader::Text() {
    std::u16string text;
    for (;;) {
        WORD unit = Word();
        if (!ok_ || unit == 0) {
            break;
        }
        if (text.size() == kMaxTextLength) {
            ok_ = false;
            break;
        }
        text.push_back(static_cast<char16_t>(unit));
    }
    return ok_ ? ToAnsi(text) : std::string();
}

ResourceReader::NameOrOrdinal ResourceReader::NameOrOrdinalField() {
    NameOrOrdinal field;
    size_t start = offset_;
    WORD first = Word();
    if (first == 0xFFFF) {
        field.ordinal = Word();
    } else if (first != 0) {
        offset_ = start;
        field.text = Text();
    }
    return field;
}

} // namespace qv::kernel
