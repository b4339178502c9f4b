// The window menu: its items by window style, and opening it with Alt+Space or the caption's
// icon; its commands come back as WM_SYSCOMMAND.
#include "MenuOwner.h"

#include <gtest/gtest.h>
#include <string>

namespace qv::test {
namespace {

struct Item {
    std::string text;
    UINT id;
    UINT state;
    bool operator==(const Item&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Item& i) {
    return os << "{\"" << i.text << "\", " << std::hex << i.id << ", " << i.state << std::dec
              << "}";
}

std::vector<Item> ItemsOf(HMENU menu) {
    std::vector<Item> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[64] = {};
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        items.push_back(Item{text, GetMenuItemID(menu, i),
                             GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION)});
    }
    return items;
}

constexpr UINT kGrey = MF_GRAYED;
const Item kRestore{"&Restore", SC_RESTORE, 0};
const Item kMove{"&Move", SC_MOVE, 0};
const Item kSize{"&Size", SC_SIZE, 0};
const Item kMinimize{"Mi&nimize", SC_MINIMIZE, 0};
const Item kMaximize{"Ma&ximize", SC_MAXIMIZE, 0};
const Item kSeparator{"", 0, MF_SEPARATOR};
const Item kClose{"&Close\tAlt+F4", SC_CLOSE, MF_DEFAULT};

Item Greyed(Item i) {
    i.state |= kGrey;
    return i;
}

TEST(SystemMenu, ItemsFollowTheWindowsStyle) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "PlainWindow";
    RegisterClassA(&wc);
    const struct {
        const char* name;
        DWORD style;
        DWORD exStyle;
        std::vector<Item> items;
    } cases[] = {
        {"overlapped window",
         WS_OVERLAPPEDWINDOW,
         0,
         {Greyed(kRestore), kMove, kSize, kMinimize, kMaximize, kSeparator, kClose}},
        {"fixed frame with a minimise box",
         WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
         0,
         {Greyed(kRestore), kMove, Greyed(kSize), kMinimize, Greyed(kMaximize), kSeparator,
          kClose}},
        {"dialog frame", WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME, {kMove, kClose}},
        {"no system menu", WS_OVERLAPPED | WS_CAPTION, 0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HWND hwnd = CreateWindowExA(c.exStyle, "PlainWindow", "", c.style, 0, 0, 200, 100, nullptr,
                                    nullptr, nullptr, nullptr);
        ASSERT_NE(hwnd, nullptr);
        HMENU menu = GetSystemMenu(hwnd, FALSE);
        EXPECT_EQ(menu == nullptr, c.items.empty());
        EXPECT_EQ(ItemsOf(menu), c.items);
        // The window keeps its own copy until it is reverted.
        EXPECT_EQ(GetSystemMenu(hwnd, FALSE), menu);
        DestroyWindow(hwnd);
    }
}

class SystemMenuOfWindow : public MenuOwnerTest {
protected:
    void SetUp() override {
        StartOwner();
        desktop.Call([this] {
            ASSERT_TRUE(AppendMenuA(GetSystemMenu(owner, FALSE), MF_STRING, 16, "&About..."));
        });
    }
};

TEST_F(SystemMenuOfWindow, RevertGivesBackTheStandardMenu) {
    HMENU before = GetSystemMenu(owner, FALSE);
    EXPECT_EQ(GetMenuItemCount(before), 8);
    EXPECT_EQ(GetSystemMenu(owner, TRUE), nullptr);
    EXPECT_FALSE(IsMenu(before));
    EXPECT_EQ(GetMenuItemCount(GetSystemMenu(owner, FALSE)), 7);
}

TEST_F(SystemMenuOfWindow, AltSpaceOpensItBelowTheCaptionAndAnAppendedItemComesAsSysCommand) {
    desktop.PressAltKey(VK_SPACE);
    auto open = desktop.OpenMenus();
    ASSERT_EQ(open.size(), 1u);
    EXPECT_TRUE(open[0].systemMenu);
    EXPECT_EQ(open[0].menu, GetSystemMenu(owner, FALSE));
    POINT client{0, 0};
    ClientToScreen(owner, &client);
    RECT r;
    GetWindowRect(open[0].window, &r);
    EXPECT_EQ(r.left, client.x);
    EXPECT_EQ(r.top, client.y);
    // Opened by a key, the first enabled item is highlighted.
    EXPECT_EQ(open[0].highlighted, 1);
    EXPECT_EQ(Notes({WM_INITMENUPOPUP}),
              (std::vector<Note>{{WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(open[0].menu),
                                  MAKELPARAM(0, TRUE)}}));
    EXPECT_EQ(Notes({WM_ENTERMENULOOP}), (std::vector<Note>{{WM_ENTERMENULOOP, FALSE, 0}}));

    desktop.ClickMenuItem("About...");
    EXPECT_FALSE(desktop.MenuOpen());
    EXPECT_EQ(Notes({WM_COMMAND, WM_SYSCOMMAND}).back(), (Note{WM_SYSCOMMAND, 16, 0}));
    EXPECT_TRUE(IsWindow(owner));
}

TEST_F(SystemMenuOfWindow, CloseChosenWithTheKeyboardClosesTheWindow) {
    desktop.PressAltKey(VK_SPACE);
    desktop.ChooseMenuItem("Close");
    EXPECT_EQ(Notes({WM_SYSCOMMAND}).back(), (Note{WM_SYSCOMMAND, SC_CLOSE, 0}));
    EXPECT_EQ(desktop.ExitCode(), 0);
    EXPECT_FALSE(IsWindow(owner));
}

TEST_F(SystemMenuOfWindow, PressOnTheCaptionIconOpensIt) {
    RECT window;
    GetWindowRect(owner, &window);
    POINT client{0, 0};
    ClientToScreen(owner, &client);
    desktop.ClickAt(POINT{client.x + 4, window.top + (client.y - window.top) / 2});
    auto open = desktop.OpenMenus();
    ASSERT_EQ(open.size(), 1u);
    EXPECT_TRUE(open[0].systemMenu);
    EXPECT_EQ(open[0].highlighted, -1);
    desktop.ClickMenuItem("Minimize");
    EXPECT_EQ(Notes({WM_SYSCOMMAND}).back(), (Note{WM_SYSCOMMAND, SC_MINIMIZE, 0}));
    EXPECT_TRUE(IsIconic(owner));
}

} // namespace
} // namespace qv::test
