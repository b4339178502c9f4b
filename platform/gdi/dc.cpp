// Device contexts: making and freeing them, their attributes, and SaveDC/RestoreDC.
#include "gdi/dc.h"

#include "gdi/canvas.h"

#include <algorithm>
#include <utility>

using namespace qv::gdi;

namespace qv::gdi {

HDC AddDc(Dc dc) {
    dc.state.pen = static_cast<HPEN>(Stock(BLACK_PEN));
    dc.state.brush = static_cast<HBRUSH>(Stock(WHITE_BRUSH));
    dc.state.font = static_cast<HFONT>(Stock(SYSTEM_FONT));
    if (!dc.display)
        dc.state.bitmap = DefaultBitmap();
    return static_cast<HDC>(AddObject(Object{std::move(dc)}));
}

void RemoveDc(HDC hdc) {
    const Dc* dc = Find<Dc>(hdc);
    std::vector<HANDLE> held;
    auto collect = [&held](const DcState& s) {
        held.insert(held.end(), {s.pen, s.brush, s.font, s.bitmap});
    };
    collect(dc->state);
    std::for_each(dc->saved.begin(), dc->saved.end(), collect);
    RemoveObject(hdc);
    for (HANDLE handle : held)
        ReleaseIfDeleted(handle);
}

} // namespace qv::gdi

namespace {

bool IsEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

UINT BoundsState(const Dc& dc) {
    return (IsEmpty(dc.bounds) ? DCB_RESET : DCB_SET) |
           (dc.boundsEnabled ? DCB_ENABLE : DCB_DISABLE);
}

} // namespace

HDC WINAPI CreateCompatibleDC(HDC hdc) {
    auto lock = LockGdi();
    if (hdc && !FindDc(hdc))
        return nullptr;
    return AddDc(Dc{});
}

BOOL WINAPI DeleteDC(HDC hdc) {
    auto lock = LockGdi();
    Dc* dc = FindDc(hdc);
    // Window DCs belong to the window manager (ReleaseDC), not to DeleteDC.
    if (!dc || dc->display)
        return FALSE;
    RemoveDc(hdc);
    return TRUE;
}

int WINAPI SaveDC(HDC hdc) {
    return WithDc(hdc, 0, [](Dc& dc) {
        dc.saved.push_back(dc.state);
        return static_cast<int>(dc.saved.size());
    });
}

BOOL WINAPI RestoreDC(HDC hdc, int nSavedDC) {
    auto lock = LockGdi();
    Dc* dc = FindDc(hdc);
    if (!dc)
        return FALSE;
    const int depth = static_cast<int>(dc->saved.size());
    const int level = nSavedDC < 0 ? depth + nSavedDC + 1 : nSavedDC;
    if (nSavedDC == 0 || level < 1 || level > depth)
        return FALSE;
    std::vector<HANDLE> displaced{dc->state.pen, dc->state.brush, dc->state.font, dc->state.bitmap};
    for (auto s = dc->saved.begin() + level; s != dc->saved.end(); ++s)
        displaced.insert(displaced.end(), {s->pen, s->brush, s->font, s->bitmap});
    dc->state = dc->saved[level - 1];
    dc->saved.resize(level - 1);
    for (HANDLE handle : displaced)
        ReleaseIfDeleted(handle);
    return TRUE;
}

int WINAPI GetDeviceCaps(HDC hdc, int index) {
    return WithDc(hdc, 0, [index](Dc& dc) {
        const Canvas canvas = CanvasOf(dc);
        const int width = canvas.surface ? canvas.surface->width : 0;
        const int height = canvas.surface ? canvas.surface->height : 0;
        switch (index) {
        case TECHNOLOGY: return DT_RASDISPLAY;
        case HORZRES: return width;
        case VERTRES: return height;
        case HORZSIZE: return width * 254 / 960;
        case VERTSIZE: return height * 254 / 960;
        case BITSPIXEL: return 32;
        case PLANES: return 1;
        case NUMCOLORS: return -1;
        case ASPECTX:
        case ASPECTY: return 36;
        case ASPECTXY: return 51;
        case LOGPIXELSX:
        case LOGPIXELSY: return 96;
        case COLORRES: return 24;
        default: return 0;
        }
    });
}

HGDIOBJ WINAPI GetCurrentObject(HDC hdc, UINT type) {
    return WithDc(hdc, HGDIOBJ{}, [type](Dc& dc) -> HGDIOBJ {
        switch (type) {
        case OBJ_PEN: return dc.state.pen;
        case OBJ_BRUSH: return dc.state.brush;
        case OBJ_FONT: return dc.state.font;
        case OBJ_BITMAP: return dc.state.bitmap;
        default: return nullptr;
        }
    });
}

int WINAPI SetMapMode(HDC hdc, int iMode) {
    // Only MM_TEXT maps coordinates here; the other modes are refused rather than ignored.
    if (iMode != MM_TEXT) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return WithDc(hdc, 0, [iMode](Dc& dc) { return std::exchange(dc.state.mapMode, iMode); });
}

int WINAPI GetMapMode(HDC hdc) {
    return WithDc(hdc, 0, [](Dc& dc) { return dc.state.mapMode; });
}

int WINAPI SetBkMode(HDC hdc, int mode) {
    if (mode != TRANSPARENT && mode != OPAQUE) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return WithDc(hdc, 0, [mode](Dc& dc) { return std::exchange(dc.state.bkMode, mode); });
}

int WINAPI GetBkMode(HDC hdc) {
    return WithDc(hdc, 0, [](Dc& dc) { return dc.state.bkMode; });
}

COLORREF WINAPI SetBkColor(HDC hdc, COLORREF color) {
    return WithDc(hdc, COLORREF{CLR_INVALID},
                  [color](Dc& dc) { return std::exchange(dc.state.bkColor, color); });
}

COLORREF WINAPI GetBkColor(HDC hdc) {
    return WithDc(hdc, COLORREF{CLR_INVALID}, [](Dc& dc) { return dc.state.bkColor; });
}

COLORREF WINAPI SetTextColor(HDC hdc, COLORREF color) {
    return WithDc(hdc, COLORREF{CLR_INVALID},
                  [color](Dc& dc) { return std::exchange(dc.state.textColor, color); });
}

COLORREF WINAPI GetTextColor(HDC hdc) {
    return WithDc(hdc, COLORREF{CLR_INVALID}, [](Dc& dc) { return dc.state.textColor; });
}

UINT WINAPI SetTextAlign(HDC hdc, UINT align) {
    return WithDc(hdc, UINT{GDI_ERROR},
                  [align](Dc& dc) { return std::exchange(dc.state.textAlign, align); });
}

UINT WINAPI GetTextAlign(HDC hdc) {
    return WithDc(hdc, UINT{GDI_ERROR}, [](Dc& dc) { return dc.state.textAlign; });
}

BOOL WINAPI SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
    return WithDc(hdc, FALSE, [&](Dc& dc) {
        if (lppt)
            *lppt = dc.state.viewportOrg;
        dc.state.viewportOrg = {x, y};
        return TRUE;
    });
}

BOOL WINAPI GetViewportOrgEx(HDC hdc, LPPOINT lppoint) {
    return WithDc(hdc, FALSE, [&](Dc& dc) {
        if (!lppoint)
            return FALSE;
        *lppoint = dc.state.viewportOrg;
        return TRUE;
    });
}

BOOL WINAPI OffsetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
    return WithDc(hdc, FALSE, [&](Dc& dc) {
        if (lppt)
            *lppt = dc.state.viewportOrg;
        dc.state.viewportOrg.x += x;
        dc.state.viewportOrg.y += y;
        return TRUE;
    });
}

UINT WINAPI SetBoundsRect(HDC hdc, const RECT* lprect, UINT flags) {
    return WithDc(hdc, UINT{0}, [&](Dc& dc) {
        const UINT previous = BoundsState(dc);
        if (flags & DCB_RESET)
            dc.bounds = RECT{};
        if ((flags & DCB_ACCUMULATE) && lprect) {
            const bool enabled = dc.boundsEnabled;
            dc.boundsEnabled = true;
            Accumulate(dc, *lprect);
            dc.boundsEnabled = enabled;
        }
        if (flags & DCB_ENABLE)
            dc.boundsEnabled = true;
        if (flags & DCB_DISABLE)
            dc.boundsEnabled = false;
        return previous;
    });
}

UINT WINAPI GetBoundsRect(HDC hdc, LPRECT lprect, UINT flags) {
    return WithDc(hdc, UINT{0}, [&](Dc& dc) -> UINT {
        if (!lprect)
            return 0;
        const UINT state = BoundsState(dc);
        const POINT o = dc.state.viewportOrg;
        *lprect = IsEmpty(dc.bounds) ? RECT{}
                                     : RECT{dc.bounds.left - o.x, dc.bounds.top - o.y,
                                            dc.bounds.right - o.x, dc.bounds.bottom - o.y};
        if (flags & DCB_RESET)
            dc.bounds = RECT{};
        return state;
    });
}
