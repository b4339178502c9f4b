// How a tip looks and where it goes: its size, wrapping, its window, its colours, staying on
// the screen, and tracking tips placed by the program.
#include "ToolTipDesk.h"

namespace qv::test {
namespace {

using Look = ToolTipDesk;

constexpr const char* kLong = "Shows the traffic of every interface since the program started";
// The frame and the space around the text, on both sides together, are a few pixels.
constexpr LONG kMargins = 12;

SIZE SizeOf(const RECT& r) { return SIZE{r.right - r.left, r.bottom - r.top}; }

TEST_F(Look, ATopmostPopupOwnedByItsCreatorAndHiddenUntilItShows) {
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(tip, GWL_STYLE)) & (WS_POPUP | WS_CHILD),
              static_cast<DWORD>(WS_POPUP));
    EXPECT_TRUE(GetWindowLongA(tip, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetWindow(tip, GW_OWNER), main);
    EXPECT_FALSE(TipVisible());
    char name[32] = {};
    GetClassNameA(tip, name, sizeof name);
    EXPECT_STREQ(name, "tooltips_class32");
}

TEST_F(Look, MaxTipWidthWrapsALongTextOntoSeveralLines) {
    ASSERT_TRUE(AddChildTool("Short"));
    RestOnChild();
    desktop.Advance(initial);
    const SIZE oneLine = SizeOf(TipRect());
    Send(TTM_POP);

    TTTOOLINFOA ti = Info(main, reinterpret_cast<UINT_PTR>(child));
    ti.lpszText = const_cast<LPSTR>(kLong);
    Send(TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
    RestOnChild(3);
    desktop.Advance(initial);
    const SIZE unlimited = SizeOf(TipRect());
    EXPECT_EQ(unlimited.cy, oneLine.cy);
    Send(TTM_POP);

    EXPECT_EQ(Send(TTM_SETMAXTIPWIDTH, 0, 120), -1);
    EXPECT_EQ(Send(TTM_GETMAXTIPWIDTH), 120);
    RestOnChild();
    desktop.Advance(initial);
    ASSERT_TRUE(TipVisible());
    const SIZE wrapped = SizeOf(TipRect());
    EXPECT_LE(wrapped.cx, 120 + kMargins);
    EXPECT_GT(unlimited.cx, wrapped.cx);
    // Height grows by whole lines: at least three of them here.
    const LONG line = oneLine.cy - kMargins / 2;
    EXPECT_GE(wrapped.cy, oneLine.cy + 2 * line);
    EXPECT_EQ(desktop.Text(tip), kLong);

    EXPECT_EQ(Send(TTM_SETMAXTIPWIDTH, 0, -1), 120);
    EXPECT_EQ(Send(TTM_GETMAXTIPWIDTH), -1);
}

TEST_F(Look, AFrameInInfoTextAroundTheInfoBackground) {
    ASSERT_TRUE(AddChildTool("Refresh now"));
    RestOnChild();
    desktop.Advance(initial);
    ASSERT_TRUE(TipVisible());
    const SIZE size = SizeOf(TipRect());
    const COLORREF text = GetSysColor(COLOR_INFOTEXT);
    const COLORREF back = GetSysColor(COLOR_INFOBK);
    ASSERT_NE(text, back);
    int textPixels = 0;
    desktop.Call([&] {
        HDC dc = GetDC(tip);
        EXPECT_EQ(GetPixel(dc, 0, 0), text);
        EXPECT_EQ(GetPixel(dc, size.cx - 1, size.cy / 2), text);
        EXPECT_EQ(GetPixel(dc, size.cx / 2, size.cy - 1), text);
        EXPECT_EQ(GetPixel(dc, 1, 1), back);
        for (int y = 2; y < size.cy - 2; ++y)
            for (int x = 2; x < size.cx - 2; ++x)
                textPixels += GetPixel(dc, x, y) != back;
        ReleaseDC(tip, dc);
    });
    EXPECT_GT(textPixels, 20);
}

TEST_F(Look, StaysOnTheScreenNearItsEdges) {
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    // The child reaches the right edge of the screen and ends above the taskbar.
    desktop.Call([&] { MoveWindow(main, screenWidth - 220, screenHeight - 160, 400, 300, TRUE); });
    ASSERT_TRUE(AddChildTool(kLong));
    Send(TTM_SETMAXTIPWIDTH, 0, 120);
    desktop.MoveTo(POINT{screenWidth - 5, screenHeight - 45});
    desktop.Advance(initial);
    ASSERT_TRUE(TipVisible());
    RECT r = TipRect();
    EXPECT_GE(r.left, 0);
    EXPECT_LE(r.right, screenWidth);
    EXPECT_LE(r.bottom, screenHeight);
    // No room below the pointer: the tip goes above it.
    EXPECT_LE(r.bottom, screenHeight - 45);
}

TEST_F(Look, CenterTipGoesCentredBelowTheTool) {
    ASSERT_TRUE(AddChildTool("Centred", TTF_CENTERTIP));
    RestOnChild(30);
    desktop.Advance(initial);
    ASSERT_TRUE(TipVisible());
    RECT tool;
    GetWindowRect(child, &tool);
    RECT r = TipRect();
    EXPECT_NEAR((r.left + r.right) / 2, (tool.left + tool.right) / 2, 1);
    EXPECT_GE(r.top, tool.bottom);
}

TEST_F(Look, TrackingTipsShowWhereTheProgramSaysUntilTurnedOff) {
    ASSERT_TRUE(AddTool(TTF_TRACK | TTF_ABSOLUTE, main, 5, "Tracked"));
    TTTOOLINFOA ti = Info(main, 5);
    Send(TTM_TRACKPOSITION, 0, MAKELPARAM(300, 200));
    Send(TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&ti));
    ASSERT_TRUE(TipVisible());
    EXPECT_EQ(desktop.Text(tip), "Tracked");
    RECT r = TipRect();
    EXPECT_EQ(r.left, 300);
    EXPECT_EQ(r.top, 200);

    Send(TTM_TRACKPOSITION, 0, MAKELPARAM(320, 260));
    r = TipRect();
    EXPECT_EQ(r.left, 320);
    EXPECT_EQ(r.top, 260);
    // No auto-pop for a tracking tip.
    desktop.Advance(20 * initial);
    EXPECT_TRUE(TipVisible());

    Send(TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&ti));
    EXPECT_FALSE(TipVisible());
}

TEST_F(Look, AnOwnerThatPlacesTheTipOnShowKeepsItsPlace) {
    ASSERT_TRUE(AddChildTool("Placed"));
    desktop.Call([&] {
        SetWindowLongPtrA(main, GWLP_WNDPROC,
                          reinterpret_cast<LONG_PTR>(+[](HWND hwnd, UINT message, WPARAM wParam,
                                                         LPARAM lParam) -> LRESULT {
                              if (message == WM_NOTIFY &&
                                  reinterpret_cast<NMHDR*>(lParam)->code == TTN_SHOW) {
                                  SetWindowPos(reinterpret_cast<NMHDR*>(lParam)->hwndFrom, nullptr,
                                               10, 20, 0, 0,
                                               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
                                  return TRUE;
                              }
                              return DefWindowProcA(hwnd, message, wParam, lParam);
                          }));
    });
    RestOnChild();
    desktop.Advance(initial);
    ASSERT_TRUE(TipVisible());
    RECT r = TipRect();
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 20);
}

} // namespace
} // namespace qv::test
