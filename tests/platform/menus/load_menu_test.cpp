// Menus from the module's resources and from templates in memory.
#include "menus.h"

#include <gtest/gtest.h>
#include <string>
#include <windows.h>

namespace {

std::string TextAt(HMENU menu, int position) {
    char buffer[64] = {};
    int n = GetMenuStringA(menu, static_cast<UINT>(position), buffer, sizeof buffer, MF_BYPOSITION);
    return std::string(buffer, static_cast<size_t>(n));
}

void ExpectContextMenu(HMENU bar) {
    ASSERT_TRUE(IsMenu(bar));
    ASSERT_EQ(GetMenuItemCount(bar), 1);
    EXPECT_EQ(TextAt(bar, 0), "Context");
    HMENU popup = GetSubMenu(bar, 0);
    ASSERT_EQ(GetMenuItemCount(popup), 6);
    const struct {
        const char* text;
        UINT id;
        UINT state;
    } items[] = {
        {"&Show", IDM_SHOW, 0},
        {"", 0, MF_SEPARATOR},
        {"&Options", IDM_OPTIONS, MF_CHECKED},
        {"&Disabled", IDM_DISABLED, MF_GRAYED},
        {"&More", static_cast<UINT>(-1), (1 << 8) | MF_POPUP},
        {"E&xit\tAlt+X", IDM_EXIT, 0},
    };
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(TextAt(popup, i), items[i].text);
        EXPECT_EQ(GetMenuItemID(popup, i), items[i].id);
        EXPECT_EQ(GetMenuState(popup, static_cast<UINT>(i), MF_BYPOSITION), items[i].state);
    }
    EXPECT_EQ(TextAt(GetSubMenu(popup, 4), 0), "&Inner");
    EXPECT_EQ(GetMenuItemID(GetSubMenu(popup, 4), 0), static_cast<UINT>(IDM_INNER));
}

TEST(LoadMenu, FromTheModulesResources) {
    HMENU bar = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCE(IDM_CONTEXT));
    ExpectContextMenu(bar);
    EXPECT_TRUE(DestroyMenu(bar));
    bar = LoadMenuA(nullptr, "#100");
    ExpectContextMenu(bar);
    DestroyMenu(bar);
}

TEST(LoadMenu, IndirectFromTheTemplateInMemory) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCE(IDM_CONTEXT), RT_MENU);
    ASSERT_NE(found, nullptr);
    HMENU bar = LoadMenuIndirectA(LockResource(LoadResource(nullptr, found)));
    ExpectContextMenu(bar);
    DestroyMenu(bar);
}

TEST(LoadMenu, MissingMenuFails) {
    SetLastError(0);
    EXPECT_EQ(LoadMenuA(nullptr, MAKEINTRESOURCE(999)), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
}

} // namespace
