// Drop-down combo boxes: the list, choosing with the mouse and the keys, the notifications in
// Windows' order, CB_SETCURSEL, the edit field and the control's size.
#include "ControlParent.h"

#include <gtest/gtest.h>
#include <vector>

namespace qv::test {
namespace {

class ComboBoxes : public ::testing::Test {
protected:
    void Start(DWORD style = CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL) {
        desktop.Start([&] {
            return RunParent([&](HWND p) {
                combo = MakeControl(p, "COMBOBOX", "", style, RECT{20, 20, 170, 120}, 5);
                for (const char* item : {"Alpha", "Beta", "Gamma"})
                    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
            });
        });
        list = FindWindowA("ComboLBox", nullptr);
        parent.Clear();
    }

    int Selection() const { return static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0)); }
    bool Dropped() const { return SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0) != 0; }

    void ClickButton() {
        RECT r{};
        GetWindowRect(combo, &r);
        desktop.ClickAt(POINT{r.right - 6, (r.top + r.bottom) / 2});
    }

    // The screen point in the middle of an item of the open list.
    POINT ItemPoint(int index) const {
        RECT window{}, client{};
        GetWindowRect(list, &window);
        GetClientRect(list, &client);
        POINT origin{0, 0};
        ClientToScreen(list, &origin);
        int height = client.bottom / 3;
        return POINT{(window.left + window.right) / 2, origin.y + index * height + height / 2};
    }

    ControlParent parent;
    TestDesktop desktop;
    HWND combo = nullptr;
    HWND list = nullptr;
};

TEST_F(ComboBoxes, TheControlIsAsHighAsItsFieldAndTheTemplateHeightIsTheOpenExtent) {
    Start();
    RECT r{}, dropped{};
    GetWindowRect(combo, &r);
    EXPECT_LT(r.bottom - r.top, 40);
    EXPECT_GT(r.bottom - r.top, 12);
    SendMessageA(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    EXPECT_EQ(dropped.bottom - dropped.top, 100);
    EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 3);
}

struct Choice {
    const char* name;
    int before;  // the selection when the list opens
    bool onItem; // click on item 1, or beside the list
    std::vector<UINT> codes;
    int after;
    const char* text;
};

TEST_F(ComboBoxes, ChoosingFromTheOpenListSelectsAndNotifiesInOrder) {
    const Choice cases[] = {
        {"a new item",
         0,
         true,
         {CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP},
         1,
         "Beta"},
        {"the selected item again", 1, true, {CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP}, 1, "Beta"},
        {"a click outside", 0, false, {CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP}, 0, "Alpha"},
    };
    Start();
    ASSERT_NE(list, nullptr);
    desktop.Call([&] { SetFocus(combo); });
    for (const Choice& c : cases) {
        SCOPED_TRACE(c.name);
        SendMessageA(combo, CB_SETCURSEL, c.before, 0);
        parent.Clear();
        ClickButton();
        ASSERT_TRUE(Dropped());
        EXPECT_TRUE(IsWindowVisible(list));
        RECT listRect{}, comboRect{};
        GetWindowRect(list, &listRect);
        GetWindowRect(combo, &comboRect);
        EXPECT_EQ(listRect.top, comboRect.bottom);
        EXPECT_EQ(listRect.right - listRect.left, comboRect.right - comboRect.left);
        if (c.onItem) {
            desktop.MoveTo(ItemPoint(2));
            desktop.ClickAt(ItemPoint(1));
        } else {
            desktop.ClickAt(POINT{comboRect.left + 5, comboRect.bottom + 150});
        }
        EXPECT_FALSE(Dropped());
        EXPECT_FALSE(IsWindowVisible(list));
        EXPECT_EQ(parent.Codes(combo), c.codes);
        EXPECT_EQ(Selection(), c.after);
        EXPECT_EQ(desktop.Text(combo), c.text);
        EXPECT_EQ(GetCapture(), nullptr);
    }
}

TEST_F(ComboBoxes, ArrowKeysOnAClosedBoxMoveTheSelectionAndNotifyEachTime) {
    Start();
    desktop.Call([&] { SetFocus(combo); });
    struct Step {
        UINT key;
        int selection;
        size_t changes;
    };
    const Step steps[] = {
        {VK_DOWN, 0, 1}, {VK_DOWN, 1, 2}, {VK_DOWN, 2, 3}, {VK_DOWN, 2, 3}, {VK_UP, 1, 4}};
    for (const Step& s : steps) {
        desktop.PressKey(s.key);
        EXPECT_EQ(Selection(), s.selection);
        std::vector<UINT> codes = parent.Codes(combo);
        EXPECT_EQ(static_cast<size_t>(std::count(codes.begin(), codes.end(), CBN_SELCHANGE)),
                  s.changes);
    }
    EXPECT_EQ(desktop.Text(combo), "Beta");
    EXPECT_FALSE(Dropped());
}

TEST_F(ComboBoxes, F4OpensAndEscapeCancelsWhileEnterChoosesInTheOpenList) {
    Start();
    desktop.Call([&] { SetFocus(combo); });
    HWND edit = GetFocus();
    ASSERT_NE(edit, nullptr);
    MSG enter{edit, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    EXPECT_FALSE(SendMessageA(edit, WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)) &
                 DLGC_WANTMESSAGE);
    desktop.PressKey(VK_F4);
    EXPECT_TRUE(Dropped());
    EXPECT_TRUE(SendMessageA(edit, WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)) &
                DLGC_WANTMESSAGE);
    desktop.PressKey(VK_ESCAPE);
    EXPECT_FALSE(Dropped());
    EXPECT_EQ(parent.Codes(combo),
              (std::vector<UINT>{CBN_SETFOCUS, CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP}));
    parent.Clear();
    desktop.PressAltKey(VK_DOWN);
    desktop.PressKey(VK_DOWN);
    desktop.PressKey(VK_RETURN);
    EXPECT_FALSE(Dropped());
    EXPECT_EQ(Selection(), 0);
    EXPECT_EQ(parent.Codes(combo),
              (std::vector<UINT>{CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));
}

TEST_F(ComboBoxes, SetCurSelShowsTheItemOrClearsTheFieldAndNeverNotifies) {
    Start();
    EXPECT_EQ(SendMessageA(combo, CB_SETCURSEL, 2, 0), 2);
    EXPECT_EQ(desktop.Text(combo), "Gamma");
    EXPECT_EQ(SendMessageA(combo, CB_SETCURSEL, 7, 0), CB_ERR);
    EXPECT_EQ(Selection(), CB_ERR);
    EXPECT_EQ(desktop.Text(combo), "");
    EXPECT_TRUE(parent.commands.empty());
}

TEST_F(ComboBoxes, TypingInTheFieldNotifiesEditUpdateThenEditChange) {
    Start();
    desktop.Call([&] { SetFocus(combo); });
    parent.Clear();
    desktop.PressKey('B');
    desktop.PressKey(VK_BACK);
    desktop.PressKey('G');
    EXPECT_EQ(desktop.Text(combo), "g");
    EXPECT_EQ(parent.Codes(combo),
              (std::vector<UINT>{CBN_EDITUPDATE, CBN_EDITCHANGE, CBN_EDITUPDATE, CBN_EDITCHANGE,
                                 CBN_EDITUPDATE, CBN_EDITCHANGE}));
    EXPECT_EQ(
        SendMessageA(combo, CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("g")),
        2);
    EXPECT_EQ(SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                           reinterpret_cast<LPARAM>("beta")),
              1);
}

TEST_F(ComboBoxes, TheFieldKeepsToItsLimitAndReportsItsSelection) {
    Start();
    SendMessageA(combo, CB_LIMITTEXT, 3, 0);
    desktop.Call([&] { SetFocus(combo); });
    for (UINT key : {'A', 'B', 'C', 'D'})
        desktop.PressKey(key);
    EXPECT_EQ(desktop.Text(combo), "abc");
    EXPECT_EQ(SendMessageA(combo, CB_SETEDITSEL, 0, MAKELPARAM(1, 2)), TRUE);
    EXPECT_EQ(SendMessageA(combo, CB_GETEDITSEL, 0, 0), MAKELONG(1, 2));
    desktop.PressKey(VK_DELETE);
    desktop.PressKey(VK_HOME);
    desktop.PressKey('X');
    EXPECT_EQ(desktop.Text(combo), "xac");
}

} // namespace
} // namespace qv::test
