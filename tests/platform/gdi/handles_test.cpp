// Calls with handles that are not (or no longer) valid fail as Windows documents, without crashing.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>

namespace {

struct Call {
    const char* name;
    std::function<bool(HDC deadDc, HDC liveDc, HGDIOBJ deadObject)> fails;
};

TEST(GdiHandles, InvalidHandlesFail) {
    HDC dead = CreateCompatibleDC(nullptr);
    ASSERT_TRUE(DeleteDC(dead));
    HDC live = CreateCompatibleDC(nullptr);
    HBRUSH gone = CreateSolidBrush(RGB(1, 2, 3));
    ASSERT_TRUE(DeleteObject(gone));
    const RECT r{0, 0, 4, 4};

    const Call calls[] = {
        {"DeleteDC twice", [](HDC d, HDC, HGDIOBJ) { return !DeleteDC(d); }},
        {"SaveDC", [](HDC d, HDC, HGDIOBJ) { return SaveDC(d) == 0; }},
        {"RestoreDC", [](HDC d, HDC, HGDIOBJ) { return !RestoreDC(d, -1); }},
        {"SetBkMode", [](HDC d, HDC, HGDIOBJ) { return SetBkMode(d, OPAQUE) == 0; }},
        {"SetTextColor", [](HDC d, HDC, HGDIOBJ) { return SetTextColor(d, 0) == CLR_INVALID; }},
        {"GetDeviceCaps", [](HDC d, HDC, HGDIOBJ) { return GetDeviceCaps(d, LOGPIXELSX) == 0; }},
        {"GetCurrentObject", [](HDC d, HDC, HGDIOBJ) { return !GetCurrentObject(d, OBJ_PEN); }},
        {"SelectObject into a dead DC",
         [](HDC d, HDC, HGDIOBJ) { return !SelectObject(d, GetStockObject(BLACK_PEN)); }},
        {"FillRect", [&r](HDC d, HDC, HGDIOBJ) {
             return FillRect(d, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))) == 0;
         }},
        {"LineTo", [](HDC d, HDC, HGDIOBJ) { return !LineTo(d, 3, 3); }},
        {"GetPixel", [](HDC d, HDC, HGDIOBJ) { return GetPixel(d, 0, 0) == CLR_INVALID; }},
        {"BitBlt from a dead DC",
         [](HDC d, HDC l, HGDIOBJ) { return !BitBlt(l, 0, 0, 1, 1, d, 0, 0, SRCCOPY); }},
        {"TextOutA", [](HDC d, HDC, HGDIOBJ) { return !TextOutA(d, 0, 0, "x", 1); }},
        {"GetTextExtentPoint32A", [](HDC d, HDC, HGDIOBJ) {
             SIZE size{};
             return !GetTextExtentPoint32A(d, "x", 1, &size);
         }},
        {"GetTextMetricsA", [](HDC d, HDC, HGDIOBJ) {
             TEXTMETRICA tm{};
             return !GetTextMetricsA(d, &tm);
         }},
        {"DrawTextA", [](HDC d, HDC, HGDIOBJ) {
             RECT box{0, 0, 10, 10};
             return DrawTextA(d, "x", 1, &box, 0) == 0;
         }},
        {"DrawEdge", [](HDC d, HDC, HGDIOBJ) {
             RECT box{0, 0, 10, 10};
             return !DrawEdge(d, &box, EDGE_RAISED, BF_RECT);
         }},
        {"DeleteObject twice", [](HDC, HDC, HGDIOBJ o) { return !DeleteObject(o); }},
        {"GetObjectA", [](HDC, HDC, HGDIOBJ o) {
             LOGBRUSH brush{};
             return GetObjectA(o, sizeof brush, &brush) == 0;
         }},
        {"GetObjectType", [](HDC, HDC, HGDIOBJ o) { return GetObjectType(o) == 0; }},
        {"SelectObject of a dead object", [](HDC, HDC l, HGDIOBJ o) { return !SelectObject(l, o); }},
        {"FillRect with a dead brush", [&r](HDC, HDC l, HGDIOBJ o) {
             return FillRect(l, &r, static_cast<HBRUSH>(o)) == 0;
         }},
        {"SelectObject of a made-up handle", [](HDC, HDC l, HGDIOBJ) {
             return !SelectObject(l, reinterpret_cast<HGDIOBJ>(0x7654321));
         }},
        {"DrawIcon of a made-up icon", [](HDC, HDC l, HGDIOBJ) {
             return !DrawIcon(l, 0, 0, reinterpret_cast<HICON>(0x7654321));
         }},
        {"CreateCompatibleDC of a dead DC",
         [](HDC d, HDC, HGDIOBJ) { return CreateCompatibleDC(d) == nullptr; }},
        {"CreateCompatibleBitmap of a dead DC",
         [](HDC d, HDC, HGDIOBJ) { return CreateCompatibleBitmap(d, 4, 4) == nullptr; }},
    };
    for (const Call& call : calls)
        EXPECT_TRUE(call.fails(dead, live, gone)) << call.name;
    DeleteDC(live);
}

} // namespace
