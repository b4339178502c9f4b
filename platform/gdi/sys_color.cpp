// The system colours of the classic Windows scheme, and their brushes.
#include "gdi/objects.h"

#include <array>

using namespace qv::gdi;

namespace {

constexpr int kColorCount = COLOR_GRADIENTINACTIVECAPTION + 3;

constexpr std::array<COLORREF, kColorCount> kClassic = {
    RGB(192, 192, 192), // COLOR_SCROLLBAR
    RGB(0, 128, 128),   // COLOR_BACKGROUND
    RGB(0, 0, 128),     // COLOR_ACTIVECAPTION
    RGB(128, 128, 128), // COLOR_INACTIVECAPTION
    RGB(192, 192, 192), // COLOR_MENU
    RGB(255, 255, 255), // COLOR_WINDOW
    RGB(0, 0, 0),       // COLOR_WINDOWFRAME
    RGB(0, 0, 0),       // COLOR_MENUTEXT
    RGB(0, 0, 0),       // COLOR_WINDOWTEXT
    RGB(255, 255, 255), // COLOR_CAPTIONTEXT
    RGB(192, 192, 192), // COLOR_ACTIVEBORDER
    RGB(192, 192, 192), // COLOR_INACTIVEBORDER
    RGB(128, 128, 128), // COLOR_APPWORKSPACE
    RGB(0, 0, 128),     // COLOR_HIGHLIGHT
    RGB(255, 255, 255), // COLOR_HIGHLIGHTTEXT
    RGB(192, 192, 192), // COLOR_BTNFACE
    RGB(128, 128, 128), // COLOR_BTNSHADOW
    RGB(128, 128, 128), // COLOR_GRAYTEXT
    RGB(0, 0, 0),       // COLOR_BTNTEXT
    RGB(192, 192, 192), // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255), // COLOR_BTNHIGHLIGHT
    RGB(0, 0, 0),       // COLOR_3DDKSHADOW
    RGB(192, 192, 192), // COLOR_3DLIGHT
    RGB(0, 0, 0),       // COLOR_INFOTEXT
    RGB(255, 255, 225), // COLOR_INFOBK
    RGB(180, 180, 180), // 25, unnamed
    RGB(0, 0, 128),     // COLOR_HOTLIGHT
    RGB(166, 202, 240), // COLOR_GRADIENTACTIVECAPTION
    RGB(192, 192, 192), // COLOR_GRADIENTINACTIVECAPTION
    RGB(0, 0, 128),     // COLOR_MENUHILIGHT
    RGB(192, 192, 192), // COLOR_MENUBAR
};

} // namespace

DWORD WINAPI GetSysColor(int nIndex) {
    return nIndex >= 0 && nIndex < kColorCount ? kClassic[nIndex] : 0;
}

HBRUSH WINAPI GetSysColorBrush(int nIndex) {
    if (nIndex < 0 || nIndex >= kColorCount)
        return nullptr;
    auto lock = LockGdi();
    // Made once and marked stock, so that DeleteObject leaves them alone.
    static std::array<HBRUSH, kColorCount> brushes{};
    if (!brushes[nIndex]) {
        Object brush{Brush{BS_SOLID, kClassic[nIndex]}};
        brush.stock = true;
        brushes[nIndex] = static_cast<HBRUSH>(AddObject(std::move(brush)));
    }
    return brushes[nIndex];
}
