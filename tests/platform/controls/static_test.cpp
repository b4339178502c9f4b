// Statics: click notifications with SS_NOTIFY, clicks passing through without it, the parent's
// colours (a transparent static leaves the parent's background under its text), and icons.
#include "ControlParent.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace qv::test {
namespace {

constexpr RECT kPlace{20, 20, 220, 60};

class Statics : public ::testing::Test {
protected:
    HWND Start(DWORD style, const char* text = "MMMM MMMM") {
        HWND made = nullptr;
        desktop.Start([&] {
            return RunParent(
                [&](HWND p) { made = MakeControl(p, "STATIC", text, style, kPlace, 9); });
        });
        parent.Clear();
        return made;
    }

    // The colours the parent shows over a rectangle of its client area.
    std::vector<COLORREF> Pixels(const RECT& r) {
        std::vector<COLORREF> out;
        desktop.Call([&] {
            HDC hdc = GetDC(parent.window);
            for (int y = r.top; y < r.bottom; ++y)
                for (int x = r.left; x < r.right; ++x)
                    out.push_back(GetPixel(hdc, x, y));
            ReleaseDC(parent.window, hdc);
        });
        return out;
    }

    static size_t CountOf(const std::vector<COLORREF>& pixels, COLORREF colour) {
        return static_cast<size_t>(std::count(pixels.begin(), pixels.end(), colour));
    }

    ControlParent parent;
    TestDesktop desktop;
};

TEST_F(Statics, WithSsNotifyAClickAndADoubleClickNotifyTheParent) {
    HWND label = Start(SS_NOTIFY);
    desktop.Click(label);
    EXPECT_EQ(parent.Codes(label), std::vector<UINT>{STN_CLICKED});
    parent.Clear();
    desktop.Advance(GetDoubleClickTime() + 1); // so that the next press starts a new pair
    desktop.DoubleClick(label);
    EXPECT_EQ(parent.Codes(label), (std::vector<UINT>{STN_CLICKED, STN_DBLCLK}));
    EXPECT_EQ(parent.clicks, 0);
}

TEST_F(Statics, WithoutSsNotifyClicksPassThroughToTheParent) {
    HWND label = Start(SS_LEFT);
    desktop.Click(label);
    EXPECT_TRUE(parent.Codes(label).empty());
    EXPECT_EQ(parent.clicks, 1);
    EXPECT_EQ(SendMessageA(label, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
}

TEST_F(Statics, PaintingAsksTheParentForColoursWithTheStaticsDc) {
    HWND label = Start(SS_LEFT);
    desktop.Call([&] { SetWindowTextA(label, "Changed"); });
    ASSERT_FALSE(parent.colours.empty());
    EXPECT_EQ(parent.colours.back().message, static_cast<UINT>(WM_CTLCOLORSTATIC));
    EXPECT_EQ(parent.colours.back().control, label);
    EXPECT_NE(parent.colours.back().hdc, nullptr);
}

TEST_F(Statics, ANullBrushAndTransparentModeLeaveTheParentsBackgroundUnderTheText) {
    constexpr RECT kBelow{20, 80, 220, 120};
    parent.transparentId = 9;
    desktop.Start([&] {
        return RunParent([&](HWND p) {
            MakeControl(p, "STATIC", "MMMM MMMM", SS_LEFT, kPlace, 9);
            MakeControl(p, "STATIC", "MMMM MMMM", SS_LEFT, kBelow, 8);
        });
    });
    struct Case {
        const char* name;
        RECT place;
        bool parentShows;
    };
    for (const Case& c :
         {Case{"transparent", kPlace, true}, Case{"default colours", kBelow, false}}) {
        SCOPED_TRACE(c.name);
        std::vector<COLORREF> pixels = Pixels(c.place);
        EXPECT_EQ(CountOf(pixels, ControlParent::Background) > 0, c.parentShows);
        EXPECT_EQ(CountOf(pixels, GetSysColor(COLOR_BTNFACE)) > 0, !c.parentShows);
        EXPECT_EQ(CountOf(pixels, ControlParent::TextColour) > 0, c.parentShows)
            << "the text's colour";
    }
}

TEST_F(Statics, AnIconStaticShowsTheModulesIconNamedByItsTitle) {
    HWND icon = Start(SS_ICON, "#128");
    EXPECT_NE(SendMessageA(icon, STM_GETICON, 0, 0), 0);
    RECT r{};
    GetClientRect(icon, &r);
    EXPECT_EQ(r.right, 32);
    EXPECT_EQ(r.bottom, 32);
    // The icon's opaque left half: red x * 8, green y * 8, blue (x + y) * 4.
    std::vector<COLORREF> pixel =
        Pixels(RECT{kPlace.left + 5, kPlace.top + 3, kPlace.left + 6, kPlace.top + 4});
    EXPECT_EQ(pixel[0], RGB(40, 24, 32));
}

} // namespace
} // namespace qv::test
