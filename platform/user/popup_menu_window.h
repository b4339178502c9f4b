// The popup menu window (class "#32768"): its size, item layout and painting in the classic look.
#pragma once
#include <string>
#include <vector>
#include <windows.h>

namespace qv::user {

inline constexpr char kPopupMenuClass[] = "#32768";

// Registers the class on first use; false when it cannot be registered.
bool RegisterPopupMenuClass();

// What an item shows, copied out of the menu so that it is measured and drawn without the lock.
struct ItemLook {
    std::string text;
    UINT type = 0;
    UINT state = 0;
    bool submenu = false;
};
// The items of a menu as they look now; empty when the menu is gone. Takes the lock.
std::vector<ItemLook> LookOf(HMENU menu);

struct PopupLayout {
    SIZE window{};           // the window's size, frame included
    std::vector<RECT> items; // in client coordinates
};
PopupLayout MeasurePopup(const std::vector<ItemLook>& items);

// The window's styles: the dialog frame draws the raised 3D border of a classic menu.
inline constexpr DWORD kPopupMenuStyle = WS_POPUP;
inline constexpr DWORD kPopupMenuExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME;

} // namespace qv::user
