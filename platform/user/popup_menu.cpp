// TrackPopupMenu's modal menu loop: it runs on the calling thread, takes the mouse and the
// keyboard while the menu is open, and keeps dispatching the thread's other messages.
#include "user/popup_menu.h"

#include "user/menu_table.h"
#include "user/popup_menu_window.h"
#include "user/window.h"

#include <algorithm>
#include <cctype>
#include <functional>

namespace qv::user {
namespace {

// A submenu overlaps its parent by the width of the parent's frame.
constexpr int kSubmenuOverlap = 3;

MenuTracking* g_tracking = nullptr;

bool IsMouseMessage(UINT m) {
    return (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) ||
           (m >= WM_NCMOUSEMOVE && m <= WM_NCRBUTTONUP);
}

// The menu holds the capture, so its mouse input comes as client messages; a non-client one
// comes only when the capture was taken from it.
enum class Mouse { Move, Down, LeftUp, RightUp, Other };

Mouse Classify(UINT m) {
    switch (m) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
        return Mouse::Move;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
        return Mouse::Down;
    case WM_LBUTTONUP:
    case WM_NCLBUTTONUP:
        return Mouse::LeftUp;
    case WM_RBUTTONUP:
    case WM_NCRBUTTONUP:
        return Mouse::RightUp;
    default:
        return Mouse::Other;
    }
}

bool IsKeyMessage(UINT m) {
    return m >= WM_KEYFIRST && m <= WM_KEYLAST;
}

// The mnemonic of an item's text: the character after a single '&'.
char Mnemonic(const std::string& text) {
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&')
            continue;
        if (text[i + 1] != '&')
            return static_cast<char>(std::tolower(static_cast<unsigned char>(text[i + 1])));
        ++i;
    }
    return 0;
}

RECT Screen() {
    return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

// Moves a start position so that [start, start + size) stays within [0, limit): first by
// opening the other way from the anchor, then by sliding.
int KeepOnScreen(int start, int size, int limit, int flipped) {
    if (start + size > limit && flipped >= 0)
        start = flipped;
    return std::max(0, std::min(start, limit - size));
}

class MenuLoop {
public:
    MenuLoop(HWND owner, UINT flags, bool systemMenu) {
        state_.owner = owner;
        state_.flags = flags;
        state_.systemMenu = systemMenu;
    }

    UINT Run(HMENU menu, POINT pt, const RECT* exclude, bool keyboard, bool* ran);

private:
    bool Notify() const { return !(state_.flags & TPM_NONOTIFY); }
    void Send(UINT msg, WPARAM wParam, LPARAM lParam) {
        if (Notify())
            SendMessageA(state_.owner, msg, wParam, lParam);
    }
    bool Open(HMENU menu, UINT indexInParent, bool keyboard,
              const std::function<POINT(SIZE)>& place);
    bool OpenSubmenu(size_t level, bool keyboard);
    void CloseFrom(size_t level);
    void Highlight(size_t level, int index, bool mouse);
    void Move(int step);
    void Choose(size_t level, int index, bool keyboard);
    bool At(POINT screen, size_t* level, int* index);
    void OnMouse(const MSG& msg);
    void OnKey(MSG& msg);
    void OnChar(char ch);
    bool StillOpen();
    MenuEntry* Entry(size_t level, int index);

    MenuTracking state_;
};

MenuEntry* MenuLoop::Entry(size_t level, int index) {
    if (level >= state_.levels.size() || index < 0)
        return nullptr;
    Menu* m = FindMenu(state_.levels[level].menu);
    if (!m || static_cast<size_t>(index) >= m->items.size())
        return nullptr;
    return &m->items[static_cast<size_t>(index)];
}

bool MenuLoop::Open(HMENU menu, UINT indexInParent, bool keyboard,
                    const std::function<POINT(SIZE)>& place) {
    // The owner may change the items (check marks, greying) before they are shown.
    Send(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu),
         MAKELPARAM(indexInParent, state_.systemMenu));
    std::vector<ItemLook> looks = LookOf(menu);
    if (looks.empty() || !RegisterPopupMenuClass())
        return false;
    PopupLayout layout = MeasurePopup(looks);
    POINT at = place(layout.window);
    HWND window = CreateWindowExA(kPopupMenuExStyle, kPopupMenuClass, "", kPopupMenuStyle, at.x,
                                  at.y, layout.window.cx, layout.window.cy, state_.owner, nullptr,
                                  nullptr, nullptr);
    if (!window)
        return false;
    {
        auto lock = LockUser();
        state_.levels.push_back(PopupLevel{menu, window, -1, layout.items});
    }
    ShowWindow(window, SW_SHOWNA);
    if (keyboard)
        Move(1);
    return true;
}

bool MenuLoop::OpenSubmenu(size_t level, bool keyboard) {
    PopupLevel& parent = state_.levels[level];
    int index = parent.highlighted;
    MenuEntry* e = Entry(level, index);
    if (!e || !e->submenu || !e->IsEnabled())
        return false;
    if (state_.levels.size() > level + 1 && state_.levels[level + 1].menu == e->submenu)
        return true;
    CloseFrom(level + 1);
    HMENU sub = e->submenu;
    RECT parentRect;
    GetWindowRect(parent.window, &parentRect);
    RECT item = parent.items[static_cast<size_t>(index)];
    MapWindowPoints(parent.window, nullptr, reinterpret_cast<POINT*>(&item), 2);
    return Open(sub, static_cast<UINT>(index), keyboard, [&](SIZE size) {
        RECT screen = Screen();
        int x = KeepOnScreen(parentRect.right - kSubmenuOverlap, size.cx, screen.right,
                             parentRect.left + kSubmenuOverlap - size.cx);
        int y = KeepOnScreen(item.top - kSubmenuOverlap, size.cy, screen.bottom, -1);
        return POINT{x, y};
    });
}

void MenuLoop::CloseFrom(size_t level) {
    while (state_.levels.size() > level) {
        PopupLevel closing = state_.levels.back();
        {
            auto lock = LockUser();
            state_.levels.pop_back();
        }
        DestroyWindow(closing.window);
        Send(WM_UNINITMENUPOPUP, reinterpret_cast<WPARAM>(closing.menu),
             MAKELPARAM(0, state_.systemMenu ? MF_SYSMENU : 0));
    }
}

void MenuLoop::Highlight(size_t level, int index, bool mouse) {
    PopupLevel& l = state_.levels[level];
    if (l.highlighted == index)
        return;
    RECT old{};
    RECT now{};
    {
        auto lock = LockUser();
        if (l.highlighted >= 0 && static_cast<size_t>(l.highlighted) < l.items.size())
            old = l.items[static_cast<size_t>(l.highlighted)];
        if (index >= 0 && static_cast<size_t>(index) < l.items.size())
            now = l.items[static_cast<size_t>(index)];
        l.highlighted = index;
    }
    if (!IsRectEmpty(&old))
        InvalidateRect(l.window, &old, FALSE);
    if (!IsRectEmpty(&now))
        InvalidateRect(l.window, &now, FALSE);
    UINT id = 0;
    UINT flags = 0;
    {
        auto lock = LockUser();
        MenuEntry* e = Entry(level, index);
        if (!e)
            return;
        id = e->submenu ? static_cast<UINT>(index) : e->id;
        flags = e->type | e->state | MF_HILITE | (e->submenu ? MF_POPUP : 0) |
                (mouse ? MF_MOUSESELECT : 0) | (state_.systemMenu ? MF_SYSMENU : 0);
    }
    Send(WM_MENUSELECT, MAKEWPARAM(id, flags), reinterpret_cast<LPARAM>(l.menu));
}

// Up and Down move over the enabled items of the deepest popup, wrapping at the ends.
void MenuLoop::Move(int step) {
    size_t level = state_.levels.size() - 1;
    int count = static_cast<int>(state_.levels[level].items.size());
    int index = state_.levels[level].highlighted;
    if (index < 0)
        index = step > 0 ? -1 : count;
    for (int tries = 0; tries < count; ++tries) {
        index = ((index + step) % count + count) % count;
        bool selectable;
        {
            auto lock = LockUser();
            MenuEntry* e = Entry(level, index);
            selectable = e && !e->IsSeparator() && e->IsEnabled();
        }
        if (selectable) {
            Highlight(level, index, false);
            return;
        }
    }
}

void MenuLoop::Choose(size_t level, int index, bool keyboard) {
    bool submenu;
    {
        auto lock = LockUser();
        MenuEntry* e = Entry(level, index);
        if (!e || e->IsSeparator() || !e->IsEnabled())
            return;
        submenu = e->submenu != nullptr;
        if (!submenu) {
            state_.chosen = true;
            state_.command = e->id;
            state_.ended = true;
            return;
        }
    }
    Highlight(level, index, !keyboard);
    OpenSubmenu(level, keyboard);
}

bool MenuLoop::At(POINT screen, size_t* level, int* index) {
    for (size_t l = state_.levels.size(); l-- > 0;) {
        const PopupLevel& p = state_.levels[l];
        RECT r;
        if (!GetWindowRect(p.window, &r) || !PtInRect(&r, screen))
            continue;
        POINT local = screen;
        ScreenToClient(p.window, &local);
        *level = l;
        *index = -1;
        for (size_t i = 0; i < p.items.size(); ++i) {
            if (PtInRect(&p.items[i], local))
                *index = static_cast<int>(i);
        }
        return true;
    }
    return false;
}

void MenuLoop::OnMouse(const MSG& msg) {
    size_t level = 0;
    int index = -1;
    bool inside = At(msg.pt, &level, &index);
    Mouse kind = Classify(msg.message);
    bool move = kind == Mouse::Move;
    bool down = kind == Mouse::Down;
    bool up = kind == Mouse::LeftUp || (kind == Mouse::RightUp && (state_.flags & TPM_RIGHTBUTTON));
    if (!inside) {
        if (down) {
            state_.ended = true;
        } else if (move) {
            // Off the menu, the deepest popup loses its highlight; the items that lead to it
            // stay highlighted.
            size_t deepest = state_.levels.size() - 1;
            Highlight(deepest, -1, true);
        }
        return;
    }
    bool separator;
    {
        auto lock = LockUser();
        MenuEntry* e = Entry(level, index);
        separator = !e || e->IsSeparator();
    }
    if (move || down) {
        if (separator) {
            CloseFrom(level + 1);
            Highlight(level, -1, true);
            return;
        }
        Highlight(level, index, true);
        if (!OpenSubmenu(level, false))
            CloseFrom(level + 1);
        return;
    }
    if (up && !separator)
        Choose(level, index, false);
}

void MenuLoop::OnKey(MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN)
        return;
    size_t deepest = state_.levels.size() - 1;
    switch (msg.wParam) {
    case VK_MENU:
    case VK_F10:
        if (!(msg.lParam & (1 << 30)))
            state_.ended = true;
        return;
    case VK_ESCAPE:
    case VK_LEFT:
        if (deepest > 0)
            CloseFrom(deepest);
        else if (msg.wParam == VK_ESCAPE)
            state_.ended = true;
        return;
    case VK_UP:
        Move(-1);
        return;
    case VK_DOWN:
        Move(1);
        return;
    case VK_RIGHT:
        OpenSubmenu(deepest, true);
        return;
    case VK_RETURN:
        Choose(deepest, state_.levels[deepest].highlighted, true);
        return;
    default:
        TranslateMessage(&msg);
        return;
    }
}

// A mnemonic chooses its item when it is the only one with it, and otherwise moves the
// highlight to the next item that has it.
void MenuLoop::OnChar(char ch) {
    size_t deepest = state_.levels.size() - 1;
    char wanted = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    std::vector<int> matches;
    {
        auto lock = LockUser();
        Menu* m = FindMenu(state_.levels[deepest].menu);
        if (!m)
            return;
        for (size_t i = 0; i < m->items.size(); ++i) {
            if (!m->items[i].IsSeparator() && Mnemonic(m->items[i].text) == wanted)
                matches.push_back(static_cast<int>(i));
        }
    }
    if (matches.empty())
        return;
    if (matches.size() == 1) {
        Highlight(deepest, matches.front(), false);
        Choose(deepest, matches.front(), true);
        return;
    }
    int current = state_.levels[deepest].highlighted;
    auto next = std::find_if(matches.begin(), matches.end(), [&](int i) { return i > current; });
    Highlight(deepest, next == matches.end() ? matches.front() : *next, false);
}

bool MenuLoop::StillOpen() {
    auto lock = LockUser();
    return !state_.ended && FindWindowObject(state_.owner) && !state_.levels.empty() &&
           FindWindowObject(state_.levels.front().window) && FindMenu(state_.levels.front().menu);
}

UINT MenuLoop::Run(HMENU menu, POINT pt, const RECT* exclude, bool keyboard, bool* ran) {
    {
        auto lock = LockUser();
        if (g_tracking) {
            SetLastError(ERROR_POPUP_ALREADY_ACTIVE); // one menu at a time
            return 0;
        }
        g_tracking = &state_;
    }
    Send(WM_ENTERMENULOOP, !state_.systemMenu, 0);
    Send(WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0);
    UINT flags = state_.flags;
    bool opened = Open(menu, 0, keyboard, [&](SIZE size) {
        RECT screen = Screen();
        int x = pt.x;
        if (flags & TPM_RIGHTALIGN)
            x -= size.cx;
        else if (flags & TPM_CENTERALIGN)
            x -= size.cx / 2;
        int y = pt.y;
        if (flags & TPM_BOTTOMALIGN)
            y -= size.cy;
        else if (flags & TPM_VCENTERALIGN)
            y -= size.cy / 2;
        x = KeepOnScreen(x, size.cx, screen.right, pt.x - size.cx);
        y = KeepOnScreen(y, size.cy, screen.bottom, pt.y - size.cy);
        RECT placed{x, y, x + size.cx, y + size.cy};
        RECT overlap;
        if (exclude && IntersectRect(&overlap, &placed, exclude)) {
            // Beside the excluded rectangle: to its right when there is room, else to its left.
            x = exclude->right + size.cx <= screen.right
                    ? exclude->right
                    : std::max(0, static_cast<int>(exclude->left - size.cx));
        }
        return POINT{x, y};
    });
    *ran = opened;
    if (opened) {
        SetCapture(state_.levels.front().window);
        MSG msg;
        while (StillOpen()) {
            BOOL got = GetMessageA(&msg, nullptr, 0, 0);
            if (got <= 0) {
                // The quit message ends the menu and then the program's own loop.
                if (got == 0)
                    PostQuitMessage(static_cast<int>(msg.wParam));
                break;
            }
            if (IsMouseMessage(msg.message))
                OnMouse(msg);
            else if (msg.message == WM_CHAR || msg.message == WM_SYSCHAR)
                OnChar(static_cast<char>(msg.wParam));
            else if (IsKeyMessage(msg.message))
                OnKey(msg);
            else
                DispatchMessageA(&msg);
        }
        if (GetCapture() == state_.levels.front().window)
            ReleaseCapture();
    }
    CloseFrom(0);
    Send(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    Send(WM_EXITMENULOOP, !state_.systemMenu, 0);
    {
        auto lock = LockUser();
        g_tracking = nullptr;
    }
    return state_.chosen ? state_.command : 0;
}

} // namespace

MenuTracking* CurrentTracking() {
    return g_tracking;
}

UINT RunPopupMenu(HMENU menu, UINT flags, POINT pt, const RECT* exclude, HWND owner,
                  bool systemMenu, bool keyboard, bool* ran) {
    MenuLoop loop(owner, flags, systemMenu);
    return loop.Run(menu, pt, exclude, keyboard, ran);
}

} // namespace qv::user

using namespace qv::user;

namespace {

BOOL Track(HMENU hMenu, UINT uFlags, int x, int y, HWND hWnd, const RECT* exclude) {
    {
        auto lock = LockUser();
        if (!CheckMenu(hMenu) || !CheckWindow(hWnd))
            return FALSE;
    }
    bool ran = false;
    UINT command = RunPopupMenu(hMenu, uFlags, POINT{x, y}, exclude, hWnd, false, false, &ran);
    if (uFlags & TPM_RETURNCMD)
        return static_cast<BOOL>(command);
    if (command)
        PostMessageA(hWnd, WM_COMMAND, command, 0);
    return ran;
}

} // namespace

BOOL WINAPI TrackPopupMenu(HMENU hMenu, UINT uFlags, int x, int y, int, HWND hWnd, const RECT*) {
    return Track(hMenu, uFlags, x, y, hWnd, nullptr);
}

BOOL WINAPI TrackPopupMenuEx(HMENU hMenu, UINT uFlags, int x, int y, HWND hwnd, LPTPMPARAMS lptpm) {
    if (lptpm && lptpm->cbSize != sizeof(TPMPARAMS)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return Track(hMenu, uFlags, x, y, hwnd, lptpm ? &lptpm->rcExclude : nullptr);
}

BOOL WINAPI EndMenu(void) {
    auto lock = LockUser();
    MenuTracking* tracking = CurrentTracking();
    if (tracking && !tracking->ended) {
        tracking->ended = true;
        // Wakes the loop when it waits for messages.
        if (!tracking->levels.empty())
            PostMessageA(tracking->levels.front().window, WM_NULL, 0, 0);
    }
    return TRUE;
}
