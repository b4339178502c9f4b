// Message and command maps: each entry decodes its message and calls its handler; what no entry
// takes reaches the window's previous procedure; a derived class's entry wins over its base's.
#include "framework/CCmdUI.h"
#include "framework/CWnd.h"
#include "RawWindow.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace qv::test {
namespace {

UINT g_registeredMessage = 0;

constexpr UINT kGoButton = 101;
constexpr UINT kMenuItem = 200;
constexpr UINT kRangeFirst = 300;
constexpr UINT kRangeLast = 309;
constexpr UINT kLink = 400;

class CProbeWnd : public CWnd {
public:
    std::vector<std::string> calls;

protected:
    void Record(std::string call) { calls.push_back(std::move(call)); }

    afx_msg void OnTimer(UINT_PTR nIDEvent) { Record("OnTimer " + std::to_string(nIDEvent)); }
    afx_msg void OnSize(UINT nType, int cx, int cy) {
        Record("OnSize " + std::to_string(nType) + " " + std::to_string(cx) + "x" +
               std::to_string(cy));
    }
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point) {
        Record("OnLButtonDown " + std::to_string(nFlags) + " (" + std::to_string(point.x) + "," +
               std::to_string(point.y) + ")");
    }
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam) {
        Record("OnSysCommand " + std::to_string(nID) + " " + std::to_string(lParam));
    }
    afx_msg void OnEnable(BOOL bEnable) { Record("OnEnable " + std::to_string(bEnable)); }
    afx_msg void OnSettingChange(UINT uFlags, LPCSTR lpszSection) {
        Record("OnSettingChange " + std::to_string(uFlags) + " " + lpszSection);
    }
    afx_msg HCURSOR OnQueryDragIcon() {
        Record("OnQueryDragIcon");
        return reinterpret_cast<HCURSOR>(0x1234);
    }
    afx_msg LRESULT OnAppMessage(WPARAM wParam, LPARAM lParam) {
        Record("OnAppMessage " + std::to_string(wParam) + " " + std::to_string(lParam));
        return 42;
    }
    afx_msg LRESULT OnRegistered(WPARAM wParam, LPARAM) {
        Record("OnRegistered " + std::to_string(wParam));
        return 43;
    }
    afx_msg void OnGo() { Record("OnGo"); }
    afx_msg void OnGoSelChange() { Record("OnGoSelChange"); }
    afx_msg void OnMenuItem() { Record("OnMenuItem"); }
    afx_msg void OnRange(UINT nID) { Record("OnRange " + std::to_string(nID)); }
    afx_msg void OnLinkClicked() { Record("OnLinkClicked"); }
    afx_msg void OnUpdateMenuItem(CCmdUI* pCmdUI) {
        Record("OnUpdateMenuItem " + std::to_string(pCmdUI->m_nID));
        pCmdUI->Enable(FALSE);
        pCmdUI->SetCheck(1);
        pCmdUI->SetText("checked");
    }

    DECLARE_MESSAGE_MAP()
};

// clang-format off
BEGIN_MESSAGE_MAP(CProbeWnd, CWnd)
    ON_WM_TIMER()
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_SYSCOMMAND()
    ON_WM_ENABLE()
    ON_WM_SETTINGCHANGE()
    ON_WM_QUERYDRAGICON()
    ON_MESSAGE(WM_APP + 1, &CProbeWnd::OnAppMessage)
    ON_REGISTERED_MESSAGE(g_registeredMessage, &CProbeWnd::OnRegistered)
    ON_BN_CLICKED(kGoButton, &CProbeWnd::OnGo)
    ON_CBN_SELCHANGE(kGoButton, &CProbeWnd::OnGoSelChange)
    ON_COMMAND(kMenuItem, &CProbeWnd::OnMenuItem)
    ON_COMMAND_RANGE(kRangeFirst, kRangeLast, &CProbeWnd::OnRange)
    ON_STN_CLICKED(kLink, &CProbeWnd::OnLinkClicked)
    ON_UPDATE_COMMAND_UI(kMenuItem, &CProbeWnd::OnUpdateMenuItem)
END_MESSAGE_MAP()
// clang-format on

// Takes over two of the base's entries and leaves the rest to it.
class CDerivedProbe : public CProbeWnd {
protected:
    afx_msg void OnTimer(UINT_PTR nIDEvent) {
        Record("Derived OnTimer " + std::to_string(nIDEvent));
    }
    afx_msg void OnMenuItemHere() { Record("Derived OnMenuItem"); }

    DECLARE_MESSAGE_MAP()
};

// clang-format off
BEGIN_MESSAGE_MAP(CDerivedProbe, CProbeWnd)
    ON_WM_TIMER()
    ON_COMMAND(kMenuItem, &CDerivedProbe::OnMenuItemHere)
END_MESSAGE_MAP()
// clang-format on

class MessageMaps : public ::testing::Test {
protected:
    void SetUp() override {
        ResetRawWindows();
        g_registeredMessage = RegisterWindowMessageA("QvFrameworkTestMessage");
        ASSERT_NE(g_registeredMessage, 0u);
        // The raw class's procedure stays underneath as the previous procedure.
        ASSERT_TRUE(
            probe.CreateEx(0, kRawClass, "probe", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
        ASSERT_TRUE(
            derived.CreateEx(0, kRawClass, "derived", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
        control = CreateRawWindow(probe.m_hWnd, kGoButton);
        ASSERT_NE(control, nullptr);
        probe.calls.clear();
        derived.calls.clear();
    }

    CProbeWnd probe;
    CDerivedProbe derived;
    HWND control = nullptr;
};

struct MessageCase {
    const char* name;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool fromControl;         // lParam is the control's window
    std::string expectedCall; // empty: no handler runs
    LRESULT expectedResult;
};

TEST_F(MessageMaps, EntriesDecodeTheirMessagesAndTheRestReachThePreviousProcedure) {
    const MessageCase cases[] = {
        {"timer", WM_TIMER, 7, 0, false, "OnTimer 7", 0},
        {"size", WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(640, 480), false, "OnSize 2 640x480", 0},
        {"mouse at negative coordinates", WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(-5, 12),
         false, "OnLButtonDown 5 (-5,12)", 0},
        {"system command", WM_SYSCOMMAND, SC_CLOSE, 99, false, "OnSysCommand 61536 99", 0},
        {"enable", WM_ENABLE, TRUE, 0, false, "OnEnable 1", 0},
        {"setting change", WM_SETTINGCHANGE, SPI_SETWORKAREA, reinterpret_cast<LPARAM>("Windows"),
         false, "OnSettingChange 47 Windows", 0},
        {"drag icon", WM_QUERYDRAGICON, 0, 0, false, "OnQueryDragIcon", 0x1234},
        {"ON_MESSAGE", WM_APP + 1, 5, -6, false, "OnAppMessage 5 -6", 42},
        {"button click", WM_COMMAND, MAKEWPARAM(kGoButton, BN_CLICKED), 0, true, "OnGo", 0},
        {"same id, another code", WM_COMMAND, MAKEWPARAM(kGoButton, CBN_SELCHANGE), 0, true,
         "OnGoSelChange", 0},
        {"static click", WM_COMMAND, MAKEWPARAM(kLink, STN_CLICKED), 0, true, "OnLinkClicked", 0},
        {"menu command", WM_COMMAND, MAKEWPARAM(kMenuItem, 0), 0, false, "OnMenuItem", 0},
        {"accelerator command", WM_COMMAND, MAKEWPARAM(kMenuItem, 1), 0, false, "OnMenuItem", 0},
        {"command range", WM_COMMAND, MAKEWPARAM(304, 0), 0, false, "OnRange 304", 0},
        {"unmapped code", WM_COMMAND, MAKEWPARAM(kGoButton, BN_DOUBLECLICKED), 0, true, "", 0},
        {"past the range", WM_COMMAND, MAKEWPARAM(kRangeLast + 1, 0), 0, false, "", 0},
        {"unmapped message", WM_USER + 5, 0, 0, false, "", 0},
    };
    for (const MessageCase& c : cases) {
        SCOPED_TRACE(c.name);
        probe.calls.clear();
        ResetRawWindows();
        LPARAM lParam = c.fromControl ? reinterpret_cast<LPARAM>(control) : c.lParam;
        LRESULT result = probe.SendMessage(c.message, c.wParam, lParam);
        if (c.expectedCall.empty()) {
            EXPECT_TRUE(probe.calls.empty()) << probe.calls.front();
            EXPECT_TRUE(RawSaw(probe.m_hWnd, c.message));
        } else {
            EXPECT_EQ(probe.calls, std::vector<std::string>{c.expectedCall});
            EXPECT_EQ(result, c.expectedResult);
            EXPECT_FALSE(RawSaw(probe.m_hWnd, c.message));
        }
    }
}

TEST_F(MessageMaps, RegisteredMessageNumberIsReadWhenTheMessageArrives) {
    EXPECT_EQ(probe.SendMessage(g_registeredMessage, 9), 43);
    UINT before = g_registeredMessage;
    g_registeredMessage = RegisterWindowMessageA("QvFrameworkTestOtherMessage");
    ASSERT_NE(g_registeredMessage, before);
    ResetRawWindows();
    probe.SendMessage(before, 8);
    EXPECT_TRUE(RawSaw(probe.m_hWnd, before));
    EXPECT_EQ(probe.SendMessage(g_registeredMessage, 10), 43);
    EXPECT_EQ(probe.calls, (std::vector<std::string>{"OnRegistered 9", "OnRegistered 10"}));
}

TEST_F(MessageMaps, DerivedEntryWinsAndTheBaseMapServesTheRest) {
    derived.SendMessage(WM_TIMER, 3);
    derived.SendMessage(WM_COMMAND, MAKEWPARAM(kMenuItem, 0));
    derived.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(10, 20));
    derived.SendMessage(WM_COMMAND, MAKEWPARAM(301, 0));
    EXPECT_EQ(derived.calls, (std::vector<std::string>{"Derived OnTimer 3", "Derived OnMenuItem",
                                                       "OnSize 0 10x20", "OnRange 301"}));
}

TEST_F(MessageMaps, OnCmdMsgReportsWhetherACommandWasHandled) {
    EXPECT_TRUE(probe.OnCmdMsg(kMenuItem, CN_COMMAND, nullptr, nullptr));
    EXPECT_FALSE(probe.OnCmdMsg(kRangeLast + 1, CN_COMMAND, nullptr, nullptr));
    AFX_CMDHANDLERINFO info{};
    EXPECT_TRUE(probe.OnCmdMsg(kGoButton, BN_CLICKED, nullptr, &info));
    EXPECT_EQ(info.pTarget, &probe);
    EXPECT_NE(info.pEntry, nullptr);
    // Looking up a handler does not run it.
    EXPECT_EQ(probe.calls, std::vector<std::string>{"OnMenuItem"});
}

TEST_F(MessageMaps, UpdateDialogControlsAppliesUpdateHandlersToControls) {
    HWND withHandler = CreateRawWindow(probe.m_hWnd, kMenuItem);
    HWND commandOnly = CreateRawWindow(probe.m_hWnd, 304);
    HWND noHandler = CreateRawWindow(probe.m_hWnd, 555);
    HWND label = CreateRawWindow(probe.m_hWnd, -1);
    for (HWND h : {withHandler, commandOnly, noHandler, label})
        ASSERT_NE(h, nullptr);

    probe.UpdateDialogControls(&probe, TRUE);

    EXPECT_EQ(probe.calls,
              std::vector<std::string>{"OnUpdateMenuItem " + std::to_string(kMenuItem)});
    EXPECT_FALSE(IsWindowEnabled(withHandler));
    EXPECT_EQ(SendMessageA(withHandler, BM_GETCHECK, 0, 0), BST_CHECKED);
    char text[32] = {};
    GetWindowTextA(withHandler, text, sizeof text);
    EXPECT_STREQ(text, "checked");
    EXPECT_TRUE(IsWindowEnabled(commandOnly));
    EXPECT_FALSE(IsWindowEnabled(noHandler));
    EXPECT_TRUE(IsWindowEnabled(label));

    EnableWindow(noHandler, TRUE);
    probe.UpdateDialogControls(&probe, FALSE);
    EXPECT_TRUE(IsWindowEnabled(noHandler));
}

} // namespace
} // namespace qv::test
