#include "SystemTest.h"

#include "res/resource.h"

#include <commctrl.h>

#include <functional>

namespace qv::test {
namespace {

struct TemplateControl {
    int id;
    const char* className;
    RECT units; // x, y, width, height in dialog units
    const char* text;
};

// Template 102, in template order.
const TemplateControl MainTemplate[] = {
    {1001, "Button", {12, 10, 150, 33}, "ACCELLERATE!"}, // its caption follows the mode
    {3, "Button", {18, 54, 138, 24}, "&Run your Quorva"},
    {2, "Button", {18, 90, 138, 24}, "&Minimize to Tray"},
    {1007, "Button", {18, 126, 138, 24}, "&Quit Application"},
    {-1, "Static", {180, 66, 55, 8}, "Connected Time:"},
    {-1, "Static", {12, 162, 60, 8}, "Network Interface"},
    {-1, "Static", {180, 90, 66, 8}, "Total Bytes Sent:"},
    {-1, "Static", {180, 114, 72, 8}, "Total Bytes Received:"},
    {1009, "Static", {252, 66, 84, 10}, ""},
    {1011, "Static", {252, 114, 84, 10}, ""},
    {1012, "Static", {252, 90, 84, 10}, ""},
    {1015, "Static", {252, 42, 84, 10}, ""},
    {-1, "Static", {180, 42, 62, 8}, "Connection Status:"},
    {1016, "Static", {252, 18, 84, 10}, ""},
    {1017, "Static", {180, 18, 58, 8}, "Connection Type:"},
    {-1, "Button", {168, 6, 180, 150}, ""},
    {-1, "Static", {180, 138, 66, 8}, "Accelerated mode:"},
    {1022, "Static", {252, 138, 84, 10}, " 0 hrs :  0 mins :  0 secs"},
    {-1, "Button", {12, 42, 150, 114}, ""},
    {1024, "ComboBox", {90, 160, 258, 85}, ""},
};

class MainWindow : public SystemTest {};

TEST_F(MainWindow, ShowsEveryControlOfTheTemplateInItsPlace) {
    StartProgram();
    POINT origin{0, 0};
    ClientToScreen(main, &origin);
    HWND control = GetWindow(main, GW_CHILD);
    for (const TemplateControl& expected : MainTemplate) {
        ASSERT_NE(control, nullptr) << "missing control " << expected.id;
        SCOPED_TRACE("control " + std::to_string(expected.id) + " " + expected.text);
        EXPECT_EQ(GetDlgCtrlID(control), expected.id);
        char name[32];
        GetClassNameA(control, name, sizeof name);
        EXPECT_STRCASEEQ(name, expected.className);
        if (expected.id != 1001) {
            EXPECT_EQ(desktop.Text(control), expected.text);
        }
        RECT units{expected.units.left, expected.units.top, expected.units.left + expected.units.right,
                   expected.units.top + expected.units.bottom};
        MapDialogRect(main, &units);
        RECT r;
        GetWindowRect(control, &r);
        EXPECT_EQ(r.left - origin.x, units.left);
        EXPECT_EQ(r.top - origin.y, units.top);
        EXPECT_EQ(r.right - origin.x, units.right);
        if (expected.id != 1024) { // a drop-down box is as high as its edit field
            EXPECT_EQ(r.bottom - origin.y, units.bottom);
        }
        control = GetWindow(control, GW_HWNDNEXT);
    }
    EXPECT_EQ(control, nullptr) << "more controls than the template has";
}

TEST_F(MainWindow, IsCentredOnTheScreenWithItsCaption) {
    StartProgram();
    EXPECT_EQ(desktop.Text(main), "Quorva Velocitor");
    RECT r;
    GetWindowRect(main, &r);
    EXPECT_LE(std::abs((r.left + r.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2), 1);
    EXPECT_LE(std::abs((r.top + r.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2), 1);
    EXPECT_TRUE(IsWindowVisible(main));
    LONG ex = GetWindowLongA(main, GWL_EXSTYLE);
    EXPECT_TRUE(ex & WS_EX_APPWINDOW);
    LONG style = GetWindowLongA(main, GWL_STYLE);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
}

struct Ending {
    const char* how;
    std::function<void(MainWindow&)> act;
    INT_PTR code;
};

std::ostream& operator<<(std::ostream& os, const Ending& e) { return os << e.how; }

class MainWindowEndings : public MainWindow, public ::testing::WithParamInterface<Ending> {
public:
    void Act() { GetParam().act(*this); }
    TestDesktop& Desktop() { return desktop; }
    HWND Main() const { return main; }
    HWND ItemOf(int id) const { return Item(id); }
};

TEST_P(MainWindowEndings, EndTheWindowWithTheirCodeAndTheProgramWithZero) {
    StartProgram();
    Act();
    EXPECT_EQ(desktop.ExitCode(), 0);
    auto ended = Ended();
    ASSERT_FALSE(ended.empty());
    EXPECT_EQ(ended.back().first, main);
    EXPECT_EQ(ended.back().second, GetParam().code);
    EXPECT_FALSE(IsWindow(main));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MainWindowEndings,
    ::testing::Values(
        Ending{"Quit Application", [](MainWindow& t) {
                   auto& self = static_cast<MainWindowEndings&>(t);
                   self.Desktop().Click(self.ItemOf(IDC_QUIT));
               },
               2},
        Ending{"the tray menu's Exit command", [](MainWindow& t) {
                   auto& self = static_cast<MainWindowEndings&>(t);
                   PostMessageA(self.Main(), WM_COMMAND, 32786, 0);
                   self.Desktop().WaitIdle();
               },
               0},
        Ending{"Enter on the toggle button", [](MainWindow& t) {
                   auto& self = static_cast<MainWindowEndings&>(t);
                   self.Desktop().PressKey(VK_RETURN);
               },
               1},
        Ending{"Enter in the interface box", [](MainWindow& t) {
                   auto& self = static_cast<MainWindowEndings&>(t);
                   for (int i = 0; i < 4; ++i)
                       self.Desktop().PressKey(VK_TAB);
                   self.Desktop().PressKey(VK_RETURN);
               },
               1}));

TEST_F(MainWindow, LabelsAndFiguresDrawOverTheDialogsOwnBackground) {
    StartProgram();
    HDC hdc = CreateCompatibleDC(nullptr);
    SetBkMode(hdc, OPAQUE);
    LRESULT brush = SendMessageA(main, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hdc),
                                 reinterpret_cast<LPARAM>(Item(IDC_CONNECTED_TIME)));
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(brush), GetStockObject(NULL_BRUSH));
    EXPECT_EQ(GetBkMode(hdc), TRANSPARENT);
    SetBkMode(hdc, OPAQUE);
    brush = SendMessageA(main, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(hdc),
                         reinterpret_cast<LPARAM>(Item(IDC_INTERFACE_BOX)));
    EXPECT_NE(reinterpret_cast<HGDIOBJ>(brush), GetStockObject(NULL_BRUSH))
        << "the interface box keeps the default colours";
    EXPECT_EQ(GetBkMode(hdc), OPAQUE);
    DeleteDC(hdc);
}

TEST_F(MainWindow, TheDragIconIsTheApplicationIcon) {
    StartProgram();
    EXPECT_EQ(SendMessageA(main, WM_QUERYDRAGICON, 0, 0),
              reinterpret_cast<LRESULT>(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME))));
}

TEST_F(MainWindow, EachCommandButtonShowsItsTipWhenThePointerRests) {
    StartProgram();
    const std::pair<int, const char*> tips[] = {
        {IDC_RUN_QUORVA, "Run Quorva"}, {IDC_ACCELERATE, "Accelerate Quorva"}, {IDC_QUIT, "Exit"}, {IDCANCEL, "Save"}};
    for (const auto& [id, text] : tips) {
        desktop.MoveTo(desktop.CenterOf(Item(id)));
        desktop.Advance(600);
        HWND tip = FindWindowA(TOOLTIPS_CLASSA, nullptr);
        std::string shown;
        for (HWND h = GetTopWindow(nullptr); h; h = GetWindow(h, GW_HWNDNEXT)) {
            char name[32];
            GetClassNameA(h, name, sizeof name);
            if (std::string(name) == TOOLTIPS_CLASSA && IsWindowVisible(h))
                shown = desktop.Text(h);
        }
        EXPECT_EQ(shown, text) << "over control " << id << (tip ? "" : " (no tool tip at all)");
        desktop.MoveTo(POINT{1, 1});
        desktop.Advance(100);
    }
}

TEST_F(MainWindow, ADoubleClickOnTheToggleCountsAsTwoClicks) {
    StartProgram();
    HWND toggle = Item(IDC_ACCELERATE);
    LRESULT before = SendMessageA(toggle, BM_GETCHECK, 0, 0);
    desktop.Click(toggle);
    EXPECT_NE(SendMessageA(toggle, BM_GETCHECK, 0, 0), before);
    desktop.Advance(1000);
    desktop.DoubleClick(toggle);
    EXPECT_NE(SendMessageA(toggle, BM_GETCHECK, 0, 0), before) << "flipped twice more";
}

} // namespace
} // namespace qv::test

namespace qv::test {
namespace {

TEST_F(MainWindow, AScreenshotShowsTheWindowOnTheDesktop) {
    StartProgram();
    std::string path = ::testing::TempDir() + "main_window.png";
    ASSERT_TRUE(desktop.Screenshot(path));
    HDC hdc = GetWindowDC(main);
    RECT r;
    GetWindowRect(main, &r);
    // The caption bar, between its text and the close button, has the active caption colour.
    EXPECT_EQ(GetPixel(hdc, (r.right - r.left) / 2 + 60, 8), GetSysColor(COLOR_ACTIVECAPTION));
    ReleaseDC(main, hdc);
}

} // namespace
} // namespace qv::test

