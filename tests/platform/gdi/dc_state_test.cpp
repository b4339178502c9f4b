// Device context state: SaveDC/RestoreDC, selection rules and bounds accumulation.
#include "memory_canvas.h"

namespace {

using DcState = MemoryCanvas;

struct Attributes {
    HGDIOBJ pen, brush, font;
    COLORREF text, background;
    int bkMode;
    UINT align;
    POINT viewport;
};

Attributes Read(HDC dc) {
    Attributes a{};
    a.pen = GetCurrentObject(dc, OBJ_PEN);
    a.brush = GetCurrentObject(dc, OBJ_BRUSH);
    a.font = GetCurrentObject(dc, OBJ_FONT);
    a.text = GetTextColor(dc);
    a.background = GetBkColor(dc);
    a.bkMode = GetBkMode(dc);
    a.align = GetTextAlign(dc);
    GetViewportOrgEx(dc, &a.viewport);
    return a;
}

void ExpectSame(const Attributes& a, const Attributes& b) {
    EXPECT_EQ(a.pen, b.pen);
    EXPECT_EQ(a.brush, b.brush);
    EXPECT_EQ(a.font, b.font);
    EXPECT_EQ(a.text, b.text);
    EXPECT_EQ(a.background, b.background);
    EXPECT_EQ(a.bkMode, b.bkMode);
    EXPECT_EQ(a.align, b.align);
    EXPECT_EQ(a.viewport.x, b.viewport.x);
    EXPECT_EQ(a.viewport.y, b.viewport.y);
}

void ChangeEverything(HDC dc, HGDIOBJ pen, HGDIOBJ brush, HGDIOBJ font) {
    SelectObject(dc, pen);
    SelectObject(dc, brush);
    SelectObject(dc, font);
    SetTextColor(dc, RGB(1, 2, 3));
    SetBkColor(dc, RGB(4, 5, 6));
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_BASELINE | TA_CENTER);
    SetViewportOrgEx(dc, 7, 8, nullptr);
}

TEST_F(DcState, RestoreDcMinusOneUndoesTheLastSaveDc) {
    HPEN pen = CreatePen(PS_DOT, 1, RGB(9, 9, 9));
    HBRUSH brush = CreateSolidBrush(RGB(10, 10, 10));
    HFONT font = CreateFontA(-11, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    const Attributes before = Read(dc);
    const int level = SaveDC(dc);
    EXPECT_EQ(level, 1);
    ChangeEverything(dc, pen, brush, font);
    const Attributes changed = Read(dc);
    EXPECT_EQ(changed.pen, pen);
    EXPECT_EQ(changed.bkMode, TRANSPARENT);

    EXPECT_EQ(SaveDC(dc), 2);
    ChangeEverything(dc, GetStockObject(NULL_PEN), GetStockObject(BLACK_BRUSH),
                     GetStockObject(DEFAULT_GUI_FONT));
    EXPECT_TRUE(RestoreDC(dc, -1));
    ExpectSame(Read(dc), changed);
    EXPECT_TRUE(RestoreDC(dc, -1));
    ExpectSame(Read(dc), before);
    EXPECT_FALSE(RestoreDC(dc, -1));

    DeleteObject(pen);
    DeleteObject(brush);
    DeleteObject(font);
}

TEST_F(DcState, RestoreDcToAnAbsoluteLevelDropsTheLaterOnes) {
    const COLORREF original = GetTextColor(dc);
    EXPECT_EQ(SaveDC(dc), 1);
    SetTextColor(dc, RGB(1, 1, 1));
    EXPECT_EQ(SaveDC(dc), 2);
    SetTextColor(dc, RGB(2, 2, 2));
    EXPECT_EQ(SaveDC(dc), 3);
    EXPECT_FALSE(RestoreDC(dc, 4));
    EXPECT_FALSE(RestoreDC(dc, 0));
    EXPECT_TRUE(RestoreDC(dc, 2));
    EXPECT_EQ(GetTextColor(dc), RGB(1, 1, 1));
    EXPECT_FALSE(RestoreDC(dc, 2));
    EXPECT_TRUE(RestoreDC(dc, 1));
    EXPECT_EQ(GetTextColor(dc), original);
}

TEST_F(DcState, ABitmapIsSelectedIntoOneDcAtATimeAndCannotBeDeletedThere) {
    HDC other = CreateCompatibleDC(dc);
    EXPECT_EQ(SelectObject(other, bitmap), nullptr);
    EXPECT_FALSE(DeleteObject(bitmap));
    BITMAP info{};
    EXPECT_EQ(GetObjectA(bitmap, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmWidth, kWidth);
    EXPECT_EQ(info.bmHeight, kHeight);
    EXPECT_EQ(info.bmBitsPixel, 32);
    DeleteDC(other);
}

TEST_F(DcState, APenDeletedWhileSelectedGoesWhenItIsDeselected) {
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(5, 5, 5));
    SelectObject(dc, pen);
    EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_PEN)));
    EXPECT_TRUE(DeleteObject(pen));
    MoveToEx(dc, 0, 0, nullptr);
    LineTo(dc, 5, 0);
    EXPECT_EQ(GetPixel(dc, 2, 0), RGB(5, 5, 5));
    EXPECT_EQ(SelectObject(dc, GetStockObject(BLACK_PEN)), pen);
    EXPECT_EQ(GetObjectType(pen), 0u);
    EXPECT_EQ(GetObjectType(GetStockObject(BLACK_PEN)), static_cast<DWORD>(OBJ_PEN));
}

// An off-screen buffer that grows between SaveDC and RestoreDC: the old bitmap is deleted while
// only the saved state holds it, and the new one is selected again after the restore.
TEST_F(DcState, BufferGrownBetweenSaveAndRestoreKeepsDrawing) {
    HDC buffer = CreateCompatibleDC(dc);
    HBITMAP small = CreateCompatibleBitmap(dc, 4, 4);
    HGDIOBJ original = SelectObject(buffer, small);
    SaveDC(buffer);
    HBITMAP large = CreateCompatibleBitmap(dc, 16, 16);
    EXPECT_EQ(SelectObject(buffer, large), small);
    DeleteObject(small);
    EXPECT_TRUE(RestoreDC(buffer, -1));
    SelectObject(buffer, large);
    EXPECT_EQ(SetPixel(buffer, 12, 12, RGB(7, 8, 9)), RGB(7, 8, 9));
    EXPECT_TRUE(BitBlt(dc, 0, 0, 16, 16, buffer, 0, 0, SRCCOPY));
    EXPECT_EQ(GetPixel(dc, 12, 12), RGB(7, 8, 9));
    SelectObject(buffer, original);
    EXPECT_TRUE(DeleteObject(large));
    DeleteDC(buffer);
}

TEST_F(DcState, BoundsAccumulateWhileEnabled) {
    RECT bounds{};
    SetBoundsRect(dc, nullptr, DCB_RESET | DCB_ENABLE);
    EXPECT_EQ(GetBoundsRect(dc, &bounds, 0) & DCB_SET, static_cast<UINT>(DCB_RESET));
    SetPixel(dc, 3, 4, RGB(0, 0, 0));
    const RECT r{10, 12, 20, 14};
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(GetBoundsRect(dc, &bounds, DCB_RESET) & DCB_SET, static_cast<UINT>(DCB_SET));
    EXPECT_EQ(bounds.left, 3);
    EXPECT_EQ(bounds.top, 4);
    EXPECT_EQ(bounds.right, 20);
    EXPECT_EQ(bounds.bottom, 14);
    EXPECT_EQ(GetBoundsRect(dc, &bounds, 0) & DCB_SET, static_cast<UINT>(DCB_RESET));

    SetBoundsRect(dc, nullptr, DCB_DISABLE);
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(GetBoundsRect(dc, &bounds, 0) & DCB_SET, static_cast<UINT>(DCB_RESET));
}

TEST_F(DcState, MapModeIsText) {
    EXPECT_EQ(GetMapMode(dc), MM_TEXT);
    EXPECT_EQ(SetMapMode(dc, MM_TEXT), MM_TEXT);
}

} // namespace
