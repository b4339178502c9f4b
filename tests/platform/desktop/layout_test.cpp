// Windows laid out in character cells: scaling, labels left of their fields, frames around
// what they hold, control looks, the taskbar, and cells aimed back at the right pixels.
#include "desktop/tty/layout.h"

#include <gtest/gtest.h>

namespace qv::desktop::tty {
namespace {

constexpr CellSize kCell{7, 14};

HWND Handle(int n) { return reinterpret_cast<HWND>(static_cast<uintptr_t>(0x1000 + n)); }

WindowView Control(int n, const char* cls, const char* text, DWORD style, RECT client, POINT origin) {
    WindowView v;
    v.hwnd = Handle(n);
    v.className = cls;
    v.text = text;
    v.style = WS_CHILD | WS_VISIBLE | style;
    v.rect = RECT{origin.x + client.left, origin.y + client.top, origin.x + client.right,
                  origin.y + client.bottom};
    v.client = v.rect;
    return v;
}

// A dialog like the program's main window, its client area at (3, 25) on a 560 by 336 screen.
class LayoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        view.screen = SIZE{560, 336};
        view.color = false;
        WindowView dialog;
        dialog.hwnd = Handle(1);
        dialog.className = "#32770";
        dialog.text = "Quorva Velocitor";
        dialog.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
        dialog.rect = RECT{0, 0, 546, 318};
        dialog.client = RECT{3, 25, 543, 315};
        dialog.closeButton = RECT{520, 5, 540, 22};
        dialog.hasTaskbarButton = true;
        POINT o{3, 25};
        dialog.children.push_back(Control(2, "Button", "", BS_GROUPBOX, {252, 10, 522, 253}, o));
        dialog.children.push_back(
            Control(3, "Static", "Total Bytes Received:", SS_LEFT, {270, 185, 378, 198}, o));
        dialog.children.push_back(Control(4, "Static", "12 KB", SS_LEFT | SS_SUNKEN, {378, 185, 504, 201}, o));
        dialog.children.push_back(Control(5, "Button", "&Run your Quorva", BS_PUSHBUTTON, {27, 88, 234, 127}, o));
        dialog.children.push_back(
            Control(6, "Button", "ACCELLERATE!\nOn", BS_AUTOCHECKBOX | BS_PUSHLIKE | BS_MULTILINE, {18, 16, 243, 70}, o));
        dialog.children.back().checked = true;
        dialog.children[3].focused = true;
        view.windows.push_back(dialog);
        view.active = dialog.hwnd;
        view.clock = "12:34";
    }

    Layout Run() { return LayOut(view, kCell); }
    static std::pair<int, int> Find(const Layout& l, const std::string& text) {
        for (int row = 0; row < l.grid.Rows(); ++row) {
            auto at = l.grid.RowText(row).find(text);
            if (at != std::string::npos) {
                // Columns count characters, and frame characters take three bytes.
                std::string before = l.grid.RowText(row).substr(0, at);
                int col = 0;
                for (unsigned char c : before)
                    col += (c & 0xC0) != 0x80;
                return {col, row};
            }
        }
        return {-1, -1};
    }

    DesktopView view;
};

TEST_F(LayoutTest, TheScreenFitsEightyByTwentyFourWithTheTaskbarLast) {
    Layout l = Run();
    EXPECT_EQ(l.grid.Cols(), 80);
    EXPECT_EQ(l.grid.Rows(), 24);
    EXPECT_EQ(Find(l, "[Quorva Velocitor]").second, 23);
    EXPECT_EQ(Find(l, "12:34").second, 23);
    auto [col, row] = Find(l, " Quorva Velocitor ");
    EXPECT_EQ(row, 0) << "the caption on the window's top row";
    EXPECT_TRUE(l.grid.At(col, row).attr & kReverse) << "the active caption stands out";
    EXPECT_NE(Find(l, "[x]").first, -1);
}

TEST_F(LayoutTest, ALabelKeepsItsTextAndStaysLeftOfItsField) {
    Layout l = Run();
    auto label = Find(l, "Total Bytes Received:");
    auto field = Find(l, "[12 KB");
    ASSERT_NE(label.first, -1) << l.grid.RowText(label.second);
    ASSERT_NE(field.first, -1);
    EXPECT_EQ(label.second, field.second) << "on one row";
    EXPECT_GT(field.first, label.first + 20) << l.grid.RowText(label.second);
}

TEST_F(LayoutTest, AGroupBoxFramesWhatItHolds) {
    Layout l = Run();
    auto label = Find(l, "Total Bytes Received:");
    int left = label.first - 1;
    while (left > 0 && l.grid.At(left, label.second).ch != U'│')
        --left;
    EXPECT_GT(left, 0) << "a frame left of the label";
    bool top = false, bottom = false;
    for (int row = 0; row < label.second; ++row)
        top |= l.grid.At(left, row).ch == U'┌';
    for (int row = label.second + 1; row < 23; ++row)
        bottom |= l.grid.At(left, row).ch == U'└';
    EXPECT_TRUE(top && bottom);
}

TEST_F(LayoutTest, ControlsShowTheirState) {
    Layout l = Run();
    auto button = Find(l, "[>Run your Quorva<]");
    ASSERT_NE(button.first, -1) << "the focused button is marked";
    EXPECT_TRUE(l.grid.At(button.first + 2, button.second).attr & kUnderline) << "the mnemonic R";
    auto check = Find(l, "ACCELLERATE!");
    ASSERT_NE(check.first, -1);
    EXPECT_TRUE(l.grid.At(check.first, check.second).attr & kReverse) << "checked looks pressed";
    EXPECT_EQ(Find(l, "On").second, check.second + 1) << "the second line of its caption";
}

TEST_F(LayoutTest, EachCellAimsInsideWhatItShows) {
    Layout l = Run();
    auto button = Find(l, "Run your Quorva");
    const RECT& r = view.windows[0].children[3].rect;
    for (int col = button.first; col < button.first + 15; ++col) {
        POINT pt = l.TargetAt(col, button.second).pt;
        EXPECT_TRUE(PtInRect(&r, pt)) << col;
    }
    auto task = Find(l, "[Quorva Velocitor]");
    EXPECT_EQ(l.TargetAt(task.first + 1, task.second).kind, CellTarget::Kind::TaskButton);
    EXPECT_EQ(l.TargetAt(task.first + 1, task.second).hwnd, Handle(1));
}

TEST_F(LayoutTest, NotificationIconsSitLeftOfTheClock) {
    view.icons = {NotifyIcon{"Quorva", RECT{500, 322, 516, 336}}};
    view.trayFocus = 0;
    Layout l = Run();
    auto clock = Find(l, "12:34");
    int col = clock.first - 2;
    EXPECT_EQ(l.grid.At(col, 23).ch, U'Q');
    const CellTarget& t = l.TargetAt(col, 23);
    EXPECT_EQ(t.kind, CellTarget::Kind::TrayIcon);
    EXPECT_EQ(t.pt.x, 508);
}

TEST_F(LayoutTest, ADialogWidensForItsTextsWhenTheScreenHasRoom) {
    view.screen = SIZE{700, 420}; // 100 by 30 cells
    auto& kids = view.windows[0].children;
    POINT o{3, 25};
    kids.push_back(Control(7, "Static", "Connected Time:", SS_LEFT, {270, 100, 352, 113}, o));
    kids.push_back(Control(8, "Static", "  0 hrs :  0 mins :  5 secs", SS_LEFT | SS_SUNKEN, {378, 100, 504, 116}, o));
    Layout l = Run();
    auto label = Find(l, "Total Bytes Received: [");
    EXPECT_NE(label.first, -1) << "the label whole, its field right after it";
    auto clock = Find(l, "Connected Time:");
    auto field = Find(l, "[  0 hrs :  0 mins :  5 secs]");
    ASSERT_NE(field.first, -1) << "the field's text whole";
    EXPECT_EQ(field.second, clock.second);
    EXPECT_EQ(field.first, Find(l, "[12 KB").first) << "fields stay in one column";
    // The group's frame still encloses the widened field.
    const std::string row = l.grid.RowText(field.second);
    EXPECT_NE(row.find("secs]"), std::string::npos);
    int frame = field.first + 29;
    while (frame < l.grid.Cols() && l.grid.At(frame, field.second).ch != U'│')
        ++frame;
    EXPECT_LT(frame, l.grid.Cols() - 1) << row;
    // A cell inside the widened field still aims inside it.
    EXPECT_TRUE(PtInRect(&kids.back().rect, l.TargetAt(field.first + 27, field.second).pt));
}

TEST_F(LayoutTest, AnOpenMenuShowsItsItemsAndAimsAtThem) {
    WindowView menu;
    menu.hwnd = Handle(20);
    menu.className = "#32768";
    menu.style = WS_POPUP | WS_VISIBLE;
    menu.rect = RECT{10, 30, 150, 110};
    menu.client = menu.rect;
    menu.menuItems = {MenuItemView{"&Move", false, false, true, false, RECT{13, 33, 147, 51}},
                      MenuItemView{"", true, false, false, false, RECT{13, 51, 147, 60}},
                      MenuItemView{"&Close\tAlt+F4", false, true, false, false, RECT{13, 60, 147, 78}}};
    menu.selected = 2;
    view.windows.push_back(menu);
    Layout l = Run();
    auto move = Find(l, "Move");
    ASSERT_NE(move.first, -1);
    EXPECT_TRUE(l.grid.At(move.first, move.second).attr & kDim) << "greyed";
    EXPECT_EQ(l.grid.At(move.first + 1, move.second + 1).ch, U'─') << "the separator";
    auto close = Find(l, "Close");
    ASSERT_EQ(close.second, move.second + 2);
    EXPECT_EQ(l.grid.At(close.first - 2, close.second).ch, U'✓');
    EXPECT_TRUE(l.grid.At(close.first, close.second).attr & kReverse) << "highlighted";
    auto accel = Find(l, "Alt+F4");
    EXPECT_EQ(accel.second, close.second);
    EXPECT_GT(accel.first, close.first + 5);
    EXPECT_EQ(l.TargetAt(close.first, close.second).pt.y, 69) << "the item's own rectangle";
}

TEST_F(LayoutTest, ADroppedListOpensRightUnderItsBox) {
    auto& kids = view.windows[0].children;
    kids.push_back(Control(9, "ComboBox", " eth0 1000 Mb", CBS_DROPDOWN, {135, 260, 522, 281}, POINT{3, 25}));
    WindowView list;
    list.hwnd = Handle(21);
    list.className = "ComboLBox";
    list.style = WS_POPUP | WS_VISIBLE;
    list.rect = RECT{138, 306, 525, 340};
    list.client = list.rect;
    list.dropsFrom = Handle(9);
    list.items = {" eth0 1000 Mb", " wlan0 300 Mb"};
    list.itemRects = {RECT{138, 306, 525, 321}, RECT{138, 321, 525, 336}};
    list.selected = 1;
    view.windows.push_back(list);
    view.screen = SIZE{700, 420};
    Layout l = Run();
    auto box = Find(l, "[ eth0 1000 Mb");
    auto second = Find(l, "wlan0 300 Mb");
    ASSERT_NE(box.first, -1);
    ASSERT_NE(second.first, -1);
    EXPECT_EQ(second.second, box.second + 3) << "a frame row, then the items";
    EXPECT_TRUE(l.grid.At(second.first, second.second).attr & kReverse);
    EXPECT_EQ(l.TargetAt(second.first, second.second).pt.y, 328);
}

TEST(Mnemonics, AmpersandsMarkOrEscape) {
    EXPECT_EQ(StripMnemonics("&Quit && leave"), "Quit & leave");
    CellGrid grid(20, 1);
    DrawLabel(grid, 0, 0, "a&b&&c", Style{});
    EXPECT_EQ(grid.RowText(0).substr(0, 4), "ab&c");
    EXPECT_TRUE(grid.At(1, 0).attr & kUnderline);
    EXPECT_FALSE(grid.At(2, 0).attr & kUnderline);
}

} // namespace
} // namespace qv::desktop::tty
