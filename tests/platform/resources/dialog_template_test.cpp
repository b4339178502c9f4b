// ParseDialogTemplate on the test script's classic and extended dialogs.
#include "test_resources.h"

#include "user/dialog_template.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

// Styles of the list box and scroll bar our headers do not declare.
constexpr DWORD kListBoxNotify = 0x0001;
constexpr DWORD kScrollBarVertical = 0x0001;

std::optional<qv::user::DialogTemplate> Load(int id) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCE(id), RT_DIALOG);
    if (found == nullptr) {
        return std::nullopt;
    }
    return qv::user::ParseDialogTemplate(LockResource(LoadResource(nullptr, found)),
                                         SizeofResource(nullptr, found));
}

struct ItemCase {
    int id;
    const char* className;
    const char* text;
    WORD textOrdinal;
    DWORD style;
    short x, y, cx, cy;
};

void ExpectItems(const std::vector<qv::user::DialogItem>& items, const std::vector<ItemCase>& expected) {
    ASSERT_EQ(items.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const ItemCase& e = expected[i];
        const qv::user::DialogItem& item = items[i];
        SCOPED_TRACE("item " + std::to_string(i) + " (id " + std::to_string(e.id) + ")");
        EXPECT_EQ(item.id, e.id);
        EXPECT_EQ(item.className, e.className);
        EXPECT_EQ(item.text, e.text);
        EXPECT_EQ(item.textOrdinal, e.textOrdinal);
        EXPECT_EQ(item.style, e.style) << std::hex << item.style << " instead of " << e.style;
        EXPECT_EQ(item.x, e.x);
        EXPECT_EQ(item.y, e.y);
        EXPECT_EQ(item.cx, e.cx);
        EXPECT_EQ(item.cy, e.cy);
    }
}

TEST(DialogTemplate, ReadsAClassicTemplate) {
    auto dialog = Load(IDD_CLASSIC);
    ASSERT_TRUE(dialog);
    EXPECT_FALSE(dialog->extended);
    EXPECT_EQ(dialog->style, DWORD(DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU));
    EXPECT_EQ(dialog->x, 10);
    EXPECT_EQ(dialog->y, 20);
    EXPECT_EQ(dialog->cx, 200);
    EXPECT_EQ(dialog->cy, 100);
    EXPECT_EQ(dialog->caption, "Classic");
    EXPECT_TRUE(dialog->menu.empty());
    EXPECT_EQ(dialog->menuOrdinal, 0);
    ASSERT_TRUE(dialog->hasFont);
    EXPECT_EQ(dialog->pointSize, 9);
    EXPECT_EQ(dialog->faceName, "Arial");

    const DWORD child = WS_CHILD | WS_VISIBLE;
    ExpectItems(dialog->items,
                {
                    {IDOK, "BUTTON", "OK", 0, child | BS_DEFPUSHBUTTON | WS_TABSTOP, 5, 6, 50, 14},
                    {210, "EDIT", "", 0, child | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 5, 25, 60, 12},
                    {211, "STATIC", "Caf\xe9", 0, child | SS_LEFT | WS_GROUP, 5, 40, 60, 8},
                    {212, "LISTBOX", "", 0, child | kListBoxNotify | WS_BORDER | WS_VSCROLL, 70, 5, 60, 40},
                    {213, "SCROLLBAR", "", 0, child | kScrollBarVertical, 140, 5, 10, 40},
                    {214, "COMBOBOX", "", 0, child | CBS_DROPDOWNLIST, 70, 50, 60, 60},
                    {215, "STATIC", "", IDI_RGBA, child | SS_ICON, 160, 5, 0, 0},
                    {216, "MYCONTROL", "Custom", 0, child | WS_TABSTOP, 160, 50, 30, 10},
                });
}

TEST(DialogTemplate, ReadsAnExtendedTemplate) {
    auto dialog = Load(IDD_EXTENDED);
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(dialog->extended);
    EXPECT_EQ(dialog->style, DWORD(DS_SHELLFONT | WS_POPUP | WS_CAPTION));
    EXPECT_EQ(dialog->exStyle, DWORD(WS_EX_TOPMOST));
    EXPECT_EQ(dialog->helpId, 77u);
    EXPECT_EQ(dialog->cx, 120);
    EXPECT_EQ(dialog->cy, 60);
    EXPECT_EQ(dialog->menuOrdinal, IDM_TEST);
    EXPECT_EQ(dialog->className, "TESTDIALOGCLASS") << "the compiler writes class names in capitals";
    EXPECT_EQ(dialog->caption, "Extended");
    ASSERT_TRUE(dialog->hasFont);
    EXPECT_EQ(dialog->pointSize, 8);
    EXPECT_EQ(dialog->weight, 700);
    EXPECT_EQ(dialog->italic, 1);
    EXPECT_EQ(dialog->charset, 1);
    EXPECT_EQ(dialog->faceName, "MS Shell Dlg");

    const DWORD child = WS_CHILD | WS_VISIBLE;
    ExpectItems(dialog->items, {
                                   {IDOK, "BUTTON", "&Go", 0, child | BS_PUSHBUTTON | WS_TABSTOP, 4, 4, 40, 14},
                                   {220, "STATIC", "", 0, child | SS_SUNKEN, 4, 24, 40, 10},
                               });
    EXPECT_EQ(dialog->items[0].exStyle, DWORD(WS_EX_CLIENTEDGE));
    EXPECT_EQ(dialog->items[0].helpId, 55u);
}

TEST(DialogTemplate, HasNoFontWithoutSetFont) {
    auto dialog = Load(IDD_NO_FONT);
    ASSERT_TRUE(dialog);
    EXPECT_FALSE(dialog->hasFont);
    EXPECT_TRUE(dialog->faceName.empty());
    EXPECT_TRUE(dialog->items.empty());
}

} // namespace
