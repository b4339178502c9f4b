// Icons as the platform holds them: a picture with alpha, behind an HICON.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

namespace qv::gdi {

// 0xAARRGGBB, rows top to bottom; alpha 0 is transparent.
struct IconImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
};

// A new icon handle that owns the image.
HICON CreateIconFromImage(IconImage image);
// The image behind an icon handle, or null for a handle that is not a live icon.
const IconImage* GetIconImage(HICON icon);

} // namespace qv::gdi

namespace qv::gdi {

// Frees an icon made by CreateIconFromImage (DestroyIcon's work); false for any other handle.
bool DeleteIconImage(HICON icon);

} // namespace qv::gdi
