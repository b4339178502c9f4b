#include "SystemTest.h"

#include "res/resource.h"

#include <commctrl.h>

namespace qv::test {
namespace {

class AboutBox : public SystemTest {
protected:
    // The About box: the other top-level window with the product's caption.
    HWND Find() const {
        for (HWND h : TopLevels("Quorva Velocitor"))
            if (h != main)
                return h;
        return nullptr;
    }

    HWND Open(WPARAM command = 16) {
        PostMessageA(main, WM_SYSCOMMAND, command, 0);
        desktop.WaitIdle();
        return Find();
    }
};

TEST_F(AboutBox, TheSystemMenuCommandOpensItWithAnyLowBits) {
    StartProgram();
    for (WPARAM command : {16, 17, 31}) {
        HWND about = Open(command);
        ASSERT_NE(about, nullptr) << "command " << command;
        desktop.PressKey(VK_ESCAPE);
        EXPECT_FALSE(IsWindow(about));
    }
}

TEST_F(AboutBox, ShowsTheProductNameVersionAndIcon) {
    StartProgram();
    HWND about = Open();
    ASSERT_NE(about, nullptr);
    HWND text = nullptr;
    for (HWND h = GetWindow(about, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
        if (desktop.Text(h) == "Quorva Velocitor 5.3.0")
            text = h;
    EXPECT_NE(text, nullptr);
    HWND icon = GetDlgItem(about, IDR_MAINFRAME);
    ASSERT_NE(icon, nullptr);
    EXPECT_NE(SendMessageA(icon, STM_GETICON, 0, 0), 0);
    EXPECT_FALSE(IsWindowEnabled(main)) << "the main window takes no input while it is shown";
}

struct Closing {
    const char* how;
    UINT key; // 0: a click on OK
    INT_PTR code;
};

std::ostream& operator<<(std::ostream& os, const Closing& c) { return os << c.how; }

class AboutBoxClosing : public AboutBox, public ::testing::WithParamInterface<Closing> {};

TEST_P(AboutBoxClosing, EndsWithItsCodeAndLeavesTheMainWindowAsItWas) {
    StartProgram();
    HWND about = Open();
    ASSERT_NE(about, nullptr);
    if (GetParam().key)
        desktop.PressKey(GetParam().key);
    else
        desktop.Click(GetDlgItem(about, IDOK));
    EXPECT_FALSE(IsWindow(about));
    auto ended = Ended();
    ASSERT_FALSE(ended.empty());
    EXPECT_EQ(ended.back().first, about);
    EXPECT_EQ(ended.back().second, GetParam().code);
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_TRUE(IsWindowEnabled(main));
    EXPECT_EQ(GetActiveWindow(), main) << "the main window takes the keyboard again";
    EXPECT_TRUE(IsChild(main, GetFocus()));
    EXPECT_TRUE(desktop.Running());
}

INSTANTIATE_TEST_SUITE_P(Cases, AboutBoxClosing,
                         ::testing::Values(Closing{"OK", 0, IDOK}, Closing{"Enter", VK_RETURN, IDOK},
                                           Closing{"Esc", VK_ESCAPE, IDCANCEL}));

TEST_F(AboutBox, TheTrayMenusAboutCommandOpensItToo) {
    StartProgram();
    PostMessageA(main, WM_COMMAND, 32776, 0);
    desktop.WaitIdle();
    EXPECT_NE(Find(), nullptr);
}

TEST_F(AboutBox, OtherSystemCommandsGetTheDefaultHandling) {
    StartProgram();
    PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    desktop.WaitIdle();
    EXPECT_TRUE(IsIconic(main));
    EXPECT_EQ(Find(), nullptr);
}

TEST_F(AboutBox, ItsOkButtonGetsAToolTipWindowButNeverATool) {
    StartProgram();
    HWND about = Open();
    ASSERT_NE(about, nullptr);
    HWND ok = GetDlgItem(about, IDOK);
    desktop.MoveTo(desktop.CenterOf(ok));
    desktop.Advance(2000);
    HWND tip = nullptr;
    for (HWND h = GetTopWindow(nullptr); h; h = GetWindow(h, GW_HWNDNEXT)) {
        char name[32];
        GetClassNameA(h, name, sizeof name);
        if (std::string(name) == TOOLTIPS_CLASSA && GetWindow(h, GW_OWNER) == about)
            tip = h;
    }
    ASSERT_NE(tip, nullptr) << "the first message made the tool tip";
    EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 0);
    EXPECT_FALSE(IsWindowVisible(tip));
}

} // namespace
} // namespace qv::test

namespace qv::test {
namespace {

TEST_F(AboutBox, TheSystemMenuEndsWithASeparatorAndTheAboutEntry) {
    StartProgram();
    HMENU menu = GetSystemMenu(main, FALSE);
    ASSERT_NE(menu, nullptr);
    int count = GetMenuItemCount(menu);
    ASSERT_GE(count, 2);
    EXPECT_EQ(GetMenuItemID(menu, count - 1), 16u);
    char text[64];
    GetMenuStringA(menu, count - 1, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&About Quorva Velocitor...");
    EXPECT_TRUE(GetMenuState(menu, count - 2, MF_BYPOSITION) & MF_SEPARATOR);
}

TEST_F(AboutBox, ChoosingTheEntryFromTheSystemMenuOpensIt) {
    StartProgram();
    desktop.PressAltKey(VK_SPACE);
    ASSERT_TRUE(desktop.MenuOpen());
    desktop.ChooseMenuItem("&About Quorva Velocitor...");
    EXPECT_NE(Find(), nullptr);
}

} // namespace
} // namespace qv::test
