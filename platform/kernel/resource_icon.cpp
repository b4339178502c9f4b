// Icon directories and icon images: the formats of RT_GROUP_ICON and RT_ICON.
#include "kernel/resources.h"

#include <algorithm>
#include <cstdlib>

namespace qv::kernel {

namespace {

constexpr DWORD kBiRgb = 0;
constexpr int kMaxIconSize = 256;

struct DirectoryEntry {
    int width;
    int height;
    WORD bitCount;
    WORD id;
};

size_t Stride(int width, int bits) { return (static_cast<size_t>(width) * bits + 31) / 32 * 4; }

bool Bit(const BYTE* row, int x) { return (row[x / 8] >> (7 - x % 8)) & 1; }

} // namespace

std::vector<WORD> RankIconImages(std::span<const BYTE> group, int size) {
    ResourceReader reader(group.data(), group.size());
    WORD reserved = reader.Word();
    WORD type = reader.Word();
    WORD count = reader.Word();
    if (!reader.ok() || reserved != 0 || type != 1) {
        return {};
    }
    std::vector<DirectoryEntry> entries;
    for (WORD i = 0; i < count; ++i) {
        DirectoryEntry entry{};
        // A 0 in the one-byte sizes means 256.
        entry.width = reader.Byte();
        entry.height = reader.Byte();
        entry.width = entry.width == 0 ? 256 : entry.width;
        entry.height = entry.height == 0 ? 256 : entry.height;
        reader.Byte(); // colour count
        reader.Byte(); // reserved
        reader.Word(); // planes
        entry.bitCount = reader.Word();
        reader.Dword(); // bytes in the image
        entry.id = reader.Word();
        if (!reader.ok()) {
            return {};
        }
        entries.push_back(entry);
    }
    auto distance = [size](const DirectoryEntry& e) {
        return std::abs(e.width - size) + std::abs(e.height - size);
    };
    std::stable_sort(entries.begin(), entries.end(), [&](const DirectoryEntry& a, const DirectoryEntry& b) {
        if (distance(a) != distance(b)) {
            return distance(a) < distance(b);
        }
        return a.bitCount > b.bitCount;
    });
    std::vector<WORD> ids;
    for (const DirectoryEntry& entry : entries) {
        ids.push_back(entry.id);
    }
    return ids;
}

std::optional<gdi::IconImage> DecodeIconImage(std::span<const BYTE> image) {
    ResourceReader reader(image.data(), image.size());
    DWORD headerSize = reader.Dword();
    auto width = static_cast<int32_t>(reader.Dword());
    auto doubleHeight = static_cast<int32_t>(reader.Dword());
    WORD planes = reader.Word();
    WORD bits = reader.Word();
    DWORD compression = reader.Dword();
    reader.Skip(3 * sizeof(DWORD)); // image size, resolution
    DWORD coloursUsed = reader.Dword();
    // A PNG image starts with its signature, which no header size matches.
    if (!reader.ok() || headerSize < 40 || planes != 1 || compression != kBiRgb ||
        width <= 0 || width > kMaxIconSize || doubleHeight <= 0 || doubleHeight % 2 != 0 ||
        doubleHeight / 2 > kMaxIconSize) {
        return std::nullopt;
    }
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) {
        return std::nullopt;
    }
    int height = doubleHeight / 2;
    size_t paletteSize = 0;
    if (bits <= 8) {
        size_t full = size_t{1} << bits;
        paletteSize = coloursUsed == 0 || coloursUsed > full ? full : coloursUsed;
    }
    size_t paletteOffset = headerSize;
    size_t xorOffset = paletteOffset + paletteSize * 4;
    size_t xorStride = Stride(width, bits);
    size_t andOffset = xorOffset + xorStride * height;
    size_t andStride = Stride(width, 1);
    bool hasMask = image.size() >= andOffset && image.size() - andOffset >= andStride * height;
    if (headerSize > image.size() || image.size() < andOffset) {
        return std::nullopt;
    }

    gdi::IconImage icon;
    icon.width = width;
    icon.height = height;
    icon.pixels.resize(static_cast<size_t>(width) * height);
    bool anyAlpha = false;
    const BYTE* palette = image.data() + paletteOffset;
    for (int y = 0; y < height; ++y) {
        // Rows are stored bottom-up.
        const BYTE* row = image.data() + xorOffset + xorStride * (height - 1 - y);
        for (int x = 0; x < width; ++x) {
            uint32_t pixel = 0;
            if (bits == 32 || bits == 24) {
                const BYTE* p = row + static_cast<size_t>(x) * (bits / 8);
                pixel = uint32_t{p[2]} << 16 | uint32_t{p[1]} << 8 | p[0];
                if (bits == 32) {
                    pixel |= uint32_t{p[3]} << 24;
                    anyAlpha = anyAlpha || p[3] != 0;
                }
            } else {
                size_t bitOffset = static_cast<size_t>(x) * bits;
                unsigned index = (row[bitOffset / 8] >> (8 - bits - bitOffset % 8)) & ((1u << bits) - 1);
                if (index < paletteSize) {
                    const BYTE* entry = palette + index * 4;
                    pixel = uint32_t{entry[2]} << 16 | uint32_t{entry[1]} << 8 | entry[0];
                }
            }
            icon.pixels[static_cast<size_t>(y) * width + x] = pixel;
        }
    }
    // Alpha comes from a 32-bit image's own channel; otherwise the AND mask says which pixels
    // are transparent.
    if (anyAlpha) {
        return icon;
    }
    if (!hasMask) {
        return std::nullopt;
    }
    for (int y = 0; y < height; ++y) {
        const BYTE* mask = image.data() + andOffset + andStride * (height - 1 - y);
        for (int x = 0; x < width; ++x) {
            uint32_t& pixel = icon.pixels[static_cast<size_t>(y) * width + x];
            pixel = Bit(mask, x) ? 0 : (pixel & 0x00FFFFFF) | 0xFF000000;
        }
    }
    return icon;
}

} // namespace qv::kernel
