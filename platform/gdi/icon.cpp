// Icons kept in the GDI table, and DrawIcon.
#include "gdi/icon.h"

#include "gdi/canvas.h"
#include "gdi/objects.h"

namespace qv::gdi {

HICON CreateIconFromImage(IconImage image) {
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != static_cast<size_t>(image.width) * image.height)
        return nullptr;
    return static_cast<HICON>(AddObject(Object{Icon{std::move(image)}}));
}

const IconImage* GetIconImage(HICON icon) {
    auto lock = LockGdi();
    const Icon* found = Find<Icon>(icon);
    return found ? &found->image : nullptr;
}

bool DeleteIconImage(HICON icon) {
    auto lock = LockGdi();
    if (!Find<Icon>(icon))
        return false;
    RemoveObject(icon);
    return true;
}

} // namespace qv::gdi

using namespace qv::gdi;

BOOL WINAPI DrawIcon(HDC hDC, int X, int Y, HICON hIcon) {
    auto lock = LockGdi();
    Dc* dc = FindDc(hDC);
    const Icon* icon = Find<Icon>(hIcon);
    if (!dc)
        return FALSE;
    if (!icon) {
        SetLastError(ERROR_INVALID_CURSOR_HANDLE);
        return FALSE;
    }
    const IconImage& image = icon->image;
    const Canvas canvas = CanvasOf(*dc);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const uint32_t pixel = image.pixels[static_cast<size_t>(y) * image.width + x];
            if (const unsigned alpha = pixel >> 24)
                canvas.Blend(X + x, Y + y, pixel & 0xFFFFFF, alpha);
        }
    Accumulate(*dc, RECT{X, Y, X + image.width, Y + image.height});
    return TRUE;
}
