// Pictures in memory that windows paint into, and the device contexts that draw on them.
// The window manager owns one surface per top-level window; the desktop composes them.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qv::gdi {

// 32 bits a pixel, 0x00RRGGBB (the byte order of a 32-bit Windows DIB), rows top to bottom.
struct Surface {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    void Resize(int w, int h, uint32_t fill = 0);
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Where a window's device context draws: the surface, the point of the surface that is the
// DC's (0, 0), and the rectangle (surface coordinates) outside which nothing is drawn.
struct DisplayTarget {
    std::shared_ptr<Surface> surface;
    POINT origin{};
    RECT clip{};
};

// A device context on a surface, with the default attributes of a new window DC.
HDC CreateDisplayDC(const DisplayTarget& target);
// Frees a DC made by CreateDisplayDC; false for any other handle.
bool DeleteDisplayDC(HDC hdc);

// Writes the surface as a PNG file; false when the file cannot be written.
bool WritePng(const Surface& surface, const std::string& path);

} // namespace qv::gdi
