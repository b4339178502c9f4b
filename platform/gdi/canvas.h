// Pixel access for drawing: where a DC's logical coordinates land on its surface, clipped.
#pragma once
#include "gdi/objects.h"

#include <windows.h>

#include <cstdint>

namespace qv::gdi {

inline uint32_t ToPixel(COLORREF c) { return GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c); }
inline COLORREF ToColor(uint32_t p) { return RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF); }

// Takes logical coordinates; nothing outside the clip rectangle is touched.
struct Canvas {
    Surface* surface = nullptr;
    POINT offset{};
    RECT clip{};

    // The part of a logical rectangle that may be drawn, in surface coordinates.
    RECT Visible(const RECT& logical) const;
    Canvas ClippedTo(const RECT& logical) const;
    void Fill(const RECT& logical, uint32_t pixel) const;
    void Plot(int x, int y, uint32_t pixel) const;
    void Blend(int x, int y, uint32_t pixel, unsigned alpha) const;
    bool Read(int x, int y, uint32_t& pixel) const;
    template <class F> void Each(const RECT& logical, F change) const {
        const RECT r = Visible(logical);
        for (LONG y = r.top; y < r.bottom; ++y) {
            uint32_t* row = surface->pixels.data() + static_cast<size_t>(y) * surface->width;
            for (LONG x = r.left; x < r.right; ++x)
                row[x] = change(row[x]) & 0xFFFFFF;
        }
    }
};

Canvas CanvasOf(const Dc& dc);

// Adds a logical rectangle to the DC's bounds when accumulation is on.
void Accumulate(Dc& dc, const RECT& logical);

// A brush handle's colour, also for the system colour form (COLOR_* + 1); false for a hollow
// or invalid brush.
bool BrushPixel(HBRUSH brush, uint32_t& pixel);

} // namespace qv::gdi
