#include "Recorder.h"

#include <gtest/gtest.h>

#include <functional>

namespace qv::test {
namespace {

// These tests make windows on the test's own thread: the window tree needs no message loop.
class Windows : public ::testing::Test {
protected:
    void SetUp() override {
        top = CreateWindowExA(0, "Recorder", "Top", WS_POPUP | WS_CAPTION | WS_SYSMENU, 100, 50, 300,
                              200, nullptr, nullptr, nullptr, nullptr);
        first = Child(1, 10, 10);
        second = Child(2, 10, 60);
        grandchild = CreateWindowExA(0, "Recorder", "g", WS_CHILD | WS_VISIBLE, 5, 5, 20, 10, first,
                                     reinterpret_cast<HMENU>(3), nullptr, nullptr);
        owned = CreateWindowExA(0, "Recorder", "Owned", WS_POPUP, 0, 0, 50, 50, first, nullptr,
                                nullptr, nullptr);
    }
    void TearDown() override { DestroyWindow(top); }

    HWND Child(int id, int x, int y) {
        return CreateWindowExA(0, "Recorder", "c", WS_CHILD | WS_VISIBLE, x, y, 100, 40, top,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    }

    Recorder recorder;
    HWND top = nullptr, first = nullptr, second = nullptr, grandchild = nullptr, owned = nullptr;
};

TEST_F(Windows, TreeParentsOwnersAndOrder) {
    EXPECT_EQ(GetParent(first), top);
    EXPECT_EQ(GetParent(top), nullptr);
    EXPECT_EQ(GetParent(owned), top) << "a popup's parent is its owner, the top-level window";
    EXPECT_EQ(GetWindow(owned, GW_OWNER), top);
    EXPECT_EQ(GetAncestor(grandchild, GA_ROOT), top);
    EXPECT_EQ(GetAncestor(top, GA_PARENT), GetDesktopWindow());
    EXPECT_TRUE(IsChild(top, grandchild));
    EXPECT_FALSE(IsChild(top, owned));
    EXPECT_EQ(GetWindow(top, GW_CHILD), first) << "children keep the order of their creation";
    EXPECT_EQ(GetWindow(first, GW_HWNDNEXT), second);
    EXPECT_EQ(GetDlgItem(top, 2), second);
    EXPECT_EQ(GetDlgCtrlID(grandchild), 3);

    std::vector<HWND> seen;
    EnumChildWindows(
        top,
        [](HWND h, LPARAM lp) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&seen));
    EXPECT_EQ(seen, (std::vector<HWND>{first, grandchild, second}));
}

TEST_F(Windows, FindWindowAndClassNames) {
    EXPECT_EQ(FindWindowA("Recorder", "Top"), top);
    EXPECT_EQ(FindWindowA(nullptr, "Owned"), owned);
    EXPECT_EQ(FindWindowA("recorder", "Top"), top) << "class names are case-insensitive";
    EXPECT_EQ(FindWindowA("Recorder", "top"), nullptr) << "titles are compared exactly";
    char name[8];
    EXPECT_EQ(GetClassNameA(top, name, sizeof name), 7);
    EXPECT_STREQ(name, "Recorde") << "the name is cut to the buffer, with its terminator";
}

TEST_F(Windows, RectanglesAndCoordinateMapping) {
    RECT r;
    ASSERT_TRUE(GetWindowRect(grandchild, &r));
    RECT client;
    GetClientRect(top, &client);
    POINT topClient{0, 0};
    ClientToScreen(top, &topClient);
    EXPECT_EQ(r.left, topClient.x + 10 + 5);
    EXPECT_EQ(r.top, topClient.y + 10 + 5);
    EXPECT_EQ(r.right - r.left, 20);
    EXPECT_EQ(topClient.y - 50, GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYDLGFRAME))
        << "the caption and frame lie above the client area";
    POINT p{1, 2};
    MapWindowPoints(grandchild, second, &p, 1);
    EXPECT_EQ(p.x, 1 + 5);
    EXPECT_EQ(p.y, 2 + 5 + 10 - 60);
    EXPECT_EQ(WindowFromPoint(POINT{r.left + 1, r.top + 1}), nullptr) << "the top window is hidden";
    ShowWindow(top, SW_SHOWNA);
    EXPECT_EQ(WindowFromPoint(POINT{r.left + 1, r.top + 1}), grandchild);
}

TEST_F(Windows, WindowLongsAndText) {
    EXPECT_EQ(GetWindowLongA(first, GWL_ID), 1);
    LONG style = GetWindowLongA(top, GWL_STYLE);
    SetWindowLongA(top, GWL_STYLE, style | WS_VISIBLE);
    EXPECT_TRUE(IsWindowVisible(top));
    EXPECT_TRUE(IsWindowVisible(grandchild));
    SetWindowLongA(top, GWL_STYLE, style & ~WS_VISIBLE);
    EXPECT_FALSE(IsWindowVisible(grandchild));
    EXPECT_EQ(SetWindowLongPtrA(top, GWLP_USERDATA, 42), 0);
    EXPECT_EQ(GetWindowLongPtrA(top, GWLP_USERDATA), 42);
    EXPECT_TRUE(SetWindowTextA(top, "Renamed"));
    char text[16];
    EXPECT_EQ(GetWindowTextA(top, text, sizeof text), 7);
    EXPECT_STREQ(text, "Renamed");
    EXPECT_EQ(GetWindowTextLengthA(top), 7);
}

TEST_F(Windows, SetParentMovesAWindowOutOfTheTopLevelAndBack) {
    HWND holder = CreateWindowExA(0, "Recorder", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                  nullptr, nullptr);
    EXPECT_EQ(SetParent(top, holder), GetDesktopWindow());
    EXPECT_EQ(GetAncestor(top, GA_PARENT), holder);
    EXPECT_EQ(FindWindowA("Recorder", "Top"), nullptr) << "it is no longer a top-level window";
    SetParent(top, nullptr);
    EXPECT_EQ(FindWindowA("Recorder", "Top"), top);
    DestroyWindow(holder);
}

TEST_F(Windows, DestroyingAWindowDestroysItsChildrenAndOwnedWindows) {
    DestroyWindow(top);
    for (HWND h : {top, first, second, grandchild, owned})
        EXPECT_FALSE(IsWindow(h));
}

TEST(BadHandles, FailAsWindowsFailsThem) {
    HWND bad = reinterpret_cast<HWND>(static_cast<uintptr_t>(0xdead0));
    RECT r;
    POINT p{};
    char text[4];
    struct Case {
        const char* call;
        std::function<bool()> failed;
    };
    std::vector<Case> cases{
        {"DestroyWindow", [&] { return !DestroyWindow(bad); }},
        {"GetWindowRect", [&] { return !GetWindowRect(bad, &r); }},
        {"GetClientRect", [&] { return !GetClientRect(bad, &r); }},
        {"ShowWindow", [&] { return !ShowWindow(bad, SW_SHOW); }},
        {"SetWindowTextA", [&] { return !SetWindowTextA(bad, "x"); }},
        {"GetWindowTextA", [&] { return GetWindowTextA(bad, text, 4) == 0; }},
        {"GetWindowLongA", [&] { return GetWindowLongA(bad, GWL_STYLE) == 0; }},
        {"SetWindowLongA", [&] { return SetWindowLongA(bad, GWL_STYLE, 0) == 0; }},
        {"GetParent", [&] { return GetParent(bad) == nullptr; }},
        {"SetParent", [&] { return SetParent(bad, nullptr) == nullptr; }},
        {"ClientToScreen", [&] { return !ClientToScreen(bad, &p); }},
        {"PostMessageA", [&] { return !PostMessageA(bad, WM_USER, 0, 0); }},
        {"SendMessageA", [&] { return SendMessageA(bad, WM_USER, 0, 0) == 0; }},
        {"SetTimer", [&] { return SetTimer(bad, 1, 100, nullptr) == 0; }},
        {"KillTimer", [&] { return !KillTimer(bad, 1); }},
        {"GetClassNameA", [&] { return GetClassNameA(bad, text, 4) == 0; }},
        {"InvalidateRect", [&] { return !InvalidateRect(bad, nullptr, TRUE); }},
    };
    for (const Case& c : cases) {
        SetLastError(0);
        EXPECT_TRUE(c.failed()) << c.call;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE)) << c.call;
    }
    EXPECT_FALSE(IsWindow(bad));
    EXPECT_EQ(CreateWindowExA(0, "NoSuchClass", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                              nullptr),
              nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));
    Recorder recorder;
    EXPECT_EQ(CreateWindowExA(0, "Recorder", "", WS_CHILD, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                              nullptr),
              nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TLW_WITH_WSCHILD));
}

} // namespace
} // namespace qv::test
