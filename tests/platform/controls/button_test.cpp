// Buttons: clicks by mouse and keyboard, check states, the pushed look while pressed, dialog
// codes, and group boxes letting clicks through.
#include "ControlParent.h"
#include "user/input.h"

#include <gtest/gtest.h>
#include <vector>

namespace qv::test {
namespace {

class Buttons : public ::testing::Test {
protected:
    // One button per style, stacked down the parent.
    std::vector<HWND> Start(std::vector<DWORD> styles) {
        std::vector<HWND> made;
        desktop.Start([&] {
            return RunParent([&](HWND p) {
                for (size_t i = 0; i < styles.size(); ++i) {
                    int top = 5 + static_cast<int>(i) * 35;
                    made.push_back(MakeControl(p, "BUTTON", "&Button", styles[i],
                                               RECT{20, top, 160, top + 30},
                                               10 + static_cast<int>(i)));
                }
            });
        });
        parent.Clear();
        return made;
    }

    void Mouse(user::RawInput::Kind kind, POINT p) {
        user::RawInput in;
        in.kind = kind;
        in.pt = p;
        user::InjectInput(in);
        desktop.WaitIdle();
    }

    static UINT Check(HWND button) {
        return static_cast<UINT>(SendMessageA(button, BM_GETCHECK, 0, 0));
    }
    static bool Pushed(HWND button) {
        return (SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
    }
    std::vector<UINT> Clicks(HWND button) const {
        std::vector<UINT> out;
        for (UINT code : parent.Codes(button))
            if (code == BN_CLICKED || code == BN_DOUBLECLICKED)
                out.push_back(code);
        return out;
    }

    ControlParent parent;
    TestDesktop desktop;
};

struct ClickCase {
    const char* name;
    DWORD style;
    bool doubleClick;
    std::vector<UINT> codes;
    UINT checkAfter;
};

TEST_F(Buttons, ClicksAndDoubleClicksNotifyAsWindowsDoes) {
    const std::vector<ClickCase> cases = {
        {"push-like check box, click",
         BS_AUTOCHECKBOX | BS_PUSHLIKE,
         false,
         {BN_CLICKED},
         BST_CHECKED},
        // The second press of a double-click is a press: two clicks, and the state flips back.
        {"push-like check box, double-click",
         BS_AUTOCHECKBOX | BS_PUSHLIKE,
         true,
         {BN_CLICKED, BN_CLICKED},
         BST_UNCHECKED},
        {"push button, double-click", BS_PUSHBUTTON, true, {BN_CLICKED, BN_CLICKED}, BST_UNCHECKED},
        {"push button with BS_NOTIFY, double-click",
         BS_PUSHBUTTON | BS_NOTIFY,
         true,
         {BN_CLICKED, BN_DOUBLECLICKED},
         BST_UNCHECKED},
        {"radio button, double-click",
         BS_AUTORADIOBUTTON | WS_GROUP,
         true,
         {BN_CLICKED, BN_DOUBLECLICKED},
         BST_CHECKED},
    };
    std::vector<DWORD> styles;
    for (const ClickCase& c : cases)
        styles.push_back(c.style);
    std::vector<HWND> buttons = Start(styles);
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].name);
        if (cases[i].doubleClick)
            desktop.DoubleClick(buttons[i]);
        else
            desktop.Click(buttons[i]);
        EXPECT_EQ(Clicks(buttons[i]), cases[i].codes);
        EXPECT_EQ(Check(buttons[i]), cases[i].checkAfter);
        EXPECT_FALSE(Pushed(buttons[i]));
    }
}

TEST_F(Buttons, ThePushedLookFollowsThePointerAndOnlyAReleaseInsideClicks) {
    HWND button = Start({BS_AUTOCHECKBOX | BS_PUSHLIKE})[0];
    POINT inside = desktop.CenterOf(button);
    POINT outside{inside.x, inside.y + 100};
    Mouse(user::RawInput::Kind::MouseDown, inside);
    EXPECT_TRUE(Pushed(button));
    Mouse(user::RawInput::Kind::MouseMove, outside);
    EXPECT_FALSE(Pushed(button));
    Mouse(user::RawInput::Kind::MouseMove, inside);
    EXPECT_TRUE(Pushed(button));
    Mouse(user::RawInput::Kind::MouseMove, outside);
    Mouse(user::RawInput::Kind::MouseUp, outside);
    EXPECT_TRUE(Clicks(button).empty());
    EXPECT_EQ(Check(button), static_cast<UINT>(BST_UNCHECKED));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Buttons, SpaceOnTheFocusedButtonPressesOnKeyDownAndClicksOnKeyUp) {
    HWND button = Start({BS_PUSHBUTTON})[0];
    desktop.Call([&] { SetFocus(button); });
    desktop.KeyDown(VK_SPACE);
    EXPECT_TRUE(Pushed(button));
    EXPECT_TRUE(Clicks(button).empty());
    desktop.KeyUp(VK_SPACE);
    EXPECT_FALSE(Pushed(button));
    EXPECT_EQ(Clicks(button), std::vector<UINT>{BN_CLICKED});
    EXPECT_TRUE(SendMessageA(button, BM_GETSTATE, 0, 0) & BST_FOCUS);
}

TEST_F(Buttons, SetCheckChangesTheStateOfCheckBoxesOnlyAndNeverNotifies) {
    struct Case {
        DWORD style;
        UINT set;
        UINT expected;
    };
    const std::vector<Case> cases = {
        {BS_AUTOCHECKBOX, BST_CHECKED, BST_CHECKED},
        {BS_CHECKBOX | BS_PUSHLIKE, BST_CHECKED, BST_CHECKED},
        {BS_AUTO3STATE, BST_INDETERMINATE, BST_INDETERMINATE},
        {BS_PUSHBUTTON, BST_CHECKED, BST_UNCHECKED},
    };
    std::vector<DWORD> styles;
    for (const Case& c : cases)
        styles.push_back(c.style);
    std::vector<HWND> buttons = Start(styles);
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
        SendMessageA(buttons[i], BM_SETCHECK, cases[i].set, 0);
        EXPECT_EQ(Check(buttons[i]), cases[i].expected);
        EXPECT_EQ(SendMessageA(buttons[i], BM_GETSTATE, 0, 0) & 3,
                  static_cast<LRESULT>(cases[i].expected));
    }
    EXPECT_TRUE(parent.commands.empty());
}

TEST_F(Buttons, DialogCodesTellTheKindOfButtonAndSetStyleSwitchesTheDefault) {
    std::vector<HWND> b =
        Start({BS_PUSHBUTTON, BS_DEFPUSHBUTTON, BS_AUTOCHECKBOX | BS_PUSHLIKE, BS_GROUPBOX});
    auto code = [](HWND h) { return SendMessageA(h, WM_GETDLGCODE, 0, 0); };
    EXPECT_EQ(code(b[0]), DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);
    EXPECT_EQ(code(b[1]), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
    EXPECT_EQ(code(b[2]), DLGC_BUTTON);
    EXPECT_EQ(code(b[3]), DLGC_STATIC);
    SendMessageA(b[0], BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    SendMessageA(b[1], BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    EXPECT_EQ(code(b[0]), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
    EXPECT_EQ(code(b[1]), DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);
    EXPECT_EQ(GetWindowLongA(b[0], GWL_STYLE) & (WS_CHILD | WS_VISIBLE), WS_CHILD | WS_VISIBLE);
}

TEST_F(Buttons, AClickOnAGroupBoxReachesTheWindowUnderIt) {
    HWND group = Start({BS_GROUPBOX})[0];
    desktop.Click(group);
    EXPECT_EQ(parent.clicks, 1);
    EXPECT_TRUE(parent.Codes(group).empty());
}

TEST_F(Buttons, BmClickClicksAndButtonsAskForButtonOrStaticColours) {
    std::vector<HWND> b = Start({BS_PUSHBUTTON, BS_AUTOCHECKBOX | BS_PUSHLIKE, BS_AUTOCHECKBOX});
    SendMessageA(b[1], BM_CLICK, 0, 0);
    EXPECT_EQ(Clicks(b[1]), std::vector<UINT>{BN_CLICKED});
    EXPECT_EQ(Check(b[1]), static_cast<UINT>(BST_CHECKED));
    parent.Clear();
    desktop.Call([&] {
        for (HWND h : b)
            InvalidateRect(h, nullptr, TRUE);
    });
    auto asked = [&](HWND h) {
        for (const ColourRequest& r : parent.colours)
            if (r.control == h)
                return r.message;
        return 0u;
    };
    EXPECT_EQ(asked(b[0]), static_cast<UINT>(WM_CTLCOLORBTN));
    EXPECT_EQ(asked(b[1]), static_cast<UINT>(WM_CTLCOLORBTN));
    EXPECT_EQ(asked(b[2]), static_cast<UINT>(WM_CTLCOLORSTATIC));
}

} // namespace
} // namespace qv::test
