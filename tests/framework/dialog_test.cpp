// CDialog on the test desktop: end codes, data exchange, the message map's default commands and
// the pre-translation of queued messages inside the framework's modal loop.
#include "framework/CButton.h"
#include "framework/CDataExchange.h"
#include "framework/CDialog.h"
#include "dialog_resources.h"

#include "TestDesktop.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace qv::test {
namespace {

const char kTitle[] = "Framework dialog";

// An edit field that sees the keys queued for it before the dialog does, and may keep Esc.
class CWatchEdit : public CWnd {
public:
    std::vector<WPARAM> keys;
    bool keepEscape = false;
    bool preSubclassed = false;

    BOOL PreTranslateMessage(MSG* pMsg) override {
        if (pMsg->message != WM_KEYDOWN)
            return FALSE;
        keys.push_back(pMsg->wParam);
        return keepEscape && pMsg->wParam == VK_ESCAPE;
    }

protected:
    void PreSubclassWindow() override { preSubclassed = true; }
};

class CTestDlg : public CDialog {
public:
    CTestDlg() : CDialog(IDD_FRAMEWORK_TEST) {}

    CWatchEdit m_edit;
    CButton m_go;
    std::string m_name = "initial";
    int m_count = 12;
    // What the Go button does: end the dialog with this code, or post a quit message.
    int m_goCode = 37;
    bool m_goQuits = false;
    // Seen in OnInitDialog.
    bool m_controlsAttached = false;
    std::string m_initialEditText;

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Control(pDX, IDC_NAME, m_edit);
        DDX_Control(pDX, IDC_GO, m_go);
        DDX_Text(pDX, IDC_NAME, m_name);
        DDX_Text(pDX, IDC_COUNT, m_count);
    }
    BOOL OnInitDialog() override {
        BOOL result = CDialog::OnInitDialog();
        m_controlsAttached = m_edit.preSubclassed &&
                             CWnd::FromHandlePermanent(::GetDlgItem(m_hWnd, IDC_NAME)) == &m_edit &&
                             CWnd::FromHandlePermanent(::GetDlgItem(m_hWnd, IDC_GO)) == &m_go;
        m_edit.GetWindowText(m_initialEditText);
        return result;
    }
    afx_msg void OnGo() {
        if (m_goQuits)
            ::PostQuitMessage(3);
        else
            EndDialog(m_goCode);
    }

    DECLARE_MESSAGE_MAP()
};

// clang-format off
BEGIN_MESSAGE_MAP(CTestDlg, CDialog)
    ON_BN_CLICKED(IDC_GO, &CTestDlg::OnGo)
END_MESSAGE_MAP()
// clang-format on

// Keeps Cancel from ending the dialog: its own IDCANCEL entry comes before CDialog's.
class CStubbornDlg : public CTestDlg {
public:
    int m_cancels = 0;

protected:
    afx_msg void OnCancel() override { ++m_cancels; }
    afx_msg void OnMyCancel() { m_cancels += 10; }

    DECLARE_MESSAGE_MAP()
};

// clang-format off
BEGIN_MESSAGE_MAP(CStubbornDlg, CTestDlg)
    ON_COMMAND(IDCANCEL, &CStubbornDlg::OnMyCancel)
END_MESSAGE_MAP()
// clang-format on

HWND Dialog(TestDesktop& desktop) {
    HWND hDlg = desktop.FindTopLevel(kTitle);
    EXPECT_NE(hDlg, nullptr);
    return hDlg;
}

// A visible dialog-class window other than hDlg (a message box), or null.
HWND OtherDialog(HWND hDlg) {
    struct Search {
        HWND hDlg;
        HWND found;
    } search{hDlg, nullptr};
    ::EnumWindows(
        [](HWND h, LPARAM lParam) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lParam);
            char className[32] = "";
            ::GetClassNameA(h, className, sizeof className);
            if (h != s->hDlg && ::IsWindowVisible(h) && std::string(className) == "#32770")
                s->found = h;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

TEST(Dialog, DoModalReturnsTheEndCodeOfEachWayOut) {
    struct Case {
        const char* way;
        void (*act)(TestDesktop&, HWND);
        int expected;
    };
    const Case cases[] = {
        {"Enter", [](TestDesktop& d, HWND) { d.PressKey(VK_RETURN); }, IDOK},
        {"Esc", [](TestDesktop& d, HWND) { d.PressKey(VK_ESCAPE); }, IDCANCEL},
        {"Close command",
         [](TestDesktop& d, HWND h) { ::PostMessageA(h, WM_SYSCOMMAND, SC_CLOSE, 0); d.WaitIdle(); },
         IDCANCEL},
        {"EndDialog(37)",
         [](TestDesktop& d, HWND h) { d.Click(::GetDlgItem(h, IDC_GO)); }, 37},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.way);
        TestDesktop desktop;
        desktop.Start([] {
            CTestDlg dlg;
            return static_cast<int>(dlg.DoModal());
        });
        HWND hDlg = Dialog(desktop);
        ASSERT_TRUE(::IsWindowVisible(hDlg));
        c.act(desktop, hDlg);
        EXPECT_EQ(desktop.ExitCode(), c.expected);
        EXPECT_FALSE(::IsWindow(hDlg));
    }
}

TEST(Dialog, AMissingTemplateGivesMinusOne) {
    CDialog dlg(4242);
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST(Dialog, DataExchangeFillsTheControlsAtInitAndReadsThemBackOnOk) {
    TestDesktop desktop;
    CTestDlg* pDlg = nullptr;
    std::string name;
    int count = 0;
    bool attached = false;
    std::string initialText;
    desktop.Start([&] {
        CTestDlg dlg;
        pDlg = &dlg;
        INT_PTR result = dlg.DoModal();
        name = dlg.m_name;
        count = dlg.m_count;
        attached = dlg.m_controlsAttached;
        initialText = dlg.m_initialEditText;
        return static_cast<int>(result);
    });
    HWND hDlg = Dialog(desktop);
    EXPECT_EQ(desktop.Text(::GetDlgItem(hDlg, IDC_COUNT)), "12");
    ::SetWindowTextA(::GetDlgItem(hDlg, IDC_NAME), "typed");
    ::SetWindowTextA(::GetDlgItem(hDlg, IDC_COUNT), " -40 ");
    desktop.PressKey(VK_RETURN);
    EXPECT_EQ(desktop.ExitCode(), IDOK);
    EXPECT_TRUE(attached);
    EXPECT_EQ(initialText, "initial");
    EXPECT_EQ(name, "typed");
    EXPECT_EQ(count, -40);
}

TEST(Dialog, ADerivedCancelEntryReplacesTheDefaultOne) {
    TestDesktop desktop;
    int cancels = 0;
    desktop.Start([&] {
        CStubbornDlg dlg;
        INT_PTR result = dlg.DoModal();
        cancels = dlg.m_cancels;
        return static_cast<int>(result);
    });
    HWND hDlg = Dialog(desktop);
    desktop.PressKey(VK_ESCAPE);
    desktop.Click(::GetDlgItem(hDlg, IDCANCEL));
    EXPECT_TRUE(::IsWindowVisible(hDlg));
    desktop.Click(::GetDlgItem(hDlg, IDC_GO));
    EXPECT_EQ(desktop.ExitCode(), 37);
    EXPECT_EQ(cancels, 20);
}

TEST(Dialog, ASubclassedControlPreTranslatesItsKeysBeforeTheDialogKeys) {
    TestDesktop desktop;
    std::vector<WPARAM> keys;
    desktop.Start([&] {
        CTestDlg dlg;
        dlg.m_edit.keepEscape = true;
        INT_PTR result = dlg.DoModal();
        keys = dlg.m_edit.keys;
        return static_cast<int>(result);
    });
    HWND hDlg = Dialog(desktop);
    desktop.PressKey(VK_ESCAPE);
    EXPECT_TRUE(::IsWindowVisible(hDlg));
    desktop.PressKey(VK_RETURN);
    EXPECT_EQ(desktop.ExitCode(), IDOK);
    EXPECT_EQ(keys, (std::vector<WPARAM>{VK_ESCAPE, VK_RETURN}));
}

TEST(Dialog, AQuitMessageEndsTheLoopAndIsPostedAgain) {
    TestDesktop desktop;
    desktop.Start([] {
        CTestDlg dlg;
        dlg.m_goQuits = true;
        INT_PTR result = dlg.DoModal();
        MSG msg;
        bool requeued = ::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) &&
                        msg.wParam == 3;
        return requeued ? static_cast<int>(result) : 1000;
    });
    desktop.Click(::GetDlgItem(Dialog(desktop), IDC_GO));
    EXPECT_EQ(desktop.ExitCode(), -1);
}

TEST(Dialog, TextThatIsNoIntegerFailsValidationAndKeepsTheDialogOpen) {
    TestDesktop desktop;
    desktop.Start([] {
        CTestDlg dlg;
        return static_cast<int>(dlg.DoModal());
    });
    HWND hDlg = Dialog(desktop);
    HWND hCount = ::GetDlgItem(hDlg, IDC_COUNT);
    ::SetWindowTextA(hCount, "twelve");
    desktop.PressKey(VK_RETURN);
    // The framework's message box says why; closing it leaves the dialog open, with the focus
    // on the field to correct.
    HWND hBox = OtherDialog(hDlg);
    ASSERT_NE(hBox, nullptr);
    desktop.PressKey(VK_RETURN);
    EXPECT_FALSE(::IsWindow(hBox));
    EXPECT_TRUE(::IsWindowVisible(hDlg));
    HWND hFocus = nullptr;
    desktop.Call([&] { hFocus = ::GetFocus(); });
    EXPECT_EQ(hFocus, hCount);
    desktop.PressKey(VK_ESCAPE);
    EXPECT_EQ(desktop.ExitCode(), IDCANCEL);
}

} // namespace
} // namespace qv::test
