// The window menu: each window's own copy of the standard system menu, and running it.
#include "user/menu_table.h"
#include "user/popup_menu.h"
#include "user/window.h"

using namespace qv::user;

namespace {

struct StandardItem {
    UINT id;
    const char* text;
};

constexpr StandardItem kRestore{SC_RESTORE, "&Restore"};
constexpr StandardItem kMove{SC_MOVE, "&Move"};
constexpr StandardItem kSize{SC_SIZE, "&Size"};
constexpr StandardItem kMinimize{SC_MINIMIZE, "Mi&nimize"};
constexpr StandardItem kMaximize{SC_MAXIMIZE, "Ma&ximize"};
constexpr StandardItem kClose{SC_CLOSE, "&Close\tAlt+F4"};

void Add(Menu& m, const StandardItem& item) {
    m.items.push_back(EntryFromFlags(MF_STRING, item.id, item.text));
}

// A dialog frame without a sizing border or minimise and maximise boxes can only be moved and
// closed; other windows get the whole menu, with what they cannot do greyed.
HMENU BuildStandard(HWND hwnd, DWORD style) {
    HMENU handle = NewMenu(true);
    Menu& m = *FindMenu(handle);
    m.systemMenuOf = hwnd;
    if (!(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX))) {
        Add(m, kMove);
    } else {
        for (const StandardItem* item : {&kRestore, &kMove, &kSize, &kMinimize, &kMaximize})
            Add(m, *item);
        m.items.push_back(EntryFromFlags(MF_SEPARATOR, 0, nullptr));
    }
    Add(m, kClose);
    m.items.back().state |= MF_DEFAULT;
    return handle;
}

// Greys the standard items for what the window can do now (minimised, maximised, its frame).
void UpdateStandardItems(Menu& m, DWORD style) {
    bool minimized = style & WS_MINIMIZE;
    bool maximized = style & WS_MAXIMIZE;
    const std::pair<UINT, bool> enabled[] = {
        {SC_RESTORE, minimized || maximized},
        {SC_MOVE, !maximized},
        {SC_SIZE, (style & WS_THICKFRAME) && !minimized && !maximized},
        {SC_MINIMIZE, (style & WS_MINIMIZEBOX) && !minimized},
        {SC_MAXIMIZE, (style & WS_MAXIMIZEBOX) && !maximized},
    };
    for (auto [id, on] : enabled) {
        FoundItem found;
        if (FindItem(m, id, false, &found))
            found.entry().state =
                (found.entry().state & ~(MF_GRAYED | MF_DISABLED)) | (on ? 0 : MF_GRAYED);
    }
}

} // namespace

HMENU WINAPI GetSystemMenu(HWND hWnd, BOOL bRevert) {
    auto lock = LockUser();
    Window* w = CheckWindow(hWnd);
    if (!w)
        return nullptr;
    if (bRevert) {
        if (w->systemMenu)
            FreeMenu(w->systemMenu);
        w->systemMenu = nullptr;
        return nullptr;
    }
    if (!(w->style & WS_SYSMENU))
        return nullptr;
    if (!FindMenu(w->systemMenu)) {
        FreeOrphanSystemMenus();
        w->systemMenu = BuildStandard(hWnd, w->style);
        UpdateStandardItems(*FindMenu(w->systemMenu), w->style);
    }
    return w->systemMenu;
}

namespace qv::user {

void TrackSystemMenu(HWND hwnd, bool keyboard) {
    HMENU menu = GetSystemMenu(hwnd, FALSE);
    if (!menu)
        return;
    {
        auto lock = LockUser();
        Window* w = FindWindowObject(hwnd);
        Menu* m = FindMenu(menu);
        if (!w || !m)
            return;
        UpdateStandardItems(*m, w->style);
    }
    // Below the caption, at the left of the window's frame: where the client area starts.
    POINT at{0, 0};
    ClientToScreen(hwnd, &at);
    bool ran = false;
    UINT command =
        RunPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN, at, nullptr, hwnd, true, keyboard, &ran);
    if (command)
        PostMessageA(hwnd, WM_SYSCOMMAND, command, 0);
}

} // namespace qv::user
