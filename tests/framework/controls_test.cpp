// The control wrappers on live controls: CButton, CComboBox and CToolTipCtrl.
#include "framework/CButton.h"
#include "framework/CComboBox.h"
#include "framework/CToolTipCtrl.h"

#include "TestDesktop.h"

#include <gtest/gtest.h>
#include <string>
#include <windows.h>

namespace qv::test {
namespace {

// Runs fn on a UI thread with a visible parent window, then ends the thread.
template <typename Fn> void WithParent(Fn fn) {
    TestDesktop desktop;
    desktop.Start([&] {
        CWnd parent;
        if (!parent.CreateEx(0, nullptr, "parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300,
                             200, nullptr, nullptr))
            return 1;
        fn(parent);
        return 0;
    });
    EXPECT_EQ(desktop.ExitCode(), 0);
}

TEST(Controls, ButtonAndComboBoxWrappersReachTheirControls) {
    WithParent([](CWnd& parent) {
        CButton check;
        ASSERT_TRUE(check.Create("Check", WS_VISIBLE | BS_AUTOCHECKBOX, RECT{5, 5, 80, 20}, &parent,
                                 10));
        EXPECT_EQ(check.GetButtonStyle() & BS_TYPEMASK, static_cast<UINT>(BS_AUTOCHECKBOX));
        check.SetCheck(BST_CHECKED);
        EXPECT_EQ(check.GetCheck(), BST_CHECKED);
        check.SetState(TRUE);
        EXPECT_TRUE(check.GetState() & BST_PUSHED);

        CComboBox combo;
        ASSERT_TRUE(combo.Create(WS_VISIBLE | CBS_DROPDOWNLIST, RECT{5, 30, 120, 120}, &parent, 11));
        EXPECT_EQ(combo.AddString("alpha"), 0);
        EXPECT_EQ(combo.AddString("gamma"), 1);
        EXPECT_EQ(combo.InsertString(1, "beta"), 1);
        EXPECT_EQ(combo.GetCount(), 3);
        EXPECT_EQ(combo.FindStringExact(-1, "GAMMA"), 2);
        EXPECT_EQ(combo.SetCurSel(1), 1);
        EXPECT_EQ(combo.GetCurSel(), 1);
        std::string text;
        combo.GetLBText(1, text);
        EXPECT_EQ(text, "beta");
        EXPECT_EQ(combo.GetLBTextLen(2), 5);
        combo.GetLBText(7, text);
        EXPECT_EQ(text, "");
        EXPECT_EQ(combo.DeleteString(0), 2);
        combo.ResetContent();
        EXPECT_EQ(combo.GetCount(), 0);
    });
}

TEST(Controls, ToolTipToolsAreNamedByWindowOrById) {
    WithParent([](CWnd& parent) {
        CButton button;
        ASSERT_TRUE(button.Create("Go", WS_VISIBLE, RECT{5, 5, 80, 25}, &parent, 12));
        CToolTipCtrl tip;
        ASSERT_TRUE(tip.Create(&parent));
        char className[32] = "";
        ::GetClassNameA(tip.m_hWnd, className, sizeof className);
        EXPECT_EQ(std::string(className), TOOLTIPS_CLASSA);
        EXPECT_EQ(::GetWindow(tip.m_hWnd, GW_OWNER), parent.m_hWnd);

        ASSERT_TRUE(tip.AddTool(&button, "Starts it"));
        RECT rcArea{100, 100, 150, 150};
        ASSERT_TRUE(tip.AddTool(&parent, "An area", &rcArea, 5));
        EXPECT_EQ(tip.GetToolCount(), 2);

        std::string text;
        tip.GetText(text, &button);
        EXPECT_EQ(text, "Starts it");
        tip.UpdateTipText("Starts it now", &button);
        tip.GetText(text, &button);
        EXPECT_EQ(text, "Starts it now");
        tip.GetText(text, &parent, 5);
        EXPECT_EQ(text, "An area");

        // The raw message sees the tool by the button's handle, with the parent as its window.
        TOOLINFOA ti{};
        ti.cbSize = sizeof ti;
        ti.hwnd = parent.m_hWnd;
        ti.uId = reinterpret_cast<UINT_PTR>(button.m_hWnd);
        ti.uFlags = TTF_IDISHWND;
        char raw[64] = "";
        ti.lpszText = raw;
        tip.SendMessage(TTM_GETTEXTA, sizeof raw, reinterpret_cast<LPARAM>(&ti));
        EXPECT_EQ(std::string(raw), "Starts it now");

        tip.SetMaxTipWidth(200);
        EXPECT_EQ(tip.SetMaxTipWidth(300), 200);
        tip.SetDelayTime(TTDT_INITIAL, 250);
        EXPECT_EQ(tip.SendMessage(TTM_GETDELAYTIME, TTDT_INITIAL), 250);
    });
}

} // namespace
} // namespace qv::test
