#include "TestDesktop.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace qv::test {
namespace {

constexpr int IDD_KEYS = 300;
constexpr int IDD_PLACED = 301;

// A control class whose answer to WM_GETDLGCODE the test chooses, and which records what the
// dialog manager sends it.
struct TestControls {
    std::map<int, LRESULT> dialogCodes;
    std::vector<int> focused;

    static TestControls& Current() {
        static TestControls controls;
        return controls;
    }

    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        auto& self = Current();
        if (message == WM_GETDLGCODE) {
            auto it = self.dialogCodes.find(GetDlgCtrlID(hwnd));
            return it == self.dialogCodes.end() ? 0 : it->second;
        }
        if (message == WM_SETFOCUS)
            self.focused.push_back(GetDlgCtrlID(hwnd));
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }

    static void Register() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = Proc;
        wc.lpszClassName = "TestControl";
        RegisterClassA(&wc);
    }
};

// The dialog procedure: ends the dialog with the id of any command it gets.
INT_PTR CALLBACK EndOnCommand(HWND hwnd, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_COMMAND) {
        EndDialog(hwnd, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

class Dialogs : public ::testing::Test {
protected:
    void SetUp() override { TestControls::Register(); }

    void Run(int id) {
        desktop.Start([id] {
            return static_cast<int>(DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id),
                                                    nullptr, EndOnCommand, 0));
        });
        dialog = desktop.FindTopLevel(id == IDD_KEYS ? "Keys" : "Placed");
        ASSERT_NE(dialog, nullptr);
    }

    int FocusedId() const { return GetDlgCtrlID(GetFocus()); }

    TestDesktop desktop;
    HWND dialog = nullptr;
};

struct Ending {
    const char* how;
    std::function<void(TestDesktop&, HWND)> act;
    int code;
};

std::ostream& operator<<(std::ostream& os, const Ending& e) { return os << e.how; }

class DialogEndings : public Dialogs, public ::testing::WithParamInterface<Ending> {};

TEST_P(DialogEndings, TheModalLoopReturnsTheEndCode) {
    Run(IDD_KEYS);
    GetParam().act(desktop, dialog);
    EXPECT_EQ(desktop.ExitCode(), GetParam().code);
    EXPECT_FALSE(IsWindow(dialog));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DialogEndings,
    ::testing::Values(
        Ending{"Enter", [](TestDesktop& d, HWND) { d.PressKey(VK_RETURN); }, IDOK},
        Ending{"Esc", [](TestDesktop& d, HWND) { d.PressKey(VK_ESCAPE); }, IDCANCEL},
        Ending{"Alt+F4", [](TestDesktop& d, HWND) { d.PressAltKey(VK_F4); }, IDCANCEL},
        Ending{"the close button",
               [](TestDesktop& d, HWND dlg) {
                   RECT r;
                   GetWindowRect(dlg, &r);
                   d.ClickAt(POINT{r.right - 8, r.top + 10});
               },
               IDCANCEL},
        Ending{"EndDialog(5)", [](TestDesktop& d, HWND dlg) { d.Call([dlg] { EndDialog(dlg, 5); }); }, 5}));

TEST_F(Dialogs, ControlsHaveTheTemplatesIdsStylesAndRectanglesInDialogUnits) {
    Run(IDD_KEYS);
    HWND second = GetDlgItem(dialog, 403);
    ASSERT_NE(second, nullptr);
    char name[32];
    GetClassNameA(second, name, sizeof name);
    EXPECT_STREQ(name, "TestControl");
    EXPECT_EQ(desktop.Text(second), "&Second");
    DWORD style = static_cast<DWORD>(GetWindowLongA(second, GWL_STYLE));
    EXPECT_EQ(style & (WS_CHILD | WS_TABSTOP), static_cast<DWORD>(WS_CHILD | WS_TABSTOP));
    RECT units{10, 40, 60, 54};
    ASSERT_TRUE(MapDialogRect(dialog, &units));
    RECT r;
    GetWindowRect(second, &r);
    POINT origin{0, 0};
    ClientToScreen(dialog, &origin);
    EXPECT_EQ(r.left - origin.x, units.left);
    EXPECT_EQ(r.top - origin.y, units.top);
    EXPECT_EQ(r.right - origin.x, units.right);
    EXPECT_EQ(r.bottom - origin.y, units.bottom);
    RECT client;
    GetClientRect(dialog, &client);
    RECT size{0, 0, 200, 100};
    MapDialogRect(dialog, &size);
    EXPECT_EQ(client.right, size.right);
    EXPECT_EQ(client.bottom, size.bottom);
}

TEST_F(Dialogs, CentredDialogsSitInTheMiddleOfTheWorkArea) {
    Run(IDD_KEYS);
    RECT r, work;
    GetWindowRect(dialog, &r);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_LE(std::abs((r.left + r.right) / 2 - (work.left + work.right) / 2), 1);
    EXPECT_LE(std::abs((r.top + r.bottom) / 2 - (work.top + work.bottom) / 2), 1);
    EXPECT_TRUE(IsWindowVisible(dialog));
}

TEST_F(Dialogs, TabWalksTheTabStopsInTemplateOrderSkippingDisabledOnes) {
    Run(IDD_KEYS);
    EXPECT_EQ(FocusedId(), 401) << "WM_INITDIALOG returned TRUE: the first tab stop has the focus";
    std::vector<int> order;
    for (int i = 0; i < 3; ++i) {
        desktop.PressKey(VK_TAB);
        order.push_back(FocusedId());
    }
    EXPECT_EQ(order, (std::vector<int>{403, 405, 401}));
    desktop.KeyDown(VK_SHIFT);
    desktop.PressKey(VK_TAB);
    desktop.KeyUp(VK_SHIFT);
    EXPECT_EQ(FocusedId(), 405);
}

TEST_F(Dialogs, MnemonicsMoveTheFocusAndControlsThatWantKeysKeepThem) {
    TestControls::Current().dialogCodes[403] = DLGC_WANTALLKEYS;
    Run(IDD_KEYS);
    desktop.PressAltKey('S');
    EXPECT_EQ(FocusedId(), 403);
    desktop.PressKey(VK_TAB);
    EXPECT_EQ(FocusedId(), 403) << "a control that wants all keys keeps Tab";
    desktop.PressKey(VK_RETURN);
    EXPECT_TRUE(desktop.Running()) << "and Enter";
}

TEST_F(Dialogs, TheCloseCommandIsTheCancelCommand) {
    Run(IDD_KEYS);
    PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(desktop.ExitCode(), IDCANCEL);
}

TEST_F(Dialogs, AnUncentredDialogIsPlacedFromTheScreenWithoutOwner) {
    Run(IDD_PLACED);
    RECT units{20, 30, 0, 0};
    MapDialogRect(dialog, &units);
    POINT origin{0, 0};
    ClientToScreen(dialog, &origin);
    EXPECT_EQ(origin.x, units.left);
    EXPECT_EQ(origin.y, units.top);
    EXPECT_TRUE(IsWindowVisible(dialog)) << "a modal dialog shows even without WS_VISIBLE";
}

TEST(DialogErrors, MissingTemplatesFail) {
    EXPECT_EQ(DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(999), nullptr, EndOnCommand, 0),
              -1);
    EXPECT_EQ(CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(999), nullptr,
                                 EndOnCommand, 0),
              nullptr);
    EXPECT_EQ(DialogBoxIndirectParamA(nullptr, nullptr, nullptr, EndOnCommand, 0), -1);
    EXPECT_FALSE(EndDialog(reinterpret_cast<HWND>(static_cast<uintptr_t>(0xbad0)), 1));
}

} // namespace
} // namespace qv::test
