// Surfaces, the DCs that window painting draws with, and screenshots of surfaces.
#include "gdi/display.h"

#include "gdi/dc.h"
#include "gdi/png_file.h"

namespace qv::gdi {

void Surface::Resize(int w, int h, uint32_t fill) {
    width = w < 0 ? 0 : w;
    height = h < 0 ? 0 : h;
    pixels.assign(static_cast<size_t>(width) * height, fill & 0xFFFFFF);
}

HDC CreateDisplayDC(const DisplayTarget& target) {
    if (!target.surface)
        return nullptr;
    auto lock = LockGdi();
    Dc dc;
    dc.display = true;
    dc.target = target;
    return AddDc(std::move(dc));
}

bool DeleteDisplayDC(HDC hdc) {
    auto lock = LockGdi();
    const Dc* dc = Find<Dc>(hdc);
    if (!dc || !dc->display)
        return false;
    RemoveDc(hdc);
    return true;
}

bool WritePng(const Surface& surface, const std::string& path) {
    return WritePngFile(path, surface.width, surface.height, surface.pixels.data());
}

} // namespace qv::gdi
