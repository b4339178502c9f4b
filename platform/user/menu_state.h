// What a front end or the test desktop reads of the menu that is open: its popups from the first
// to the deepest submenu, their windows (class "#32768"), items and highlight.
#pragma once
#include <string>
#include <vector>
#include <windows.h>

namespace qv::user {

struct OpenMenuItem {
    std::string text; // as given: '&' before the mnemonic, accelerator text after a tab
    UINT id = 0;      // 0 for separators; for an item that opens a submenu, see submenu
    UINT type = 0;    // MF_SEPARATOR, MF_BITMAP, MF_OWNERDRAW, ...
    UINT state = 0;   // MF_GRAYED, MF_DISABLED, MF_CHECKED, MF_DEFAULT
    HMENU submenu = nullptr;
    RECT rect{}; // on the screen
};

struct OpenMenu {
    HMENU menu = nullptr;
    HWND window = nullptr;
    HWND owner = nullptr;
    bool systemMenu = false;
    int highlighted = -1; // index into items, -1 for none
    std::vector<OpenMenuItem> items;
};

// The open popups, first the one TrackPopupMenu (or the system menu) opened; empty when no menu
// is open. Safe to call from any thread.
std::vector<OpenMenu> OpenMenus();

} // namespace qv::user
