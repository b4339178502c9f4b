// TrackPopupMenu: the menu loop's messages, choosing and cancelling with the mouse and the
// keyboard, placement, and the owner's timers while the menu is open.
#include "MenuOwner.h"
#include "menus.h"

#include <gtest/gtest.h>

namespace qv::test {
namespace {

constexpr POINT kAt{200, 150};

class PopupMenu : public MenuOwnerTest {
protected:
    void SetUp() override {
        StartOwner();
        bar = LoadMenuA(nullptr, MAKEINTRESOURCE(IDM_CONTEXT));
        menu = GetSubMenu(bar, 0);
    }
    void TearDown() override { DestroyMenu(bar); }

    // Opens the menu from the owner's procedure; result gets TrackPopupMenu's return value.
    void Track(UINT flags, POINT at = kAt) {
        RunOnUi([=, this] {
            SetLastError(0);
            result = TrackPopupMenu(menu, flags, at.x, at.y, 0, owner, nullptr);
            error = GetLastError();
            returned = true;
        });
    }

    RECT MenuWindowRect() const {
        RECT r{};
        auto open = desktop.OpenMenus();
        if (!open.empty())
            GetWindowRect(open.front().window, &r);
        return r;
    }

    HMENU bar = nullptr;
    HMENU menu = nullptr;
    BOOL result = -2;
    DWORD error = 0;
    bool returned = false;
};

TEST_F(PopupMenu, OpensAPopupWindowAtThePointWithTheItems) {
    Track(0);
    auto open = desktop.OpenMenus();
    ASSERT_EQ(open.size(), 1u);
    EXPECT_FALSE(returned);
    char cls[32] = {};
    GetClassNameA(open[0].window, cls, sizeof cls);
    EXPECT_STREQ(cls, "#32768");
    EXPECT_TRUE(IsWindowVisible(open[0].window));
    EXPECT_TRUE(GetWindowLongA(open[0].window, GWL_STYLE) & WS_POPUP);
    EXPECT_TRUE(GetWindowLongA(open[0].window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetActiveWindow(), owner); // the menu does not take activation
    RECT r = MenuWindowRect();
    EXPECT_EQ(r.left, kAt.x);
    EXPECT_EQ(r.top, kAt.y);
    EXPECT_EQ(desktop.MenuItems(), (std::vector<std::string>{"&Show", "", "&Options", "&Disabled",
                                                             "&More", "E&xit\tAlt+X"}));
    EXPECT_EQ(open[0].highlighted, -1);
    // Items are stacked inside the window, separators thinner than the others.
    for (const auto& item : open[0].items) {
        RECT inside;
        EXPECT_TRUE(IntersectRect(&inside, &item.rect, &r) && EqualRect(&inside, &item.rect));
    }
    EXPECT_LT(open[0].items[1].rect.bottom - open[0].items[1].rect.top,
              open[0].items[0].rect.bottom - open[0].items[0].rect.top);
    desktop.CancelMenu();
    EXPECT_TRUE(returned);
}

TEST_F(PopupMenu, OwnerInitialisesThePopupBeforeItShowsAndItsCheckMarksShow) {
    bool windowExistedAtInit = true;
    onMessage = [&](UINT message, WPARAM wParam, LPARAM) {
        if (message != WM_INITMENUPOPUP)
            return;
        windowExistedAtInit = FindWindowA("#32768", nullptr) != nullptr;
        HMENU popup = reinterpret_cast<HMENU>(wParam);
        CheckMenuItem(popup, IDM_SHOW, MF_BYCOMMAND | MF_CHECKED);
        CheckMenuItem(popup, IDM_OPTIONS, MF_BYCOMMAND | MF_UNCHECKED);
    };
    Track(0);
    EXPECT_FALSE(windowExistedAtInit);
    EXPECT_EQ(Notes(MenuMessages()),
              (std::vector<Note>{
                  {WM_ENTERMENULOOP, TRUE, 0},
                  {WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0},
                  {WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(0, FALSE)}}));
    // The check mark is drawn in the column left of the text: dark pixels in the checked item,
    // none in the unchecked one.
    auto open = desktop.OpenMenus();
    ASSERT_EQ(open.size(), 1u);
    auto inkInCheckColumn = [&](int index) {
        int ink = 0;
        desktop.Call([&] {
            HWND window = open[0].window;
            RECT item = open[0].items[static_cast<size_t>(index)].rect;
            MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&item), 2);
            HDC dc = GetDC(window);
            for (int y = item.top; y < item.bottom; ++y) {
                for (int x = item.left; x < item.left + 16; ++x)
                    ink += GetPixel(dc, x, y) == GetSysColor(COLOR_MENUTEXT);
            }
            ReleaseDC(window, dc);
        });
        return ink;
    };
    EXPECT_GT(inkInCheckColumn(0), 10);
    EXPECT_EQ(inkInCheckColumn(2), 0);
    desktop.CancelMenu();
}

TEST_F(PopupMenu, ClickingAnItemPostsItsCommandAfterTheLoopEnds) {
    Track(0);
    desktop.ClickMenuItem("Options");
    EXPECT_FALSE(desktop.MenuOpen());
    EXPECT_TRUE(returned);
    EXPECT_EQ(result, TRUE);
    EXPECT_EQ(FindWindowA("#32768", nullptr), nullptr);
    auto notes = Notes(MenuMessages());
    ASSERT_GE(notes.size(), 3u);
    EXPECT_EQ(notes[notes.size() - 3],
              (Note{WM_UNINITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0}));
    EXPECT_EQ(notes[notes.size() - 2], (Note{WM_EXITMENULOOP, TRUE, 0}));
    EXPECT_EQ(notes.back(), (Note{WM_COMMAND, IDM_OPTIONS, 0}));
    EXPECT_EQ(Notes({WM_MENUSELECT}).back(), (Note{WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0}));
}

TEST_F(PopupMenu, HoverHighlightsAndTellsTheOwner) {
    Track(0);
    auto item = desktop.OpenMenus()[0].items[2];
    desktop.MoveTo(
        POINT{(item.rect.left + item.rect.right) / 2, (item.rect.top + item.rect.bottom) / 2});
    EXPECT_EQ(desktop.OpenMenus()[0].highlighted, 2);
    auto selected = Notes({WM_MENUSELECT});
    ASSERT_FALSE(selected.empty());
    EXPECT_EQ(LOWORD(selected.back().wParam), IDM_OPTIONS);
    EXPECT_TRUE(HIWORD(selected.back().wParam) & MF_HILITE);
    EXPECT_TRUE(HIWORD(selected.back().wParam) & MF_MOUSESELECT);
    EXPECT_EQ(selected.back().lParam, reinterpret_cast<LPARAM>(menu));
    desktop.CancelMenu();
}

TEST_F(PopupMenu, NothingIsChosenByCancellingOrByADisabledItem) {
    const struct {
        const char* how;
        std::function<void(TestDesktop&)> act;
    } cases[] = {
        {"click outside",
         [](TestDesktop& d) {
             d.ClickAt(POINT{20, 20});
         }},
        {"right click outside",
         [](TestDesktop& d) {
             d.ClickAt(POINT{20, 20}, 1);
         }},
        {"Esc", [](TestDesktop& d) { d.PressKey(VK_ESCAPE); }},
        {"Alt", [](TestDesktop& d) { d.PressKey(VK_MENU); }},
        {"greyed item, then Esc",
         [](TestDesktop& d) {
             d.ClickMenuItem("Disabled");
             EXPECT_TRUE(d.MenuOpen());
             d.PressKey(VK_ESCAPE);
         }},
        {"right click without TPM_RIGHTBUTTON, then Esc",
         [](TestDesktop& d) {
             d.ClickMenuItem("Show", 1);
             EXPECT_TRUE(d.MenuOpen());
             d.PressKey(VK_ESCAPE);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        notes.clear();
        returned = false;
        Track(0);
        ASSERT_TRUE(desktop.MenuOpen());
        c.act(desktop);
        EXPECT_FALSE(desktop.MenuOpen());
        EXPECT_TRUE(returned);
        EXPECT_EQ(result, TRUE);
        EXPECT_TRUE(Notes({WM_COMMAND}).empty());
        EXPECT_EQ(Notes(MenuMessages()).back().message, static_cast<UINT>(WM_EXITMENULOOP));
    }
}

TEST_F(PopupMenu, RightButtonChoosesWithTpmRightButton) {
    Track(TPM_RIGHTBUTTON);
    desktop.ClickMenuItem("Show", 1);
    EXPECT_EQ(Notes({WM_COMMAND}), (std::vector<Note>{{WM_COMMAND, IDM_SHOW, 0}}));
}

TEST_F(PopupMenu, KeysMoveOverEnabledItemsAndChoose) {
    const struct {
        std::vector<UINT> keys;
        BOOL chosen;
    } cases[] = {
        {{VK_DOWN, VK_RETURN}, IDM_SHOW},
        {{VK_DOWN, VK_DOWN, VK_RETURN}, IDM_OPTIONS},    // over the separator
        {{VK_UP, VK_RETURN}, IDM_EXIT},                  // from the end
        {{VK_UP, VK_UP, VK_UP, VK_RETURN}, IDM_OPTIONS}, // over the greyed item
        {{VK_DOWN, VK_UP, VK_RETURN}, IDM_EXIT},         // wrapping
        {{'X'}, IDM_EXIT},                               // a mnemonic chooses at once
        {{'O'}, IDM_OPTIONS},
        {{'D', VK_RETURN, VK_ESCAPE}, 0},                 // a greyed item is not chosen
        {{VK_UP, VK_UP, VK_RIGHT, VK_RETURN}, IDM_INNER}, // into the submenu
        {{'M', 'I'}, IDM_INNER},
        {{'M', VK_ESCAPE, VK_DOWN, VK_RETURN}, IDM_EXIT}, // Esc closes only the submenu
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.keys));
        notes.clear();
        returned = false;
        Track(TPM_RETURNCMD);
        for (UINT key : c.keys)
            desktop.PressKey(key);
        EXPECT_FALSE(desktop.MenuOpen());
        EXPECT_TRUE(returned);
        EXPECT_EQ(result, c.chosen);
        // With TPM_RETURNCMD the command is returned, not sent.
        EXPECT_TRUE(Notes({WM_COMMAND}).empty());
    }
}

TEST_F(PopupMenu, SubmenuOpensBesideItsItemWithItsOwnInitialisation) {
    Track(0);
    desktop.ClickMenuItem("More");
    auto open = desktop.OpenMenus();
    ASSERT_EQ(open.size(), 2u);
    EXPECT_EQ(open[1].menu, GetSubMenu(menu, 4));
    EXPECT_EQ(
        Notes({WM_INITMENUPOPUP}).back(),
        (Note{WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(open[1].menu), MAKELPARAM(4, FALSE)}));
    RECT parent = MenuWindowRect();
    RECT child;
    GetWindowRect(open[1].window, &child);
    EXPECT_GT(child.left, parent.left + (parent.right - parent.left) / 2);
    EXPECT_EQ(child.top + 3, open[0].items[4].rect.top);
    desktop.ClickMenuItem("Inner");
    EXPECT_FALSE(desktop.MenuOpen());
    EXPECT_EQ(Notes({WM_UNINITMENUPOPUP}).size(), 2u);
    EXPECT_EQ(Notes({WM_COMMAND}), (std::vector<Note>{{WM_COMMAND, IDM_INNER, 0}}));
}

TEST_F(PopupMenu, AlignmentAndTheScreensEdges) {
    Track(0);
    RECT size = MenuWindowRect();
    desktop.CancelMenu();
    const int width = size.right - size.left;
    const int height = size.bottom - size.top;
    const struct {
        UINT flags;
        POINT at;
        POINT topLeft;
    } cases[] = {
        {TPM_RIGHTALIGN | TPM_BOTTOMALIGN, {500, 400}, {500 - width, 400 - height}},
        {TPM_CENTERALIGN | TPM_VCENTERALIGN, {500, 400}, {500 - width / 2, 400 - height / 2}},
        // Past the right and bottom edges, the menu opens the other way from the point.
        {0, {1020, 760}, {1020 - width, 760 - height}},
        // Past the left and top edges, it slides onto the screen.
        {TPM_RIGHTALIGN | TPM_BOTTOMALIGN, {5, 5}, {0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.flags);
        Track(c.flags, c.at);
        RECT r = MenuWindowRect();
        EXPECT_EQ(r.left, c.topLeft.x);
        EXPECT_EQ(r.top, c.topLeft.y);
        desktop.CancelMenu();
    }
}

TEST_F(PopupMenu, OwnersTimersKeepFiringWhileTheMenuIsOpenAndEndMenuClosesIt) {
    int ticks = 0;
    onMessage = [&](UINT message, WPARAM, LPARAM) {
        if (message == WM_TIMER && ++ticks == 3)
            EndMenu();
    };
    desktop.Call([&] { SetTimer(owner, 7, 100, nullptr); });
    Track(0);
    desktop.Advance(250);
    EXPECT_EQ(ticks, 2);
    EXPECT_TRUE(desktop.MenuOpen());
    desktop.Advance(100);
    EXPECT_EQ(ticks, 3);
    EXPECT_FALSE(desktop.MenuOpen());
    EXPECT_TRUE(returned);
    EXPECT_TRUE(Notes({WM_COMMAND}).empty());
}

TEST_F(PopupMenu, NoNotifyLeavesOutTheNotifications) {
    Track(TPM_NONOTIFY | TPM_RETURNCMD);
    desktop.ChooseMenuItem("Show");
    EXPECT_EQ(result, IDM_SHOW);
    EXPECT_TRUE(Notes(MenuMessages()).empty());
    EXPECT_TRUE(Notes({WM_MENUSELECT}).empty());
}

TEST_F(PopupMenu, BadMenuOrOwnerFails) {
    HWND destroyed = nullptr;
    desktop.Call([&] {
        destroyed = CreateWindowExA(0, "MenuOwner", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                    nullptr, nullptr);
        DestroyWindow(destroyed);
    });
    HMENU gone = CreatePopupMenu();
    DestroyMenu(gone);
    const struct {
        HMENU menu;
        HWND owner;
        DWORD error;
    } cases[] = {
        {gone, owner, ERROR_INVALID_MENU_HANDLE},
        {nullptr, owner, ERROR_INVALID_MENU_HANDLE},
        {menu, destroyed, ERROR_INVALID_WINDOW_HANDLE},
        {menu, nullptr, ERROR_INVALID_WINDOW_HANDLE},
    };
    for (const auto& c : cases) {
        BOOL ok = TRUE;
        DWORD error = 0;
        desktop.Call([&] {
            ok = TrackPopupMenu(c.menu, 0, 10, 10, 0, c.owner, nullptr);
            error = GetLastError();
        });
        EXPECT_FALSE(ok);
        EXPECT_EQ(error, c.error);
    }
    EXPECT_FALSE(desktop.MenuOpen());
}

TEST_F(PopupMenu, OnlyOneMenuIsOpenAtATime) {
    Track(0);
    BOOL ok = TRUE;
    DWORD error = 0;
    desktop.Call([&] {
        ok = TrackPopupMenu(menu, 0, 10, 10, 0, owner, nullptr);
        error = GetLastError();
    });
    EXPECT_FALSE(ok);
    EXPECT_EQ(error, 1446u); // ERROR_POPUP_ALREADY_ACTIVE
    EXPECT_EQ(desktop.OpenMenus().size(), 1u);
    desktop.CancelMenu();
}

} // namespace
} // namespace qv::test
