#include "user/menu_state.h"

#include "user/menu_table.h"
#include "user/popup_menu.h"
#include "user/window.h"

namespace qv::user {

std::vector<OpenMenu> OpenMenus() {
    auto lock = LockUser();
    std::vector<OpenMenu> open;
    MenuTracking* tracking = CurrentTracking();
    if (!tracking)
        return open;
    for (const PopupLevel& level : tracking->levels) {
        OpenMenu view;
        view.menu = level.menu;
        view.window = level.window;
        view.owner = tracking->owner;
        view.systemMenu = tracking->systemMenu;
        view.highlighted = level.highlighted;
        Menu* m = FindMenu(level.menu);
        Window* w = FindWindowObject(level.window);
        if (m && w) {
            POINT origin = ClientOrigin(*w);
            size_t count = std::min(m->items.size(), level.items.size());
            for (size_t i = 0; i < count; ++i) {
                const MenuEntry& e = m->items[i];
                RECT r = level.items[i];
                OffsetRect(&r, origin.x, origin.y);
                view.items.push_back(
                    OpenMenuItem{e.text, e.submenu ? 0u : e.id, e.type, e.state, e.submenu, r});
            }
        }
        open.push_back(std::move(view));
    }
    return open;
}

} // namespace qv::user
