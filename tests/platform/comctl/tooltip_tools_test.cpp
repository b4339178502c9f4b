// The tool list: tools by id and by window handle, their texts, what is read back, and bad
// arguments.
#include "ToolTipDesk.h"

#include <cstring>

namespace qv::test {
namespace {

using Tools = ToolTipDesk;

std::string GetText(const ToolTipDesk& t, HWND hwnd, UINT_PTR id) {
    char buffer[128] = "unchanged";
    TTTOOLINFOA ti = t.Info(hwnd, id);
    ti.lpszText = buffer;
    t.Send(TTM_GETTEXTA, sizeof buffer, reinterpret_cast<LPARAM>(&ti));
    return buffer;
}

TEST_F(Tools, UpdateTipTextReplacesTheTextOfTheOneTool) {
    ASSERT_TRUE(AddChildTool("First"));
    TTTOOLINFOA ti = Info(main, reinterpret_cast<UINT_PTR>(child));
    ti.lpszText = const_cast<LPSTR>("Second");
    Send(TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
    EXPECT_EQ(Send(TTM_GETTOOLCOUNT), 1);
    EXPECT_EQ(GetText(*this, main, reinterpret_cast<UINT_PTR>(child)), "Second");

    RestOnChild();
    desktop.Advance(initial);
    EXPECT_EQ(desktop.Text(tip), "Second");
    // A shown tip takes the new text at once.
    ti.lpszText = const_cast<LPSTR>("Third, and longer than the others");
    Send(TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
    desktop.WaitIdle();
    EXPECT_TRUE(TipVisible());
    EXPECT_EQ(desktop.Text(tip), "Third, and longer than the others");
}

// A tool named by an id and a rectangle of its window, and one named by the child's handle; the
// pointer shows each one's text where it rests.
struct Place {
    const char* name;
    POINT client;    // in the main window
    const char* text;
    UINT_PTR id;     // as TTN_SHOW names it
};

void PrintTo(const Place& p, std::ostream* os) { *os << p.name; }

class ToolsByIdAndHandle : public ToolTipDesk, public ::testing::WithParamInterface<Place> {};

TEST_P(ToolsByIdAndHandle, ShowTheirOwnText) {
    ASSERT_TRUE(AddTool(0, main, 7, "By id", RECT{250, 150, 350, 250}));
    ASSERT_TRUE(AddChildTool("By handle"));
    const Place& place = GetParam();
    desktop.MoveTo(POINT{kMain.left + place.client.x, kMain.top + place.client.y});
    desktop.Advance(initial);
    ASSERT_TRUE(TipVisible());
    EXPECT_EQ(desktop.Text(tip), place.text);
    UINT_PTR id = place.id ? place.id : reinterpret_cast<UINT_PTR>(child);
    EXPECT_EQ(Notifications(TTN_SHOW), (std::vector<Notification>{{main, tip, id, TTN_SHOW}}));

    TTTOOLINFOA current = Info(nullptr, 0);
    EXPECT_TRUE(Send(TTM_GETCURRENTTOOLA, 0, reinterpret_cast<LPARAM>(&current)));
    EXPECT_EQ(current.uId, id);
}

INSTANTIATE_TEST_SUITE_P(ToolTip, ToolsByIdAndHandle,
                         ::testing::Values(Place{"RectangleOfTheWindow", {300, 200}, "By id", 7},
                                           Place{"WholeChild", {120, 70}, "By handle", 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Tools, NoTipOutsideEveryTool) {
    ASSERT_TRUE(AddTool(0, main, 7, "By id", RECT{250, 150, 350, 250}));
    desktop.MoveTo(POINT{kMain.left + 300, kMain.top + 100});
    desktop.Advance(3 * initial);
    EXPECT_FALSE(TipVisible());
}

TEST_F(Tools, TextOnRequestIsAskedFromTheToolsWindow) {
    answer = [](NMTTDISPINFOA& info) {
        std::snprintf(info.szText, sizeof info.szText, "Asked for %d", static_cast<int>(info.hdr.idFrom));
    };
    ASSERT_TRUE(AddTool(0, main, 42, LPSTR_TEXTCALLBACKA, RECT{250, 150, 350, 250}));
    desktop.MoveTo(POINT{kMain.left + 300, kMain.top + 200});
    desktop.Advance(initial);
    ASSERT_TRUE(TipVisible());
    EXPECT_EQ(desktop.Text(tip), "Asked for 42");
    auto asked = Notifications(TTN_GETDISPINFOA);
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked[0], (Notification{main, tip, 42, TTN_GETDISPINFOA}));

    // Reading the text asks again; the tool itself keeps asking.
    answer = [](NMTTDISPINFOA& info) { info.lpszText = const_cast<LPSTR>("Pointed to"); };
    EXPECT_EQ(GetText(*this, main, 42), "Pointed to");
    TTTOOLINFOA ti = Info(main, 42);
    ASSERT_TRUE(Send(TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&ti)));
    EXPECT_EQ(ti.lpszText, LPSTR_TEXTCALLBACKA);
}

TEST_F(Tools, AnAnswerMarkedToBeKeptStopsTheAsking) {
    answer = [](NMTTDISPINFOA& info) {
        std::strcpy(info.szText, "Kept");
        info.uFlags |= TTF_DI_SETITEM;
    };
    ASSERT_TRUE(AddChildTool(LPSTR_TEXTCALLBACKA));
    EXPECT_EQ(GetText(*this, main, reinterpret_cast<UINT_PTR>(child)), "Kept");
    answer = nullptr;
    EXPECT_EQ(GetText(*this, main, reinterpret_cast<UINT_PTR>(child)), "Kept");
    EXPECT_EQ(Notifications(TTN_GETDISPINFOA).size(), 1u);
}

TEST_F(Tools, ReadBackWhatWasSet) {
    TTTOOLINFOA ti = Info(main, 9);
    ti.uFlags = TTF_TRANSPARENT;
    ti.rect = RECT{1, 2, 30, 40};
    ti.lpszText = const_cast<LPSTR>("Nine");
    ti.lParam = 1234;
    ASSERT_TRUE(Send(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti)));
    ASSERT_TRUE(AddChildTool("Child"));

    char buffer[80] = {};
    TTTOOLINFOA got = Info(main, 9);
    got.lpszText = buffer;
    ASSERT_TRUE(Send(TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&got)));
    EXPECT_EQ(got.uFlags, static_cast<UINT>(TTF_TRANSPARENT));
    EXPECT_TRUE(EqualRect(&got.rect, &ti.rect));
    EXPECT_STREQ(buffer, "Nine");
    EXPECT_EQ(got.lParam, 1234);

    // The first version of the structure has no lParam: it is left alone.
    TTTOOLINFOA v1 = Info(main, 9);
    v1.cbSize = TTTOOLINFOA_V1_SIZE;
    v1.lParam = 55;
    ASSERT_TRUE(Send(TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&v1)));
    EXPECT_EQ(v1.lParam, 55);

    TTTOOLINFOA second = Info(nullptr, 0);
    ASSERT_TRUE(Send(TTM_ENUMTOOLSA, 1, reinterpret_cast<LPARAM>(&second)));
    EXPECT_EQ(second.uId, reinterpret_cast<UINT_PTR>(child));
    EXPECT_EQ(second.uFlags, static_cast<UINT>(TTF_IDISHWND));

    TTHITTESTINFOA hit{};
    hit.hwnd = main;
    hit.pt = POINT{10, 10};
    hit.ti.cbSize = sizeof hit.ti;
    ASSERT_TRUE(Send(TTM_HITTESTA, 0, reinterpret_cast<LPARAM>(&hit)));
    EXPECT_EQ(hit.ti.uId, 9u);
    hit.pt = POINT{100, 100};
    EXPECT_FALSE(Send(TTM_HITTESTA, 0, reinterpret_cast<LPARAM>(&hit)));

    TTTOOLINFOA moved = Info(main, 9);
    moved.rect = RECT{5, 5, 6, 6};
    Send(TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&moved));
    got = Info(main, 9);
    got.lpszText = buffer;
    Send(TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&got));
    EXPECT_TRUE(EqualRect(&got.rect, &moved.rect));
}

TEST_F(Tools, DeletingAToolForgetsItAndHidesItsTip) {
    ASSERT_TRUE(AddTool(0, main, 7, "By id", RECT{250, 150, 350, 250}));
    ASSERT_TRUE(AddChildTool("By handle"));
    RestOnChild();
    desktop.Advance(initial);
    ASSERT_TRUE(TipVisible());

    TTTOOLINFOA ti = Info(main, reinterpret_cast<UINT_PTR>(child));
    Send(TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    EXPECT_FALSE(TipVisible());
    EXPECT_EQ(Send(TTM_GETTOOLCOUNT), 1);
    EXPECT_FALSE(Send(TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&ti)));
    RestOnChild(3);
    desktop.Advance(3 * initial);
    EXPECT_FALSE(TipVisible());
}

TEST_F(Tools, BadArgumentsFailWithoutHarm) {
    ASSERT_TRUE(AddChildTool("Child"));
    EXPECT_FALSE(Send(TTM_ADDTOOLA, 0, 0));
    TTTOOLINFOA ti = Info(main, 3);
    ti.lpszText = const_cast<LPSTR>("Three");
    for (UINT size : {0u, static_cast<UINT>(TTTOOLINFOA_V1_SIZE) - 1, static_cast<UINT>(sizeof ti) + 1}) {
        ti.cbSize = size;
        EXPECT_FALSE(Send(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti))) << size;
        EXPECT_FALSE(Send(TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&ti))) << size;
    }
    for (UINT size : {static_cast<UINT>(TTTOOLINFOA_V1_SIZE), static_cast<UINT>(TTTOOLINFOA_V2_SIZE),
                      static_cast<UINT>(TTTOOLINFOA_V3_SIZE)}) {
        ti.cbSize = size;
        ti.uId = 100 + size;
        EXPECT_TRUE(Send(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti))) << size;
    }
    EXPECT_EQ(Send(TTM_GETTOOLCOUNT), 4);

    TTTOOLINFOA unknown = Info(main, 999);
    EXPECT_FALSE(Send(TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&unknown)));
    Send(TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&unknown));
    Send(TTM_DELTOOLA, 0, 0);
    Send(TTM_UPDATETIPTEXTA, 0, 0);
    Send(TTM_NEWTOOLRECTA, 0, 0);
    Send(TTM_SETTOOLINFOA, 0, 0);
    Send(TTM_RELAYEVENT, 0, 0);
    Send(TTM_GETTEXTA, 80, 0);
    Send(TTM_TRACKACTIVATE, TRUE, 0);
    EXPECT_EQ(Send(TTM_GETTOOLCOUNT), 4);
    EXPECT_FALSE(Send(TTM_ENUMTOOLSA, 4, reinterpret_cast<LPARAM>(&unknown)));
    EXPECT_FALSE(Send(TTM_ENUMTOOLSA, 0, 0));
    EXPECT_FALSE(Send(TTM_HITTESTA, 0, 0));
    EXPECT_FALSE(Send(TTM_GETCURRENTTOOLA, 0, reinterpret_cast<LPARAM>(&unknown)));
    EXPECT_EQ(GetText(*this, main, 999), "unchanged");
}

TEST_F(Tools, SubclassedToolsNeedNoRelaying) {
    relay = false;
    ASSERT_TRUE(AddChildTool("Subclassed", TTF_SUBCLASS));
    RestOnChild();
    desktop.Advance(initial);
    EXPECT_TRUE(TipVisible());
    EXPECT_EQ(desktop.Text(tip), "Subclassed");

    // Once the tool is gone the window has its own procedure again.
    TTTOOLINFOA ti = Info(main, reinterpret_cast<UINT_PTR>(child));
    Send(TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    WNDCLASSA wc{};
    GetClassInfoA(nullptr, "ToolTipDesk", &wc);
    EXPECT_EQ(GetWindowLongPtrA(child, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(wc.lpfnWndProc));
}

} // namespace
} // namespace qv::test
