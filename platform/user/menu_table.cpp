#include "user/menu_table.h"

#include "user/window.h"

#include <cstdint>
#include <unordered_map>

namespace qv::user {
namespace {

constexpr UINT kTypeFlags =
    MF_SEPARATOR | MF_BITMAP | MF_OWNERDRAW | MF_MENUBREAK | MF_MENUBARBREAK | MF_HELP;
constexpr UINT kStateFlags = MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_DEFAULT;

struct MenuTable {
    std::unordered_map<HMENU, std::unique_ptr<Menu>> menus;
    // Handles stay below 2^32: an item that opens a submenu keeps the handle as its UINT id.
    uint32_t next = 0x00A00010;
};

MenuTable& Table() {
    static MenuTable table;
    return table;
}

} // namespace

Menu* FindMenu(HMENU menu) {
    auto& menus = Table().menus;
    auto it = menus.find(menu);
    return it == menus.end() ? nullptr : it->second.get();
}

Menu* CheckMenu(HMENU menu) {
    Menu* m = FindMenu(menu);
    if (!m)
        SetLastError(ERROR_INVALID_MENU_HANDLE);
    return m;
}

HMENU NewMenu(bool popup) {
    auto& table = Table();
    auto m = std::make_unique<Menu>();
    m->handle = reinterpret_cast<HMENU>(static_cast<uintptr_t>(table.next));
    table.next += 4;
    m->popup = popup;
    HMENU handle = m->handle;
    table.menus.emplace(handle, std::move(m));
    return handle;
}

void FreeMenu(HMENU menu) {
    auto& menus = Table().menus;
    auto it = menus.find(menu);
    if (it == menus.end())
        return;
    std::unique_ptr<Menu> gone = std::move(it->second);
    menus.erase(it);
    for (const MenuEntry& e : gone->items) {
        if (e.submenu)
            FreeMenu(e.submenu);
    }
    if (Window* w = FindWindowObject(gone->systemMenuOf); w && w->systemMenu == menu)
        w->systemMenu = nullptr;
}

void FreeOrphanSystemMenus() {
    std::vector<HMENU> orphans;
    for (auto& [handle, m] : Table().menus) {
        if (m->systemMenuOf && !FindWindowObject(m->systemMenuOf))
            orphans.push_back(handle);
    }
    for (HMENU h : orphans)
        FreeMenu(h);
}

bool FindItem(Menu& menu, UINT item, bool byPosition, FoundItem* found) {
    if (byPosition) {
        if (item >= menu.items.size())
            return false;
        *found = FoundItem{&menu, item};
        return true;
    }
    for (size_t i = 0; i < menu.items.size(); ++i) {
        MenuEntry& e = menu.items[i];
        if (e.submenu) {
            Menu* sub = FindMenu(e.submenu);
            if (sub && sub != &menu && FindItem(*sub, item, false, found))
                return true;
        }
        if (e.id == item) {
            *found = FoundItem{&menu, i};
            return true;
        }
    }
    return false;
}

MenuEntry EntryFromFlags(UINT flags, UINT_PTR idOrSubmenu, LPCSTR content) {
    MenuEntry e;
    e.type = flags & kTypeFlags;
    e.state = flags & kStateFlags;
    if (flags & MF_POPUP) {
        e.submenu = reinterpret_cast<HMENU>(idOrSubmenu);
        e.id = static_cast<UINT>(idOrSubmenu);
    } else {
        e.id = static_cast<UINT>(idOrSubmenu);
    }
    if (e.type & (MF_BITMAP | MF_OWNERDRAW))
        e.data = reinterpret_cast<ULONG_PTR>(content);
    else if (!(e.type & MF_SEPARATOR) && content)
        e.text = content;
    return e;
}

} // namespace qv::user
