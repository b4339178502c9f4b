#include "desktop/tty/snapshot.h"

#include "user/combobox.h"
#include "user/control_paint.h"
#include "user/menu_state.h"
#include "user/nonclient.h"
#include "user/window.h"

#include <algorithm>
#include <strings.h>

namespace qv::desktop::tty {
namespace {

bool ClassIs(const std::string& name, const char* wanted) {
    return strcasecmp(name.c_str(), wanted) == 0;
}

RECT Offset(RECT r, POINT by) {
    return RECT{r.left + by.x, r.top + by.y, r.right + by.x, r.bottom + by.y};
}

bool IsWithin(HWND hwnd, HWND ancestor) {
    for (user::Window* w = user::FindWindowObject(hwnd); w; w = user::FindWindowObject(w->parent))
        if (w->handle == ancestor)
            return true;
    return false;
}

// With the user lock held: the window's state, without asking it anything.
WindowView Read(const user::Window& w) {
    auto& state = user::State();
    WindowView v;
    v.hwnd = w.handle;
    v.className = w.cls ? w.cls->name : std::string();
    v.text = w.text;
    v.style = w.style;
    v.exStyle = w.exStyle;
    POINT origin = user::WindowOrigin(w);
    v.rect = user::ScreenRect(w);
    v.client = Offset(w.client, origin);
    v.focused = state.focus && (state.focus == w.handle ||
                                (ClassIs(v.className, "ComboBox") && IsWithin(state.focus, w.handle)));
    if (user::IsTopLevel(w)) {
        RECT close = user::CloseButtonRect(w);
        if (close.right > close.left)
            v.closeButton = Offset(close, origin);
    }
    for (auto it = w.children.rbegin(); it != w.children.rend(); ++it)
        if (user::Window* child = user::FindWindowObject(*it))
            v.children.push_back(Read(*child));
    return v;
}

std::vector<std::string> ListItems(HWND hwnd, int& selected) {
    std::vector<std::string> items;
    LRESULT count = SendMessageA(hwnd, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count && i < 256; ++i) {
        LRESULT length = SendMessageA(hwnd, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        std::string text(length > 0 ? static_cast<size_t>(length) : 0, '\0');
        if (length > 0)
            SendMessageA(hwnd, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
        items.push_back(text.c_str());
    }
    selected = static_cast<int>(SendMessageA(hwnd, LB_GETCURSEL, 0, 0));
    return items;
}

// A combo box's open list shows the combo box's items from the first one scrolled to, the
// highlighted one marked.
void ReadDroppedList(WindowView& v, const user::controls::ComboBox& combo) {
    const int height = user::controls::ComboItemHeight(combo);
    const int rows = std::max(1, static_cast<int>((v.client.bottom - v.client.top) / height));
    for (int i = combo.top; i < static_cast<int>(combo.items.size()) && i < combo.top + rows; ++i) {
        LONG top = v.client.top + (i - combo.top) * height;
        v.items.push_back(combo.items[static_cast<size_t>(i)].text);
        v.itemRects.push_back(RECT{v.client.left, top, v.client.right, top + height});
    }
    v.selected = combo.hot - combo.top;
}

// The combo boxes' lists, by the window of the list.
void FindLists(const WindowView& v, std::vector<std::pair<HWND, HWND>>& lists) {
    if (ClassIs(v.className, "ComboBox"))
        if (const auto* combo = user::controls::StateOf<user::controls::ComboBox>(v.hwnd))
            lists.emplace_back(combo->list, v.hwnd);
    for (const auto& child : v.children)
        FindLists(child, lists);
}

// Without the lock: what the controls say of themselves.
void Ask(WindowView& v) {
    if (ClassIs(v.className, "Button")) {
        DWORD type = v.style & BS_TYPEMASK;
        v.isDefault = type == BS_DEFPUSHBUTTON;
        if (type != BS_GROUPBOX && type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON &&
            type != BS_OWNERDRAW)
            v.checked = SendMessageA(v.hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
    } else if (ClassIs(v.className, "ComboBox")) {
        char text[256] = {};
        GetWindowTextA(v.hwnd, text, sizeof text);
        v.text = text;
    } else if (ClassIs(v.className, "ListBox")) {
        v.items = ListItems(v.hwnd, v.selected);
    } else if (ClassIs(v.className, "#32768")) {
        for (const auto& menu : user::OpenMenus()) {
            if (menu.window != v.hwnd)
                continue;
            for (const auto& item : menu.items) {
                MenuItemView m;
                m.separator = (item.type & MF_SEPARATOR) != 0;
                m.text = m.separator ? std::string() : item.text;
                m.checked = (item.state & MF_CHECKED) != 0;
                m.grayed = (item.state & (MF_GRAYED | MF_DISABLED)) != 0;
                m.submenu = item.submenu != nullptr;
                m.rect = item.rect;
                v.menuItems.push_back(std::move(m));
            }
            v.selected = menu.highlighted;
        }
    }
    for (auto& child : v.children)
        Ask(child);
}

bool HasTaskbarButton(const user::Window& w) {
    if (w.exStyle & WS_EX_APPWINDOW)
        return true;
    return !w.owner && !(w.exStyle & WS_EX_TOOLWINDOW);
}

bool IsDrawnAsTaskbar(const std::string& className) { return ClassIs(className, "Shell_TrayWnd"); }

} // namespace

DesktopView TakeSnapshot() {
    DesktopView view;
    {
        auto lock = user::LockUser();
        auto& state = user::State();
        view.screen = state.screen;
        view.active = state.active;
        user::Window* desktop = user::FindWindowObject(state.desktop);
        for (auto it = desktop->children.rbegin(); it != desktop->children.rend(); ++it) {
            user::Window* w = user::FindWindowObject(*it);
            if (!w || !(w->style & WS_VISIBLE) ||
                (w->cls && IsDrawnAsTaskbar(w->cls->name)))
                continue;
            view.windows.push_back(Read(*w));
            view.windows.back().hasTaskbarButton = HasTaskbarButton(*w);
        }
    }
    for (auto& w : view.windows)
        Ask(w);
    std::vector<std::pair<HWND, HWND>> lists;
    for (const auto& w : view.windows)
        FindLists(w, lists);
    for (auto& w : view.windows) {
        if (!ClassIs(w.className, "ComboLBox"))
            continue;
        for (const auto& [list, combo] : lists) {
            if (list != w.hwnd)
                continue;
            w.dropsFrom = combo;
            if (const auto* state = user::controls::StateOf<user::controls::ComboBox>(combo))
                ReadDroppedList(w, *state);
        }
    }
    return view;
}

} // namespace qv::desktop::tty
