#include "desktop/screen.h"

#include "user/window.h"

#include <algorithm>

namespace qv::desktop {
namespace {

uint32_t ToPixel(COLORREF c) {
    return (static_cast<uint32_t>(GetRValue(c)) << 16) | (static_cast<uint32_t>(GetGValue(c)) << 8) |
           GetBValue(c);
}

void Blit(gdi::Surface& screen, const gdi::Surface& picture, POINT at) {
    for (int y = 0; y < picture.height; ++y) {
        int sy = at.y + y;
        if (sy < 0 || sy >= screen.height)
            continue;
        int x0 = std::max(0, -at.x);
        int x1 = std::min(picture.width, screen.width - at.x);
        if (x1 <= x0)
            continue;
        std::copy_n(&picture.pixels[static_cast<size_t>(y) * picture.width + x0], x1 - x0,
                    &screen.pixels[static_cast<size_t>(sy) * screen.width + at.x + x0]);
    }
}

} // namespace

void ComposeScreen(gdi::Surface& screen) {
    COLORREF background = GetSysColor(COLOR_BACKGROUND);
    auto lock = user::LockUser();
    auto& state = user::State();
    screen.Resize(state.screen.cx, state.screen.cy, ToPixel(background));
    std::fill(screen.pixels.begin(), screen.pixels.end(), ToPixel(background));
    user::Window* desktop = user::FindWindowObject(state.desktop);
    // Children are kept top first; paint from the bottom up.
    for (auto it = desktop->children.rbegin(); it != desktop->children.rend(); ++it) {
        user::Window* w = user::FindWindowObject(*it);
        if (w && (w->style & WS_VISIBLE) && w->surface)
            Blit(screen, *w->surface, POINT{w->rect.left, w->rect.top});
    }
}

bool WriteScreenshot(const std::string& path) {
    gdi::Surface screen;
    ComposeScreen(screen);
    return gdi::WritePng(screen, path);
}

} // namespace qv::desktop
