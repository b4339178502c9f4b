// Pens, brushes and bitmaps, and the calls common to every GDI object.
#include "gdi/canvas.h"
#include "gdi/objects.h"

#include <algorithm>
#include <cstring>
#include <utility>

using namespace qv::gdi;

namespace {

template <class T> int CopyOut(const T& value, int size, LPVOID out) {
    if (!out)
        return sizeof(T);
    if (size < static_cast<int>(sizeof(T)))
        return 0;
    std::memcpy(out, &value, sizeof(T));
    return sizeof(T);
}

HGDIOBJ SelectInto(HDC hdc, Dc& dc, HGDIOBJ h, Object& object) {
    HGDIOBJ previous = nullptr;
    if (std::holds_alternative<Pen>(object.data))
        previous = std::exchange(dc.state.pen, static_cast<HPEN>(h));
    else if (std::holds_alternative<Brush>(object.data))
        previous = std::exchange(dc.state.brush, static_cast<HBRUSH>(h));
    else if (std::holds_alternative<Font>(object.data))
        previous = std::exchange(dc.state.font, static_cast<HFONT>(h));
    else if (std::holds_alternative<Bitmap>(object.data)) {
        if (dc.display)
            return nullptr;
        // A bitmap lives in one memory DC at a time (the stock 1x1 bitmap in any number).
        bool elsewhere = false;
        ForEachDc([&](HANDLE other, Dc& d) {
            elsewhere = elsewhere || (other != hdc && d.state.bitmap == h);
        });
        if (elsewhere && !object.stock)
            return nullptr;
        previous = std::exchange(dc.state.bitmap, static_cast<HBITMAP>(h));
    } else {
        return nullptr;
    }
    ReleaseIfDeleted(previous);
    return previous;
}

HBITMAP NewBitmap(int width, int height) {
    auto surface = std::make_shared<Surface>();
    surface->Resize(width, height);
    return static_cast<HBITMAP>(AddObject(Object{Bitmap{surface}}));
}

} // namespace

HGDIOBJ WINAPI GetStockObject(int i) { return Stock(i); }

HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ h) {
    auto lock = LockGdi();
    Dc* dc = FindDc(hdc);
    Object* object = FindObject(h);
    if (!dc || !object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return SelectInto(hdc, *dc, h, *object);
}

BOOL WINAPI DeleteObject(HGDIOBJ ho) {
    auto lock = LockGdi();
    Object* object = FindObject(ho);
    if (!object || std::holds_alternative<Dc>(object->data) ||
        std::holds_alternative<Icon>(object->data)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (object->stock)
        return TRUE;
    // Windows refuses to free a bitmap selected into a DC; a pen, brush or font, and a bitmap
    // that only a saved DC state holds, go once no DC holds them any more.
    if (std::holds_alternative<Bitmap>(object->data) && IsCurrent(ho))
        return FALSE;
    if (IsSelected(ho)) {
        object->deletePending = true;
        return TRUE;
    }
    RemoveObject(ho);
    return TRUE;
}

DWORD WINAPI GetObjectType(HGDIOBJ h) {
    auto lock = LockGdi();
    const Object* object = FindObject(h);
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    struct Type {
        DWORD operator()(const Pen&) const { return OBJ_PEN; }
        DWORD operator()(const Brush&) const { return OBJ_BRUSH; }
        DWORD operator()(const Font&) const { return OBJ_FONT; }
        DWORD operator()(const Bitmap&) const { return OBJ_BITMAP; }
        DWORD operator()(const Dc& dc) const { return dc.display ? OBJ_DC : OBJ_MEMDC; }
        DWORD operator()(const Icon&) const { return 0; }
    };
    return std::visit(Type{}, object->data);
}

int WINAPI GetObjectA(HANDLE h, int c, LPVOID pv) {
    auto lock = LockGdi();
    const Object* object = FindObject(h);
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    if (const auto* bitmap = std::get_if<Bitmap>(&object->data)) {
        const Surface& s = *bitmap->surface;
        return CopyOut(BITMAP{0, s.width, s.height, s.width * 4, 1, 32, nullptr}, c, pv);
    }
    if (const auto* pen = std::get_if<Pen>(&object->data))
        return CopyOut(LOGPEN{static_cast<UINT>(pen->style), POINT{pen->width, 0}, pen->color}, c,
                       pv);
    if (const auto* brush = std::get_if<Brush>(&object->data))
        return CopyOut(LOGBRUSH{brush->style, brush->color, 0}, c, pv);
    if (const auto* font = std::get_if<Font>(&object->data)) {
        // Fonts copy as much of the LOGFONTA as the caller has room for.
        if (!pv)
            return sizeof(LOGFONTA);
        const int size = std::min<int>(c, sizeof(LOGFONTA));
        if (size <= 0)
            return 0;
        std::memcpy(pv, &font->logfont, size);
        return size;
    }
    return 0;
}

HBITMAP WINAPI CreateCompatibleBitmap(HDC hdc, int cx, int cy) {
    auto lock = LockGdi();
    if (!FindDc(hdc))
        return nullptr;
    if (cx < 0 || cy < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (cx == 0 || cy == 0)
        return DefaultBitmap();
    return NewBitmap(cx, cy);
}

HBITMAP WINAPI CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount,
                            const VOID* lpBits) {
    // Only the 32-bit layout of this display: 0x00RRGGBB pixels, rows top to bottom.
    if (nWidth < 0 || nHeight < 0 || nPlanes != 1 || nBitCount != 32) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (nWidth == 0 || nHeight == 0)
        return DefaultBitmap();
    HBITMAP bitmap = NewBitmap(nWidth, nHeight);
    if (lpBits) {
        auto lock = LockGdi();
        auto& pixels = Find<Bitmap>(bitmap)->surface->pixels;
        std::memcpy(pixels.data(), lpBits, pixels.size() * sizeof(uint32_t));
        for (uint32_t& p : pixels)
            p &= 0xFFFFFF;
    }
    return bitmap;
}

HBRUSH WINAPI CreateSolidBrush(COLORREF color) {
    return static_cast<HBRUSH>(AddObject(Object{Brush{BS_SOLID, color & 0xFFFFFF}}));
}

HBRUSH WINAPI CreateBrushIndirect(const LOGBRUSH* plbrush) {
    if (!plbrush || (plbrush->lbStyle != BS_SOLID && plbrush->lbStyle != BS_NULL)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return static_cast<HBRUSH>(
        AddObject(Object{Brush{plbrush->lbStyle, plbrush->lbColor & 0xFFFFFF}}));
}

HPEN WINAPI CreatePen(int iStyle, int cWidth, COLORREF color) {
    if (iStyle < PS_SOLID || iStyle > PS_INSIDEFRAME) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const int width = cWidth < 1 ? 1 : cWidth;
    return static_cast<HPEN>(AddObject(Object{Pen{iStyle, width, color & 0xFFFFFF}}));
}

HPEN WINAPI CreatePenIndirect(const LOGPEN* plpen) {
    if (!plpen) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return CreatePen(static_cast<int>(plpen->lopnStyle), plpen->lopnWidth.x, plpen->lopnColor);
}
