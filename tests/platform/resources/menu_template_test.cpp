// ParseMenuTemplate on the test script's menu.
#include "test_resources.h"

#include "user/menu_template.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

namespace flags = qv::user::menu_flags;

TEST(MenuTemplate, ReadsPopupsItemsAndSeparators) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCE(IDM_TEST), RT_MENU);
    ASSERT_NE(found, nullptr);
    auto menu = qv::user::ParseMenuTemplate(LockResource(LoadResource(nullptr, found)),
                                            SizeofResource(nullptr, found));
    ASSERT_TRUE(menu);
    ASSERT_EQ(menu->size(), 2u);

    const qv::user::MenuItem& file = (*menu)[0];
    EXPECT_EQ(file.flags, flags::kPopup);
    EXPECT_EQ(file.text, "&File");
    ASSERT_EQ(file.children.size(), 3u);

    struct Expected {
        UINT flags;
        UINT id;
        const char* text;
    };
    const Expected items[] = {
        {0, IDM_OPEN, "&Open"},
        {flags::kSeparator, 0, ""},
        {flags::kChecked | flags::kGrayed, IDM_EXIT, "E&xit"},
    };
    for (size_t i = 0; i < std::size(items); ++i) {
        EXPECT_EQ(file.children[i].flags, items[i].flags) << "item " << i;
        EXPECT_EQ(file.children[i].id, items[i].id) << "item " << i;
        EXPECT_EQ(file.children[i].text, items[i].text) << "item " << i;
        EXPECT_TRUE(file.children[i].children.empty()) << "item " << i;
    }

    const qv::user::MenuItem& help = (*menu)[1];
    EXPECT_EQ(help.flags, flags::kDisabled);
    EXPECT_EQ(help.id, UINT{IDM_HELP});
    EXPECT_EQ(help.text, "&Help");
}

} // namespace
