// DrawEdge: the classic three-dimensional borders of buttons, frames and separators.
#include "gdi/canvas.h"
#include "gdi/objects.h"

using namespace qv::gdi;

namespace {

// Flags that winuser.h does not name yet, with their Windows values.
constexpr UINT kMiddle = 0x0800;
constexpr UINT kSoft = 0x1000;
constexpr UINT kFlat = 0x4000;
constexpr UINT kMono = 0x8000;

struct Ring {
    int topLeft;
    int bottomRight;
};

// One ring of the edge: the outer or the inner border, with its pair of system colours.
bool RingOf(UINT edge, bool outer, UINT flags, Ring& ring) {
    const UINT raised = outer ? BDR_RAISEDOUTER : BDR_RAISEDINNER;
    const UINT sunken = outer ? BDR_SUNKENOUTER : BDR_SUNKENINNER;
    if (!(edge & (raised | sunken)))
        return false;
    if (flags & kMono) {
        ring = {COLOR_WINDOWFRAME, COLOR_WINDOWFRAME};
        if (!outer)
            ring = {COLOR_WINDOW, COLOR_WINDOW};
        return true;
    }
    if (flags & kFlat) {
        ring = outer ? Ring{COLOR_BTNSHADOW, COLOR_BTNSHADOW} : Ring{COLOR_BTNFACE, COLOR_BTNFACE};
        return true;
    }
    const bool soft = (flags & kSoft) != 0;
    if (edge & raised)
        ring = outer ? Ring{soft ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT, COLOR_3DDKSHADOW}
                     : Ring{soft ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW};
    else
        ring = outer ? Ring{soft ? COLOR_3DDKSHADOW : COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT}
                     : Ring{soft ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW, COLOR_3DLIGHT};
    return true;
}

} // namespace

BOOL WINAPI DrawEdge(HDC hdc, LPRECT qrc, UINT edge, UINT grfFlags) {
    auto lock = LockGdi();
    Dc* dc = FindDc(hdc);
    if (!dc || !qrc)
        return FALSE;
    const Canvas canvas = CanvasOf(*dc);
    RECT r = *qrc;
    Accumulate(*dc, r);
    for (bool outer : {true, false}) {
        Ring ring{};
        if (!RingOf(edge, outer, grfFlags, ring))
            continue;
        const uint32_t light = ToPixel(GetSysColor(ring.topLeft));
        const uint32_t dark = ToPixel(GetSysColor(ring.bottomRight));
        // Top and left first; bottom and right then take the corners they share.
        if (grfFlags & BF_TOP)
            canvas.Fill(RECT{r.left, r.top, r.right, r.top + 1}, light);
        if (grfFlags & BF_LEFT)
            canvas.Fill(RECT{r.left, r.top, r.left + 1, r.bottom}, light);
        if (grfFlags & BF_BOTTOM)
            canvas.Fill(RECT{r.left, r.bottom - 1, r.right, r.bottom}, dark);
        if (grfFlags & BF_RIGHT)
            canvas.Fill(RECT{r.right - 1, r.top, r.right, r.bottom}, dark);
        r.left += (grfFlags & BF_LEFT) ? 1 : 0;
        r.top += (grfFlags & BF_TOP) ? 1 : 0;
        r.right -= (grfFlags & BF_RIGHT) ? 1 : 0;
        r.bottom -= (grfFlags & BF_BOTTOM) ? 1 : 0;
    }
    if (grfFlags & kMiddle)
        canvas.Fill(r, ToPixel(GetSysColor((grfFlags & kMono) ? COLOR_WINDOW : COLOR_BTNFACE)));
    if (grfFlags & BF_ADJUST)
        *qrc = r;
    return TRUE;
}
