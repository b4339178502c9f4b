// Drawing into a memory bitmap and reading the pixels back.
#include "memory_canvas.h"

#include "gdi/display.h"
#include "gdi/icon.h"

#include <memory>

namespace {

using Drawing = MemoryCanvas;

TEST_F(Drawing, FillRectCoversLeftAndTopButNotRightAndBottom) {
    struct Case {
        const char* name;
        HBRUSH brush;
        COLORREF expected;
    };
    HBRUSH red = CreateSolidBrush(RGB(200, 10, 20));
    const Case cases[] = {
        {"solid brush", red, RGB(200, 10, 20)},
        {"system colour brush", GetSysColorBrush(COLOR_BTNFACE), RGB(192, 192, 192)},
        {"colour index plus one", reinterpret_cast<HBRUSH>(COLOR_BTNSHADOW + 1), RGB(128, 128, 128)},
        {"stock brush", static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)), RGB(0, 0, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Clear();
        const RECT r{10, 5, 20, 15};
        EXPECT_NE(FillRect(dc, &r, c.brush), 0);
        EXPECT_EQ(GetPixel(dc, 10, 5), c.expected);
        EXPECT_EQ(GetPixel(dc, 19, 14), c.expected);
        EXPECT_EQ(GetPixel(dc, 20, 14), RGB(255, 255, 255));
        EXPECT_EQ(GetPixel(dc, 19, 15), RGB(255, 255, 255));
        EXPECT_EQ(GetPixel(dc, 9, 5), RGB(255, 255, 255));
    }
    DeleteObject(red);
}

TEST_F(Drawing, LineToDrawsFromTheStartButNotTheEndPoint) {
    struct Case {
        POINT from, to, beforeEnd;
    };
    const Case cases[] = {
        {{5, 5}, {15, 5}, {14, 5}},   {{15, 8}, {5, 8}, {6, 8}},
        {{3, 10}, {3, 20}, {3, 19}},  {{10, 10}, {20, 20}, {19, 19}},
        {{30, 30}, {20, 25}, {22, 26}},
    };
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 255));
    HGDIOBJ old = SelectObject(dc, pen);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from.x << "," << c.from.y << " to " << c.to.x << ","
                                        << c.to.y);
        Clear();
        MoveToEx(dc, c.from.x, c.from.y, nullptr);
        EXPECT_TRUE(LineTo(dc, c.to.x, c.to.y));
        EXPECT_EQ(GetPixel(dc, c.from.x, c.from.y), RGB(0, 0, 255));
        EXPECT_EQ(GetPixel(dc, c.beforeEnd.x, c.beforeEnd.y), RGB(0, 0, 255));
        EXPECT_EQ(GetPixel(dc, c.to.x, c.to.y), RGB(255, 255, 255));
        POINT position{};
        GetCurrentPositionEx(dc, &position);
        EXPECT_EQ(position.x, c.to.x);
        EXPECT_EQ(position.y, c.to.y);
    }
    SelectObject(dc, old);
    DeleteObject(pen);
}

TEST_F(Drawing, RectangleOutlinesWithThePenAndFillsWithTheBrush) {
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    HBRUSH brush = CreateSolidBrush(RGB(0, 255, 0));
    SelectObject(dc, pen);
    SelectObject(dc, brush);
    EXPECT_TRUE(Rectangle(dc, 4, 4, 12, 10));
    EXPECT_EQ(GetPixel(dc, 4, 4), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 11, 9), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 5, 5), RGB(0, 255, 0));
    EXPECT_EQ(GetPixel(dc, 12, 9), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 11, 10), RGB(255, 255, 255));
    SelectObject(dc, GetStockObject(BLACK_PEN));
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(pen);
    DeleteObject(brush);
}

TEST_F(Drawing, BitBltCopiesFromTheSourceOffsetToTheDestinationOffset) {
    HDC source = CreateCompatibleDC(dc);
    HBITMAP sourceBitmap = CreateCompatibleBitmap(dc, 8, 8);
    HGDIOBJ old = SelectObject(source, sourceBitmap);
    PatBlt(source, 0, 0, 8, 8, BLACKNESS);
    SetPixel(source, 2, 3, RGB(1, 2, 3));
    SetPixel(source, 5, 6, RGB(4, 5, 6));

    EXPECT_TRUE(BitBlt(dc, 20, 10, 4, 4, source, 2, 3, SRCCOPY));
    EXPECT_EQ(GetPixel(dc, 20, 10), RGB(1, 2, 3));
    EXPECT_EQ(GetPixel(dc, 22, 12), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc, 23, 13), RGB(4, 5, 6));
    EXPECT_EQ(GetPixel(dc, 24, 13), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 19, 10), RGB(255, 255, 255));

    EXPECT_TRUE(BitBlt(dc, 30, 30, 8, 8, source, 0, 0, SRCCOPY));
    EXPECT_EQ(GetPixel(dc, 35, 36), RGB(4, 5, 6));

    SetViewportOrgEx(dc, 10, 0, nullptr);
    EXPECT_TRUE(BitBlt(dc, 0, 0, 8, 8, source, 0, 0, SRCCOPY));
    SetViewportOrgEx(dc, 0, 0, nullptr);
    EXPECT_EQ(GetPixel(dc, 12, 3), RGB(1, 2, 3));

    EXPECT_TRUE(BitBlt(dc, 0, 40, 4, 4, nullptr, 0, 0, WHITENESS));
    EXPECT_TRUE(BitBlt(dc, 0, 40, 2, 2, nullptr, 0, 0, BLACKNESS));
    EXPECT_EQ(GetPixel(dc, 1, 41), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc, 2, 41), RGB(255, 255, 255));

    SelectObject(source, old);
    DeleteObject(sourceBitmap);
    DeleteDC(source);
}

TEST_F(Drawing, DrawFocusRectTwiceLeavesThePixelsAsTheyWere) {
    const RECT r{3, 3, 20, 12};
    EXPECT_TRUE(DrawFocusRect(dc, &r));
    const RECT once = Ink();
    EXPECT_EQ(once.left, 3);
    EXPECT_EQ(once.bottom, 12);
    EXPECT_TRUE(DrawFocusRect(dc, &r));
    const RECT twice = Ink();
    EXPECT_TRUE(Empty(twice));
}

TEST_F(Drawing, DrawEdgeUsesTheClassicThreeDimensionalColours) {
    struct Case {
        UINT edge;
        COLORREF topLeftOuter, topLeftInner, bottomRightOuter, bottomRightInner;
    };
    const Case cases[] = {
        {EDGE_RAISED, GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_3DHIGHLIGHT),
         GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DSHADOW)},
        {EDGE_SUNKEN, GetSysColor(COLOR_3DSHADOW), GetSysColor(COLOR_3DDKSHADOW),
         GetSysColor(COLOR_3DHIGHLIGHT), GetSysColor(COLOR_3DLIGHT)},
        {EDGE_ETCHED, GetSysColor(COLOR_3DSHADOW), GetSysColor(COLOR_3DHIGHLIGHT),
         GetSysColor(COLOR_3DHIGHLIGHT), GetSysColor(COLOR_3DSHADOW)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.edge);
        Clear(RGB(1, 1, 1));
        RECT r{10, 10, 30, 20};
        EXPECT_TRUE(DrawEdge(dc, &r, c.edge, BF_RECT | BF_ADJUST));
        EXPECT_EQ(GetPixel(dc, 15, 10), c.topLeftOuter);
        EXPECT_EQ(GetPixel(dc, 15, 11), c.topLeftInner);
        EXPECT_EQ(GetPixel(dc, 15, 19), c.bottomRightOuter);
        EXPECT_EQ(GetPixel(dc, 15, 18), c.bottomRightInner);
        EXPECT_EQ(GetPixel(dc, 15, 15), RGB(1, 1, 1));
        EXPECT_EQ(r.left, 12);
        EXPECT_EQ(r.bottom, 18);
    }
}

TEST_F(Drawing, DottedPenLeavesGapsThatOpaqueModeFills) {
    HPEN pen = CreatePen(PS_DOT, 1, RGB(0, 0, 0));
    HGDIOBJ old = SelectObject(dc, pen);
    SetBkColor(dc, RGB(255, 0, 0));
    for (int mode : {TRANSPARENT, OPAQUE}) {
        SCOPED_TRACE(mode);
        Clear();
        SetBkMode(dc, mode);
        MoveToEx(dc, 0, 1, nullptr);
        LineTo(dc, 40, 1);
        int ink = 0, gaps = 0;
        for (int x = 0; x < 40; ++x) {
            const COLORREF p = GetPixel(dc, x, 1);
            ink += p == RGB(0, 0, 0);
            gaps += p == (mode == OPAQUE ? RGB(255, 0, 0) : RGB(255, 255, 255));
        }
        EXPECT_GT(ink, 0);
        EXPECT_GT(gaps, 0);
        EXPECT_EQ(ink + gaps, 40);
    }
    SelectObject(dc, old);
    DeleteObject(pen);
}

TEST_F(Drawing, DrawIconBlendsTheIconByItsAlpha) {
    qv::gdi::IconImage image;
    image.width = 3;
    image.height = 1;
    image.pixels = {0xFF0000FF, 0x00FF0000, 0x80000000};
    HICON icon = qv::gdi::CreateIconFromImage(image);
    ASSERT_NE(icon, nullptr);
    EXPECT_TRUE(DrawIcon(dc, 10, 10, icon));
    EXPECT_EQ(GetPixel(dc, 10, 10), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(dc, 11, 10), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 12, 10), RGB(127, 127, 127));
    EXPECT_TRUE(qv::gdi::DeleteIconImage(icon));
    EXPECT_EQ(qv::gdi::GetIconImage(icon), nullptr);
    EXPECT_FALSE(DrawIcon(dc, 10, 10, icon));
}

TEST(GdiSysColor, ClassicScheme) {
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(192, 192, 192));
    EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), RGB(128, 128, 128));
    EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), RGB(255, 255, 255));
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), RGB(0, 0, 128));
    HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
    EXPECT_TRUE(DeleteObject(face));
    EXPECT_EQ(GetObjectType(face), static_cast<DWORD>(OBJ_BRUSH));
}

TEST(GdiDisplayDc, DrawsAtTheOriginAndOnlyInsideTheClipRectangle) {
    auto surface = std::make_shared<qv::gdi::Surface>();
    surface->Resize(20, 20, 0x000000);
    HDC dc = qv::gdi::CreateDisplayDC({surface, POINT{5, 4}, RECT{5, 4, 15, 12}});
    ASSERT_NE(dc, nullptr);
    const RECT everything{-100, -100, 100, 100};
    FillRect(dc, &everything, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    EXPECT_EQ(surface->At(5, 4), 0xFFFFFFu);
    EXPECT_EQ(surface->At(14, 11), 0xFFFFFFu);
    EXPECT_EQ(surface->At(15, 11), 0u);
    EXPECT_EQ(surface->At(14, 12), 0u);
    EXPECT_EQ(surface->At(4, 4), 0u);

    EXPECT_EQ(SetPixel(dc, 1, 2, RGB(0x12, 0x34, 0x56)), RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(surface->At(6, 6), 0x123456u);
    EXPECT_EQ(GetPixel(dc, 20, 2), CLR_INVALID);
    EXPECT_EQ(GetDeviceCaps(dc, HORZRES), 20);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 96);
    EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 32);
    EXPECT_FALSE(DeleteDC(dc));
    EXPECT_TRUE(qv::gdi::DeleteDisplayDC(dc));
    EXPECT_FALSE(qv::gdi::DeleteDisplayDC(dc));
}

} // namespace
