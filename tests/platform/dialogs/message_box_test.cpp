#include "TestDesktop.h"

#include <gtest/gtest.h>

#include <functional>

namespace qv::test {
namespace {

struct Answer {
    const char* how;
    UINT type;
    std::function<void(TestDesktop&, HWND)> act;
    int result;
};

std::ostream& operator<<(std::ostream& os, const Answer& a) { return os << a.how; }

class MessageBoxes : public ::testing::TestWithParam<Answer> {};

TEST_P(MessageBoxes, ReturnTheButtonChosen) {
    TestDesktop desktop;
    UINT type = GetParam().type;
    desktop.Start([type] { return MessageBoxA(nullptr, "Something to say.", "Title", type); });
    HWND box = desktop.FindTopLevel("Title", "#32770");
    ASSERT_NE(box, nullptr);
    bool textShown = false;
    for (HWND h = GetWindow(box, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
        textShown = textShown || desktop.Text(h) == "Something to say.";
    EXPECT_TRUE(textShown);
    GetParam().act(desktop, box);
    EXPECT_EQ(desktop.ExitCode(), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MessageBoxes,
    ::testing::Values(
        Answer{"Enter on OK", MB_OK, [](TestDesktop& d, HWND) { d.PressKey(VK_RETURN); }, IDOK},
        Answer{"Esc on OK alone", MB_OK | MB_ICONERROR, [](TestDesktop& d, HWND) { d.PressKey(VK_ESCAPE); }, IDOK},
        Answer{"a click on Cancel", MB_OKCANCEL,
               [](TestDesktop& d, HWND box) { d.Click(GetDlgItem(box, IDCANCEL)); }, IDCANCEL},
        Answer{"Esc with Cancel", MB_OKCANCEL, [](TestDesktop& d, HWND) { d.PressKey(VK_ESCAPE); }, IDCANCEL},
        Answer{"the mnemonic of No", MB_YESNO | MB_ICONQUESTION, [](TestDesktop& d, HWND) { d.PressAltKey('N'); }, IDNO},
        Answer{"Enter on the second default", MB_YESNO | MB_DEFBUTTON2,
               [](TestDesktop& d, HWND) { d.PressKey(VK_RETURN); }, IDNO}));

TEST(MessageBoxErrors, ABadOwnerFails) {
    EXPECT_EQ(MessageBoxA(reinterpret_cast<HWND>(static_cast<uintptr_t>(0xbad0)), "x", "y", MB_OK), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

} // namespace
} // namespace qv::test
