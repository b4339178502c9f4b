// Menu objects behind HMENU handles. Guarded by the window manager's lock (LockUser()).
#pragma once
#include <memory>
#include <string>
#include <vector>
#include <windows.h>

namespace qv::user {

struct MenuEntry {
    UINT type = MF_STRING; // MF_SEPARATOR, MF_BITMAP, MF_OWNERDRAW, MF_MENUBREAK, ... (no MF_POPUP)
    UINT state = 0;        // MF_GRAYED, MF_DISABLED, MF_CHECKED, MF_HILITE, MF_DEFAULT
    UINT id = 0; // for an item that opens a submenu: the submenu's handle, as Windows keeps it
    HMENU submenu = nullptr;
    std::string text;
    ULONG_PTR data = 0;

    bool IsSeparator() const { return (type & MF_SEPARATOR) != 0; }
    bool IsEnabled() const { return !(state & (MF_GRAYED | MF_DISABLED)); }
};

struct Menu {
    HMENU handle = nullptr;
    bool popup = false;          // CreatePopupMenu rather than CreateMenu
    HWND systemMenuOf = nullptr; // the window whose system menu this is
    std::vector<MenuEntry> items;
};

// All of these need the lock held.
Menu* FindMenu(HMENU menu);
// As FindMenu, but sets ERROR_INVALID_MENU_HANDLE when there is none.
Menu* CheckMenu(HMENU menu);
HMENU NewMenu(bool popup);
// Destroys the menu and, as Windows does, every submenu it holds.
void FreeMenu(HMENU menu);

// Frees the system menus of windows that no longer exist.
void FreeOrphanSystemMenus();

// An item found by command (searching submenus first, as Windows does) or by position.
struct FoundItem {
    Menu* menu = nullptr;
    size_t index = 0;
    MenuEntry& entry() const { return menu->items[index]; }
};
bool FindItem(Menu& menu, UINT item, bool byPosition, FoundItem* found);

// A new item from the flags and arguments of AppendMenuA, InsertMenuA and ModifyMenuA.
MenuEntry EntryFromFlags(UINT flags, UINT_PTR idOrSubmenu, LPCSTR content);

} // namespace qv::user
