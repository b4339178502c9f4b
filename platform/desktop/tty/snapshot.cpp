#include "desktop/tty/snapshot.h"

#include "user/nonclient.h"
#include "user/window.h"

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
    v.rect = RECT{origin.x, origin.y, origin.x + (w.rect.right - w.rect.left),
                  origin.y + (w.rect.bottom - w.rect.top)};
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
    } else if (ClassIs(v.className, "ComboLBox") || ClassIs(v.className, "ListBox")) {
        v.items = ListItems(v.hwnd, v.selected);
    } else if (ClassIs(v.className, "#32768")) {
        // Until the open menu can be read, the popup shows its window's text.
        v.items = {v.text};
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
    return view;
}

} // namespace qv::desktop::tty
