// Building and querying menus.
#include "user/menu_table.h"
#include "user/window.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

using namespace qv::user;

namespace {

constexpr UINT kNotFound = static_cast<UINT>(-1);

// A submenu given for an item must be a menu, and not the menu it goes into.
bool CheckSubmenu(HMENU parent, UINT flags, UINT_PTR idOrSubmenu) {
    if (!(flags & MF_POPUP))
        return true;
    HMENU sub = reinterpret_cast<HMENU>(idOrSubmenu);
    if (!CheckMenu(sub))
        return false;
    if (sub == parent) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    return true;
}

bool Locate(HMENU hmenu, UINT item, UINT flags, FoundItem* found) {
    Menu* m = CheckMenu(hmenu);
    if (!m)
        return false;
    if (!FindItem(*m, item, (flags & MF_BYPOSITION) != 0, found)) {
        SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
        return false;
    }
    return true;
}

// The item flags as GetMenuState reports them.
UINT StateOf(const MenuEntry& e) {
    UINT flags = e.type | e.state;
    if (!e.submenu)
        return flags;
    Menu* sub = FindMenu(e.submenu);
    UINT count = sub ? static_cast<UINT>(sub->items.size()) : 0;
    return (count << 8) | ((flags | MF_POPUP) & 0xFF);
}

BOOL RemoveItem(HMENU hMenu, UINT uPosition, UINT uFlags, bool destroySubmenu) {
    auto lock = LockUser();
    FoundItem found;
    if (!Locate(hMenu, uPosition, uFlags, &found))
        return FALSE;
    HMENU sub = found.entry().submenu;
    found.menu->items.erase(found.menu->items.begin() + static_cast<std::ptrdiff_t>(found.index));
    if (destroySubmenu && sub)
        FreeMenu(sub);
    return TRUE;
}

size_t CopyText(const std::string& text, LPSTR buffer, size_t size) {
    if (!buffer || size == 0)
        return 0;
    size_t n = std::min(text.size(), size - 1);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return n;
}

bool ValidInfoSize(UINT size) {
    // The size before hbmpItem was added is accepted too, as Windows accepts it.
    return size == sizeof(MENUITEMINFOA) || size == offsetof(MENUITEMINFOA, hbmpItem);
}

// The default item; with GMDI_GOINTOPOPUPS, the default item of the submenu it opens when that
// has one.
UINT DefaultOf(const Menu& m, bool byPosition, UINT flags, int depth) {
    auto it = std::find_if(m.items.begin(), m.items.end(),
                           [](const MenuEntry& e) { return (e.state & MF_DEFAULT) != 0; });
    if (it == m.items.end() || (!it->IsEnabled() && !(flags & GMDI_USEDISABLED)))
        return kNotFound;
    if (it->submenu && (flags & GMDI_GOINTOPOPUPS) && depth < 16) {
        if (const Menu* sub = FindMenu(it->submenu)) {
            UINT inner = DefaultOf(*sub, byPosition, flags, depth + 1);
            if (inner != kNotFound)
                return inner;
        }
    }
    return byPosition ? static_cast<UINT>(it - m.items.begin()) : it->id;
}

} // namespace

HMENU WINAPI CreateMenu(void) {
    auto lock = LockUser();
    return NewMenu(false);
}

HMENU WINAPI CreatePopupMenu(void) {
    auto lock = LockUser();
    return NewMenu(true);
}

BOOL WINAPI DestroyMenu(HMENU hMenu) {
    auto lock = LockUser();
    if (!CheckMenu(hMenu))
        return FALSE;
    FreeMenu(hMenu);
    return TRUE;
}

BOOL WINAPI IsMenu(HMENU hMenu) {
    auto lock = LockUser();
    return CheckMenu(hMenu) != nullptr;
}

BOOL WINAPI InsertMenuA(HMENU hMenu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem,
                        LPCSTR lpNewItem) {
    auto lock = LockUser();
    Menu* m = CheckMenu(hMenu);
    if (!m || !CheckSubmenu(hMenu, uFlags, uIDNewItem))
        return FALSE;
    MenuEntry entry = EntryFromFlags(uFlags, uIDNewItem, lpNewItem);
    if (uFlags & MF_BYPOSITION) {
        // A position past the end (-1 among them) appends.
        size_t at = std::min<size_t>(uPosition, m->items.size());
        m->items.insert(m->items.begin() + static_cast<std::ptrdiff_t>(at), std::move(entry));
        return TRUE;
    }
    FoundItem found;
    if (!FindItem(*m, uPosition, false, &found)) {
        SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
        return FALSE;
    }
    auto& items = found.menu->items;
    items.insert(items.begin() + static_cast<std::ptrdiff_t>(found.index), std::move(entry));
    return TRUE;
}

BOOL WINAPI AppendMenuA(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem) {
    return InsertMenuA(hMenu, static_cast<UINT>(-1), (uFlags & ~MF_BYCOMMAND) | MF_BYPOSITION,
                       uIDNewItem, lpNewItem);
}

BOOL WINAPI ModifyMenuA(HMENU hMnu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem,
                        LPCSTR lpNewItem) {
    auto lock = LockUser();
    FoundItem found;
    if (!Locate(hMnu, uPosition, uFlags, &found) ||
        !CheckSubmenu(found.menu->handle, uFlags, uIDNewItem))
        return FALSE;
    MenuEntry& e = found.entry();
    HMENU old = e.submenu;
    e = EntryFromFlags(uFlags, uIDNewItem, lpNewItem);
    // The submenu that is replaced goes, as on Windows.
    if (old && old != e.submenu)
        FreeMenu(old);
    return TRUE;
}

BOOL WINAPI RemoveMenu(HMENU hMenu, UINT uPosition, UINT uFlags) {
    return RemoveItem(hMenu, uPosition, uFlags, false);
}

BOOL WINAPI DeleteMenu(HMENU hMenu, UINT uPosition, UINT uFlags) {
    return RemoveItem(hMenu, uPosition, uFlags, true);
}

int WINAPI GetMenuItemCount(HMENU hMenu) {
    auto lock = LockUser();
    Menu* m = CheckMenu(hMenu);
    return m ? static_cast<int>(m->items.size()) : -1;
}

UINT WINAPI GetMenuItemID(HMENU hMenu, int nPos) {
    auto lock = LockUser();
    Menu* m = CheckMenu(hMenu);
    if (!m || nPos < 0 || static_cast<size_t>(nPos) >= m->items.size())
        return kNotFound;
    const MenuEntry& e = m->items[static_cast<size_t>(nPos)];
    return e.submenu ? kNotFound : e.id;
}

HMENU WINAPI GetSubMenu(HMENU hMenu, int nPos) {
    auto lock = LockUser();
    Menu* m = CheckMenu(hMenu);
    if (!m || nPos < 0 || static_cast<size_t>(nPos) >= m->items.size())
        return nullptr;
    return m->items[static_cast<size_t>(nPos)].submenu;
}

UINT WINAPI GetMenuState(HMENU hMenu, UINT uId, UINT uFlags) {
    auto lock = LockUser();
    FoundItem found;
    if (!Locate(hMenu, uId, uFlags, &found))
        return kNotFound;
    return StateOf(found.entry());
}

int WINAPI GetMenuStringA(HMENU hMenu, UINT uIDItem, LPSTR lpString, int cchMax, UINT flags) {
    auto lock = LockUser();
    FoundItem found;
    if (!Locate(hMenu, uIDItem, flags, &found))
        return 0;
    const std::string& text = found.entry().text;
    if (!lpString || cchMax <= 0)
        return static_cast<int>(text.size());
    return static_cast<int>(CopyText(text, lpString, static_cast<size_t>(cchMax)));
}

BOOL WINAPI GetMenuItemInfoA(HMENU hmenu, UINT item, BOOL fByPosition, LPMENUITEMINFOA lpmii) {
    auto lock = LockUser();
    if (!lpmii || !ValidInfoSize(lpmii->cbSize)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    FoundItem found;
    if (!Locate(hmenu, item, fByPosition ? MF_BYPOSITION : MF_BYCOMMAND, &found))
        return FALSE;
    const MenuEntry& e = found.entry();
    if (lpmii->fMask & (MIIM_TYPE | MIIM_FTYPE))
        lpmii->fType = e.type;
    if (lpmii->fMask & MIIM_STATE)
        lpmii->fState = e.state;
    if (lpmii->fMask & MIIM_ID)
        lpmii->wID = e.id;
    if (lpmii->fMask & MIIM_SUBMENU)
        lpmii->hSubMenu = e.submenu;
    bool text =
        (lpmii->fMask & MIIM_STRING) ||
        ((lpmii->fMask & MIIM_TYPE) && !(e.type & (MF_SEPARATOR | MF_BITMAP | MF_OWNERDRAW)));
    if (text) {
        if (lpmii->dwTypeData && lpmii->cch > 0)
            lpmii->cch = static_cast<UINT>(CopyText(e.text, lpmii->dwTypeData, lpmii->cch));
        else
            lpmii->cch = static_cast<UINT>(e.text.size());
    }
    return TRUE;
}

BOOL WINAPI SetMenuItemInfoA(HMENU hmenu, UINT item, BOOL fByPositon, LPCMENUITEMINFOA lpmii) {
    auto lock = LockUser();
    if (!lpmii || !ValidInfoSize(lpmii->cbSize)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    FoundItem found;
    if (!Locate(hmenu, item, fByPositon ? MF_BYPOSITION : MF_BYCOMMAND, &found))
        return FALSE;
    if ((lpmii->fMask & MIIM_SUBMENU) && lpmii->hSubMenu) {
        if (!CheckMenu(lpmii->hSubMenu))
            return FALSE;
        if (lpmii->hSubMenu == found.menu->handle) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
    }
    MenuEntry& e = found.entry();
    if (lpmii->fMask & (MIIM_TYPE | MIIM_FTYPE))
        e.type = lpmii->fType & ~MF_POPUP;
    if (lpmii->fMask & MIIM_STATE)
        e.state = lpmii->fState;
    if (lpmii->fMask & MIIM_ID)
        e.id = lpmii->wID;
    if (lpmii->fMask & MIIM_SUBMENU)
        e.submenu = lpmii->hSubMenu;
    bool text =
        (lpmii->fMask & MIIM_STRING) ||
        ((lpmii->fMask & MIIM_TYPE) && !(e.type & (MF_SEPARATOR | MF_BITMAP | MF_OWNERDRAW)));
    if (text)
        e.text = lpmii->dwTypeData ? lpmii->dwTypeData : "";
    return TRUE;
}

DWORD WINAPI CheckMenuItem(HMENU hMenu, UINT uIDCheckItem, UINT uCheck) {
    auto lock = LockUser();
    FoundItem found;
    if (!Locate(hMenu, uIDCheckItem, uCheck, &found))
        return static_cast<DWORD>(-1);
    MenuEntry& e = found.entry();
    DWORD previous = e.state & MF_CHECKED;
    e.state = (e.state & ~MF_CHECKED) | (uCheck & MF_CHECKED);
    return previous;
}

BOOL WINAPI EnableMenuItem(HMENU hMenu, UINT uIDEnableItem, UINT uEnable) {
    auto lock = LockUser();
    FoundItem found;
    if (!Locate(hMenu, uIDEnableItem, uEnable, &found))
        return -1;
    MenuEntry& e = found.entry();
    BOOL previous = static_cast<BOOL>(e.state & (MF_GRAYED | MF_DISABLED));
    e.state = (e.state & ~(MF_GRAYED | MF_DISABLED)) | (uEnable & (MF_GRAYED | MF_DISABLED));
    return previous;
}

BOOL WINAPI SetMenuDefaultItem(HMENU hMenu, UINT uItem, UINT fByPos) {
    auto lock = LockUser();
    Menu* m = CheckMenu(hMenu);
    if (!m)
        return FALSE;
    size_t index = m->items.size();
    if (uItem != kNotFound) {
        if (fByPos) {
            index = uItem;
        } else {
            auto it = std::find_if(m->items.begin(), m->items.end(),
                                   [&](const MenuEntry& e) { return e.id == uItem; });
            index = static_cast<size_t>(it - m->items.begin());
        }
        if (index >= m->items.size()) {
            SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
            return FALSE;
        }
    }
    for (MenuEntry& e : m->items)
        e.state &= ~MF_DEFAULT;
    if (index < m->items.size())
        m->items[index].state |= MF_DEFAULT;
    return TRUE;
}

UINT WINAPI GetMenuDefaultItem(HMENU hMenu, UINT fByPos, UINT gmdiFlags) {
    auto lock = LockUser();
    Menu* m = CheckMenu(hMenu);
    return m ? DefaultOf(*m, fByPos != 0, gmdiFlags, 0) : kNotFound;
}
