// Lines, rectangles, pixels and blits.
#include "gdi/canvas.h"
#include "gdi/objects.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

using namespace qv::gdi;

namespace {

// A ternary raster operation from its index byte: each bit says the result for one combination
// of pattern, source and destination bits.
uint32_t Rop3(DWORD rop, uint32_t pattern, uint32_t source, uint32_t dest) {
    const unsigned code = rop >> 16 & 0xFF;
    uint32_t out = 0;
    for (unsigned i = 0; i < 8; ++i)
        if (code & (1u << i))
            out |= ((i & 4) ? pattern : ~pattern) & ((i & 2) ? source : ~source) &
                   ((i & 1) ? dest : ~dest);
    return out & 0xFFFFFF;
}

bool UsesSource(DWORD rop) { return (((rop >> 18) ^ (rop >> 16)) & 0x33) != 0; }
bool UsesPattern(DWORD rop) { return (((rop >> 20) ^ (rop >> 16)) & 0x0F) != 0; }

RECT Normalized(int left, int top, int right, int bottom) {
    return RECT{std::min(left, right), std::min(top, bottom), std::max(left, right),
                std::max(top, bottom)};
}

// The pixels of a line from (x0, y0) towards (x1, y1), the end point left out as on Windows.
template <class F> void WalkLine(int x0, int y0, int x1, int y1, F plot) {
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    while (x0 != x1 || y0 != y1) {
        plot(x0, y0);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

// Dash lengths of the styled one-pixel pens: on, off, on, off...
std::vector<int> DashesOf(int style) {
    switch (style) {
    case PS_DASH: return {18, 6};
    case PS_DOT: return {3, 3};
    case PS_DASHDOT: return {9, 6, 3, 6};
    case PS_DASHDOTDOT: return {9, 3, 3, 3, 3, 3};
    default: return {};
    }
}

// Strokes lines with the DC's pen; the dash pattern runs on across the segments of one call.
class Stroker {
public:
    Stroker(Dc& dc) : dc_(dc), canvas_(CanvasOf(dc)) {
        if (const Pen* pen = Find<Pen>(dc.state.pen)) {
            pen_ = *pen;
            valid_ = pen->style != PS_NULL;
            if (pen_.width == 1)
                dashes_ = DashesOf(pen_.style);
        }
    }

    bool Draws() const { return valid_; }

    void Segment(int x0, int y0, int x1, int y1) {
        if (!valid_)
            return;
        const int half = pen_.width / 2;
        WalkLine(x0, y0, x1, y1, [&](int x, int y) {
            const bool on = Advance();
            if (!on && dc_.state.bkMode == TRANSPARENT)
                return;
            const uint32_t pixel = ToPixel(on ? pen_.color : dc_.state.bkColor);
            const RECT dot{x - half, y - half, x - half + pen_.width, y - half + pen_.width};
            canvas_.Fill(dot, pixel);
            Accumulate(dc_, dot);
        });
    }

    int Width() const { return pen_.width; }
    int Style() const { return pen_.style; }

private:
    bool Advance() {
        if (dashes_.empty())
            return true;
        const bool on = dash_ % 2 == 0;
        if (++step_ >= dashes_[dash_]) {
            step_ = 0;
            dash_ = (dash_ + 1) % dashes_.size();
        }
        return on;
    }

    Dc& dc_;
    Canvas canvas_;
    Pen pen_;
    bool valid_ = false;
    std::vector<int> dashes_;
    size_t dash_ = 0;
    int step_ = 0;
};

} // namespace

int WINAPI FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
    auto lock = LockGdi();
    Dc* dc = FindDc(hDC);
    uint32_t pixel = 0;
    if (!dc || !lprc)
        return 0;
    if (!BrushPixel(hbr, pixel))
        return Find<Brush>(hbr) ? 1 : 0;
    CanvasOf(*dc).Fill(*lprc, pixel);
    Accumulate(*dc, *lprc);
    return 1;
}

int WINAPI FrameRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
    auto lock = LockGdi();
    Dc* dc = FindDc(hDC);
    uint32_t pixel = 0;
    if (!dc || !lprc)
        return 0;
    if (!BrushPixel(hbr, pixel))
        return Find<Brush>(hbr) ? 1 : 0;
    const RECT& r = *lprc;
    if (r.right <= r.left || r.bottom <= r.top)
        return 1;
    const Canvas canvas = CanvasOf(*dc);
    canvas.Fill(RECT{r.left, r.top, r.right, r.top + 1}, pixel);
    canvas.Fill(RECT{r.left, r.bottom - 1, r.right, r.bottom}, pixel);
    canvas.Fill(RECT{r.left, r.top, r.left + 1, r.bottom}, pixel);
    canvas.Fill(RECT{r.right - 1, r.top, r.right, r.bottom}, pixel);
    Accumulate(*dc, r);
    return 1;
}

BOOL WINAPI DrawFocusRect(HDC hDC, const RECT* lprc) {
    auto lock = LockGdi();
    Dc* dc = FindDc(hDC);
    if (!dc || !lprc)
        return FALSE;
    const RECT& r = *lprc;
    if (r.right <= r.left || r.bottom <= r.top)
        return TRUE;
    // Every other pixel of the border inverted, so that drawing it twice removes it.
    const Canvas canvas = CanvasOf(*dc);
    const POINT o = dc->state.viewportOrg;
    auto invert = [&](int x, int y) {
        if (((x + o.x + y + o.y) & 1) == 0)
            canvas.Each(RECT{x, y, x + 1, y + 1}, [](uint32_t p) { return ~p; });
    };
    for (int x = r.left; x < r.right; ++x) {
        invert(x, r.top);
        if (r.bottom - 1 > r.top)
            invert(x, r.bottom - 1);
    }
    for (int y = r.top + 1; y < r.bottom - 1; ++y) {
        invert(r.left, y);
        if (r.right - 1 > r.left)
            invert(r.right - 1, y);
    }
    Accumulate(*dc, r);
    return TRUE;
}

BOOL WINAPI MoveToEx(HDC hdc, int x, int y, LPPOINT lppt) {
    return WithDc(hdc, FALSE, [&](Dc& dc) {
        if (lppt)
            *lppt = dc.state.position;
        dc.state.position = {x, y};
        return TRUE;
    });
}

BOOL WINAPI GetCurrentPositionEx(HDC hdc, LPPOINT lppt) {
    return WithDc(hdc, FALSE, [&](Dc& dc) {
        if (!lppt)
            return FALSE;
        *lppt = dc.state.position;
        return TRUE;
    });
}

BOOL WINAPI LineTo(HDC hdc, int x, int y) {
    return WithDc(hdc, FALSE, [&](Dc& dc) {
        Stroker(dc).Segment(dc.state.position.x, dc.state.position.y, x, y);
        dc.state.position = {x, y};
        return TRUE;
    });
}

BOOL WINAPI Rectangle(HDC hdc, int left, int top, int right, int bottom) {
    return WithDc(hdc, FALSE, [&](Dc& dc) {
        RECT r = Normalized(left, top, right, bottom);
        Stroker stroker(dc);
        uint32_t pixel = 0;
        const bool filled = BrushPixel(dc.state.brush, pixel);
        const Canvas canvas = CanvasOf(dc);
        if (!stroker.Draws()) {
            // Without a pen the figure is a pixel smaller on the right and at the bottom.
            const RECT inside{r.left, r.top, r.right - 1, r.bottom - 1};
            if (filled) {
                canvas.Fill(inside, pixel);
                Accumulate(dc, inside);
            }
            return TRUE;
        }
        if (stroker.Style() == PS_INSIDEFRAME && stroker.Width() > 1) {
            const int inset = stroker.Width() / 2;
            r = RECT{r.left + inset, r.top + inset, r.right - (stroker.Width() - inset) + 1,
                     r.bottom - (stroker.Width() - inset) + 1};
        }
        if (filled) {
            const RECT inside{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
            canvas.Fill(inside, pixel);
            Accumulate(dc, inside);
        }
        if (r.right - r.left < 1 || r.bottom - r.top < 1)
            return TRUE;
        const int l = r.left, t = r.top, rr = r.right - 1, b = r.bottom - 1;
        if (l == rr) {
            stroker.Segment(l, t, l, b + 1);
            return TRUE;
        }
        if (t == b) {
            stroker.Segment(l, t, rr + 1, t);
            return TRUE;
        }
        stroker.Segment(l, t, rr, t);
        stroker.Segment(rr, t, rr, b);
        stroker.Segment(rr, b, l, b);
        stroker.Segment(l, b, l, t);
        return TRUE;
    });
}

BOOL WINAPI PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop) {
    return WithDc(hdc, FALSE, [&](Dc& dc) {
        if (UsesSource(rop))
            return FALSE;
        uint32_t pattern = 0;
        if (UsesPattern(rop) && !BrushPixel(dc.state.brush, pattern))
            return TRUE;
        const RECT r = Normalized(x, y, x + w, y + h);
        CanvasOf(dc).Each(r, [&](uint32_t d) { return Rop3(rop, pattern, 0, d); });
        Accumulate(dc, r);
        return TRUE;
    });
}

COLORREF WINAPI SetPixel(HDC hdc, int x, int y, COLORREF color) {
    return WithDc(hdc, COLORREF{CLR_INVALID}, [&](Dc& dc) -> COLORREF {
        const Canvas canvas = CanvasOf(dc);
        uint32_t existing = 0;
        if (!canvas.Read(x, y, existing))
            return CLR_INVALID;
        canvas.Plot(x, y, ToPixel(color));
        Accumulate(dc, RECT{x, y, x + 1, y + 1});
        return color & 0xFFFFFF;
    });
}

COLORREF WINAPI GetPixel(HDC hdc, int x, int y) {
    return WithDc(hdc, COLORREF{CLR_INVALID}, [&](Dc& dc) -> COLORREF {
        uint32_t pixel = 0;
        return CanvasOf(dc).Read(x, y, pixel) ? ToColor(pixel) : CLR_INVALID;
    });
}

BOOL WINAPI BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop) {
    auto lock = LockGdi();
    Dc* dc = FindDc(hdc);
    if (!dc)
        return FALSE;
    const Dc* source = nullptr;
    if (UsesSource(rop) && !(source = FindDc(hdcSrc)))
        return FALSE;
    uint32_t pattern = 0;
    if (UsesPattern(rop) && !BrushPixel(dc->state.brush, pattern))
        return TRUE;
    if (cx <= 0 || cy <= 0)
        return TRUE;
    // Read the source first: source and destination may be the same surface.
    std::vector<uint32_t> pixels(static_cast<size_t>(cx) * cy);
    std::vector<bool> present(pixels.size(), !source);
    if (source) {
        const Canvas from = CanvasOf(*source);
        const RECT v = from.Visible(RECT{x1, y1, x1 + cx, y1 + cy});
        for (LONG sy = v.top; sy < v.bottom; ++sy)
            for (LONG sx = v.left; sx < v.right; ++sx) {
                const size_t at = static_cast<size_t>(sy - from.offset.y - y1) * cx +
                                  (sx - from.offset.x - x1);
                present[at] = true;
                pixels[at] = from.surface->At(sx, sy);
            }
    }
    const Canvas to = CanvasOf(*dc);
    const RECT v = to.Visible(RECT{x, y, x + cx, y + cy});
    for (LONG sy = v.top; sy < v.bottom; ++sy) {
        uint32_t* row = to.surface->pixels.data() + static_cast<size_t>(sy) * to.surface->width;
        for (LONG sx = v.left; sx < v.right; ++sx) {
            const size_t at =
                static_cast<size_t>(sy - to.offset.y - y) * cx + (sx - to.offset.x - x);
            if (present[at])
                row[sx] = rop == SRCCOPY ? pixels[at] : Rop3(rop, pattern, pixels[at], row[sx]);
        }
    }
    Accumulate(*dc, RECT{x, y, x + cx, y + cy});
    return TRUE;
}
