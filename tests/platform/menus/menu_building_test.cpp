// Building menus and asking about their items; no message loop is needed for these.
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <windows.h>

namespace {

constexpr UINT kNone = static_cast<UINT>(-1);

std::string StringOf(HMENU menu, UINT item, UINT flags) {
    char buffer[64] = {};
    int n = GetMenuStringA(menu, item, buffer, sizeof buffer, flags);
    return std::string(buffer, static_cast<size_t>(n));
}

// A menu of:  0 "&New" (5), 1 "&Open" (10), 2 separator, 3 "&Recent" -> {20, 21},
//             4 "Sa&ve" (25), 5 "E&xit\tAlt+F4" (30)
class MenuBuilding : public ::testing::Test {
protected:
    void SetUp() override {
        menu = CreatePopupMenu();
        sub = CreatePopupMenu();
        ASSERT_TRUE(AppendMenuA(sub, MF_STRING, 20, "First"));
        ASSERT_TRUE(AppendMenuA(sub, MF_STRING, 21, "Second"));
        ASSERT_TRUE(AppendMenuA(menu, MF_STRING, 10, "&Open"));
        ASSERT_TRUE(AppendMenuA(menu, MF_SEPARATOR, 0, nullptr));
        ASSERT_TRUE(AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "&Recent"));
        ASSERT_TRUE(AppendMenuA(menu, MF_STRING, 30, "E&xit\tAlt+F4"));
        ASSERT_TRUE(InsertMenuA(menu, 0, MF_BYPOSITION | MF_STRING, 5, "&New"));
        ASSERT_TRUE(InsertMenuA(menu, 30, MF_BYCOMMAND | MF_STRING, 25, "Sa&ve"));
    }
    void TearDown() override { DestroyMenu(menu); }

    HMENU menu = nullptr;
    HMENU sub = nullptr;
};

TEST_F(MenuBuilding, ItemsSitWhereTheyWereAppendedAndInserted) {
    ASSERT_EQ(GetMenuItemCount(menu), 6);
    const struct {
        UINT id;
        const char* text;
    } expected[] = {{5, "&New"},        {10, "&Open"}, {0, ""},
                    {kNone, "&Recent"}, {25, "Sa&ve"}, {30, "E&xit\tAlt+F4"}};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(GetMenuItemID(menu, i), expected[i].id);
        EXPECT_EQ(StringOf(menu, static_cast<UINT>(i), MF_BYPOSITION), expected[i].text);
        EXPECT_EQ(GetSubMenu(menu, i), i == 3 ? sub : nullptr);
    }
    EXPECT_EQ(GetMenuItemID(menu, 6), kNone);
    EXPECT_EQ(GetSubMenu(menu, 6), nullptr);
    // By command, items of submenus are found too.
    EXPECT_EQ(StringOf(menu, 21, MF_BYCOMMAND), "Second");
    EXPECT_EQ(GetMenuStringA(menu, 99, nullptr, 0, MF_BYCOMMAND), 0);
}

TEST_F(MenuBuilding, CheckAndEnableReturnThePreviousStateAndShowInGetMenuState) {
    EXPECT_EQ(CheckMenuItem(menu, 10, MF_BYCOMMAND | MF_CHECKED), static_cast<DWORD>(MF_UNCHECKED));
    EXPECT_EQ(CheckMenuItem(menu, 10, MF_BYCOMMAND | MF_CHECKED), static_cast<DWORD>(MF_CHECKED));
    EXPECT_EQ(CheckMenuItem(menu, 99, MF_BYCOMMAND | MF_CHECKED), static_cast<DWORD>(-1));
    EXPECT_EQ(EnableMenuItem(menu, 4, MF_BYPOSITION | MF_GRAYED), MF_ENABLED);
    EXPECT_EQ(EnableMenuItem(menu, 4, MF_BYPOSITION | MF_DISABLED), MF_GRAYED);
    EXPECT_EQ(EnableMenuItem(menu, 21, MF_BYCOMMAND | MF_GRAYED), MF_ENABLED);
    EXPECT_EQ(EnableMenuItem(menu, 99, MF_BYCOMMAND | MF_GRAYED), -1);

    EXPECT_EQ(GetMenuState(menu, 10, MF_BYCOMMAND), static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(GetMenuState(menu, 25, MF_BYCOMMAND), static_cast<UINT>(MF_DISABLED));
    EXPECT_EQ(GetMenuState(sub, 1, MF_BYPOSITION), static_cast<UINT>(MF_GRAYED));
    EXPECT_EQ(GetMenuState(menu, 2, MF_BYPOSITION), static_cast<UINT>(MF_SEPARATOR));
    // An item that opens a submenu: its flags in the low byte, the submenu's item count above.
    EXPECT_EQ(GetMenuState(menu, 3, MF_BYPOSITION), static_cast<UINT>((2 << 8) | MF_POPUP));
    EXPECT_EQ(GetMenuState(menu, 99, MF_BYCOMMAND), kNone);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MENU_ITEM_NOT_FOUND));
}

TEST_F(MenuBuilding, DefaultItemBySetMenuDefaultItem) {
    EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, 0), kNone);
    EXPECT_TRUE(SetMenuDefaultItem(menu, 10, FALSE));
    EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, 0), 10u);
    EXPECT_EQ(GetMenuDefaultItem(menu, TRUE, 0), 1u);
    EXPECT_EQ(GetMenuState(menu, 10, MF_BYCOMMAND), static_cast<UINT>(MF_DEFAULT));
    // One default at a time.
    EXPECT_TRUE(SetMenuDefaultItem(menu, 5, TRUE));
    EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, 0), 30u);
    EXPECT_EQ(GetMenuState(menu, 10, MF_BYCOMMAND), 0u);
    // A disabled default counts only when asked for.
    EnableMenuItem(menu, 30, MF_BYCOMMAND | MF_GRAYED);
    EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, 0), kNone);
    EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, GMDI_USEDISABLED), 30u);
    // An id with no item fails and leaves the default; -1 clears it.
    EXPECT_FALSE(SetMenuDefaultItem(menu, 99, FALSE));
    EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, GMDI_USEDISABLED), 30u);
    EXPECT_TRUE(SetMenuDefaultItem(menu, kNone, FALSE));
    EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, GMDI_USEDISABLED), kNone);
    // Into submenus: the submenu's own default item.
    SetMenuDefaultItem(menu, 3, TRUE);
    SetMenuDefaultItem(sub, 21, FALSE);
    EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, GMDI_GOINTOPOPUPS), 21u);
    EXPECT_EQ(GetMenuDefaultItem(menu, TRUE, 0), 3u);
}

TEST_F(MenuBuilding, RemoveKeepsTheSubmenuDeleteAndDestroyFreeIt) {
    ASSERT_TRUE(RemoveMenu(menu, 3, MF_BYPOSITION));
    EXPECT_TRUE(IsMenu(sub));
    EXPECT_EQ(GetMenuItemCount(menu), 5);
    ASSERT_TRUE(
        InsertMenuA(menu, 0, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "Again"));
    ASSERT_TRUE(DeleteMenu(menu, 0, MF_BYPOSITION));
    EXPECT_FALSE(IsMenu(sub));

    HMENU other = CreatePopupMenu();
    AppendMenuA(other, MF_STRING, 1, "x");
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(other), "Other");
    // By command, the item is looked for in submenus too.
    ASSERT_TRUE(DeleteMenu(menu, 1, MF_BYCOMMAND));
    EXPECT_EQ(GetMenuItemCount(other), 0);
    EXPECT_FALSE(DeleteMenu(menu, 1, MF_BYCOMMAND));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MENU_ITEM_NOT_FOUND));
    EXPECT_TRUE(DestroyMenu(menu));
    EXPECT_FALSE(IsMenu(other));
    menu = nullptr;
}

TEST_F(MenuBuilding, ModifyAndItemInfo) {
    ASSERT_TRUE(ModifyMenuA(menu, 10, MF_BYCOMMAND | MF_STRING | MF_CHECKED, 11, "&Load"));
    EXPECT_EQ(GetMenuItemID(menu, 1), 11u);
    EXPECT_EQ(StringOf(menu, 11, MF_BYCOMMAND), "&Load");
    EXPECT_EQ(GetMenuState(menu, 11, MF_BYCOMMAND), static_cast<UINT>(MF_CHECKED));

    char text[4] = {};
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING | MIIM_FTYPE;
    info.dwTypeData = text;
    info.cch = sizeof text;
    ASSERT_TRUE(GetMenuItemInfoA(menu, 3, TRUE, &info));
    EXPECT_EQ(info.hSubMenu, sub);
    EXPECT_STREQ(text, "&Re"); // cut to the buffer
    EXPECT_EQ(info.cch, 3u);
    info.dwTypeData = nullptr;
    ASSERT_TRUE(GetMenuItemInfoA(menu, 30, FALSE, &info));
    EXPECT_EQ(info.cch, 12u); // the length, when no buffer is given
    EXPECT_EQ(info.wID, 30u);

    MENUITEMINFOA change{};
    change.cbSize = sizeof change;
    change.fMask = MIIM_STATE | MIIM_STRING;
    change.fState = MFS_GRAYED | MFS_CHECKED;
    change.dwTypeData = const_cast<char*>("Quit");
    ASSERT_TRUE(SetMenuItemInfoA(menu, 30, FALSE, &change));
    EXPECT_EQ(StringOf(menu, 30, MF_BYCOMMAND), "Quit");
    EXPECT_EQ(GetMenuState(menu, 30, MF_BYCOMMAND),
              static_cast<UINT>(MF_GRAYED | MF_DISABLED | MF_CHECKED));

    change.cbSize = 3;
    EXPECT_FALSE(SetMenuItemInfoA(menu, 30, FALSE, &change));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST(MenuHandles, BadHandlesFailWithInvalidMenuHandle) {
    HMENU destroyed = CreateMenu();
    DestroyMenu(destroyed);
    for (HMENU bad : {static_cast<HMENU>(nullptr), destroyed, reinterpret_cast<HMENU>(0x1234)}) {
        const struct {
            const char* call;
            std::function<bool()> fails;
        } calls[] = {
            {"IsMenu", [&] { return !IsMenu(bad); }},
            {"DestroyMenu", [&] { return !DestroyMenu(bad); }},
            {"AppendMenuA", [&] { return !AppendMenuA(bad, MF_STRING, 1, "x"); }},
            {"InsertMenuA", [&] { return !InsertMenuA(bad, 0, MF_BYPOSITION, 1, "x"); }},
            {"ModifyMenuA", [&] { return !ModifyMenuA(bad, 0, MF_BYPOSITION, 1, "x"); }},
            {"DeleteMenu", [&] { return !DeleteMenu(bad, 0, MF_BYPOSITION); }},
            {"GetMenuItemCount", [&] { return GetMenuItemCount(bad) == -1; }},
            {"GetMenuItemID", [&] { return GetMenuItemID(bad, 0) == kNone; }},
            {"GetSubMenu", [&] { return GetSubMenu(bad, 0) == nullptr; }},
            {"GetMenuState", [&] { return GetMenuState(bad, 0, MF_BYPOSITION) == kNone; }},
            {"CheckMenuItem",
             [&] { return CheckMenuItem(bad, 0, MF_BYPOSITION) == static_cast<DWORD>(-1); }},
            {"EnableMenuItem", [&] { return EnableMenuItem(bad, 0, MF_BYPOSITION) == -1; }},
            {"SetMenuDefaultItem", [&] { return !SetMenuDefaultItem(bad, 0, TRUE); }},
            {"GetMenuDefaultItem", [&] { return GetMenuDefaultItem(bad, TRUE, 0) == kNone; }},
            {"submenu",
             [&] {
                 HMENU m = CreateMenu();
                 bool failed = !AppendMenuA(m, MF_POPUP, reinterpret_cast<UINT_PTR>(bad), "x");
                 DestroyMenu(m);
                 return failed;
             }},
        };
        for (const auto& c : calls) {
            SCOPED_TRACE(c.call);
            SetLastError(0);
            EXPECT_TRUE(c.fails());
            EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE));
        }
    }
}

} // namespace
