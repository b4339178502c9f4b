#include "gdi/canvas.h"

#include <algorithm>
#include <cstdint>

namespace qv::gdi {

RECT Canvas::Visible(const RECT& logical) const {
    if (!surface)
        return RECT{};
    // 64 bits, so that huge logical rectangles cannot overflow on the way.
    const int64_t left = std::max<int64_t>(int64_t{logical.left} + offset.x, clip.left);
    const int64_t top = std::max<int64_t>(int64_t{logical.top} + offset.y, clip.top);
    const int64_t right = std::min<int64_t>(int64_t{logical.right} + offset.x, clip.right);
    const int64_t bottom = std::min<int64_t>(int64_t{logical.bottom} + offset.y, clip.bottom);
    if (right <= left || bottom <= top)
        return RECT{};
    return RECT{static_cast<LONG>(left), static_cast<LONG>(top), static_cast<LONG>(right),
                static_cast<LONG>(bottom)};
}

Canvas Canvas::ClippedTo(const RECT& logical) const {
    Canvas narrower = *this;
    narrower.clip = Visible(logical);
    return narrower;
}

void Canvas::Fill(const RECT& logical, uint32_t pixel) const {
    Each(logical, [pixel](uint32_t) { return pixel; });
}

void Canvas::Plot(int x, int y, uint32_t pixel) const { Fill(RECT{x, y, x + 1, y + 1}, pixel); }

void Canvas::Blend(int x, int y, uint32_t pixel, unsigned alpha) const {
    Each(RECT{x, y, x + 1, y + 1}, [pixel, alpha](uint32_t dst) {
        uint32_t out = 0;
        for (int shift = 0; shift <= 16; shift += 8) {
            const unsigned d = dst >> shift & 0xFF;
            const unsigned s = pixel >> shift & 0xFF;
            out |= ((s * alpha + d * (255 - alpha) + 127) / 255) << shift;
        }
        return out;
    });
}

bool Canvas::Read(int x, int y, uint32_t& pixel) const {
    const RECT r = Visible(RECT{x, y, x + 1, y + 1});
    if (r.right <= r.left)
        return false;
    pixel = surface->At(r.left, r.top);
    return true;
}

Canvas CanvasOf(const Dc& dc) {
    Canvas canvas;
    if (dc.display) {
        canvas.surface = dc.target.surface.get();
        canvas.offset = {dc.target.origin.x + dc.state.viewportOrg.x,
                         dc.target.origin.y + dc.state.viewportOrg.y};
        canvas.clip = dc.target.clip;
    } else if (Bitmap* bitmap = Find<Bitmap>(dc.state.bitmap)) {
        canvas.surface = bitmap->surface.get();
        canvas.offset = dc.state.viewportOrg;
        canvas.clip = {0, 0, bitmap->surface->width, bitmap->surface->height};
    }
    if (canvas.surface) {
        canvas.clip.left = std::max<LONG>(canvas.clip.left, 0);
        canvas.clip.top = std::max<LONG>(canvas.clip.top, 0);
        canvas.clip.right = std::min<LONG>(canvas.clip.right, canvas.surface->width);
        canvas.clip.bottom = std::min<LONG>(canvas.clip.bottom, canvas.surface->height);
    }
    return canvas;
}

void Accumulate(Dc& dc, const RECT& logical) {
    if (!dc.boundsEnabled || logical.right <= logical.left || logical.bottom <= logical.top)
        return;
    const RECT device{logical.left + dc.state.viewportOrg.x, logical.top + dc.state.viewportOrg.y,
                      logical.right + dc.state.viewportOrg.x,
                      logical.bottom + dc.state.viewportOrg.y};
    if (dc.bounds.right <= dc.bounds.left || dc.bounds.bottom <= dc.bounds.top) {
        dc.bounds = device;
        return;
    }
    dc.bounds.left = std::min(dc.bounds.left, device.left);
    dc.bounds.top = std::min(dc.bounds.top, device.top);
    dc.bounds.right = std::max(dc.bounds.right, device.right);
    dc.bounds.bottom = std::max(dc.bounds.bottom, device.bottom);
}

bool BrushPixel(HBRUSH brush, uint32_t& pixel) {
    const auto value = reinterpret_cast<uintptr_t>(brush);
    if (value >= 1 && value <= COLOR_GRADIENTINACTIVECAPTION + 1) {
        pixel = ToPixel(GetSysColor(static_cast<int>(value - 1)));
        return true;
    }
    const Brush* found = Find<Brush>(brush);
    if (!found || found->style == BS_NULL)
        return false;
    pixel = ToPixel(found->color);
    return true;
}

} // namespace qv::gdi
