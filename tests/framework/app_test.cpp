// The application: its message loop with the pre-translation chain, and WinMain.
#include "framework/CWinApp.h"
#include "framework/CWnd.h"
#include "RawWindow.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nShowCmd);

namespace qv::test {
namespace {

std::vector<std::string> g_log;

std::string Name(UINT message) {
    return std::to_string(message - WM_APP);
}

// Logs the application messages (WM_APP and up) it pre-translates and receives.
class CFilterWnd : public CWnd {
public:
    explicit CFilterWnd(std::string name) : m_name(std::move(name)) {}
    UINT m_swallow = 0;
    CWnd* m_pSendDuringDispatch = nullptr;

    BOOL PreTranslateMessage(MSG* pMsg) override {
        if (pMsg->message >= WM_APP)
            g_log.push_back(m_name + " pre " + Name(pMsg->message));
        return pMsg->message == m_swallow;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message >= WM_APP) {
            g_log.push_back(m_name + " got " + Name(message));
            if (m_pSendDuringDispatch)
                m_pSendDuringDispatch->SendMessage(WM_APP + 6);
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

private:
    std::string m_name;
};

class CTestApp : public CWinApp {
public:
    using CWinApp::CWinApp;
    BOOL m_bInit = TRUE;
    CFilterWnd m_wndMain{"main"};

    BOOL InitInstance() override {
        g_log.push_back("InitInstance");
        EXPECT_TRUE(
            m_wndMain.CreateEx(0, nullptr, "main", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
        m_pMainWnd = &m_wndMain;
        return m_bInit;
    }
    int Run() override {
        g_log.push_back("Run");
        return CWinApp::Run();
    }
    int ExitInstance() override {
        g_log.push_back("ExitInstance");
        return CWinApp::ExitInstance() + 7;
    }
    BOOL PreTranslateMessage(MSG* pMsg) override {
        if (pMsg->message >= WM_APP)
            g_log.push_back("app pre " + Name(pMsg->message));
        return FALSE;
    }
    // A loop that missed its WM_QUIT ends here instead of waiting for ever.
    BOOL OnIdle(LONG lCount) override {
        PostQuitMessage(99);
        return CWinApp::OnIdle(lCount);
    }
};

void DrainQueue() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
}

class Application : public ::testing::Test {
protected:
    void SetUp() override {
        ResetRawWindows();
        g_log.clear();
        DrainQueue();
    }
    void TearDown() override { DrainQueue(); }
};

TEST_F(Application, PreTranslateMessageSeesQueuedMessagesBeforeDispatchAndNeverSentOnes) {
    CTestApp app("loop");
    CFilterWnd parent("parent");
    CFilterWnd child("child");
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    ASSERT_TRUE(child.Create(nullptr, "child", 0, RECT{0, 0, 10, 10}, &parent, 1));
    parent.m_swallow = WM_APP + 5;

    parent.SendMessage(WM_APP + 3);
    parent.m_pSendDuringDispatch = &child;
    parent.PostMessage(WM_APP + 1);
    child.PostMessage(WM_APP + 2);
    PostThreadMessageA(GetCurrentThreadId(), WM_APP + 4, 0, 0);
    child.PostMessage(WM_APP + 5);
    PostQuitMessage(3);
    EXPECT_EQ(app.Run(), 3 + 7);

    const std::vector<std::string> expected = {
        "parent got 3", "Run",
        // A window's own message: the window, then the application, then dispatch.
        // What the parent sends its child meanwhile goes straight to it.
        "parent pre 1", "app pre 1", "parent got 1", "child got 6",
        // A child's message: the child, its parent, then the application.
        "child pre 2", "parent pre 2", "app pre 2", "child got 2",
        // A thread message has no window: only the application sees it.
        "app pre 4",
        // Taken by the parent: neither the application nor the child sees it.
        "child pre 5", "parent pre 5", "ExitInstance"};
    EXPECT_EQ(g_log, expected);
}

struct WinMainCase {
    const char* name;
    BOOL init;
    std::vector<std::string> expectedCalls;
    int expectedCode;
    bool loopRan; // the message posted before WinMain was taken from the queue
};

TEST_F(Application, WinMainRunsTheLoopOnlyWhenInitInstanceSucceeds) {
    const WinMainCase cases[] = {
        {"InitInstance fails", FALSE, {"InitInstance", "ExitInstance"}, 0 + 7, false},
        {"InitInstance succeeds", TRUE, {"InitInstance", "Run", "ExitInstance"}, 5 + 7, true},
    };
    for (const WinMainCase& c : cases) {
        SCOPED_TRACE(c.name);
        g_log.clear();
        CTestApp app;
        app.m_bInit = c.init;
        PostThreadMessageA(GetCurrentThreadId(), WM_APP + 9, 0, 0);
        PostQuitMessage(5);

        char cmdLine[] = "";
        EXPECT_EQ(WinMain(GetModuleHandleA(nullptr), nullptr, cmdLine, SW_SHOW), c.expectedCode);

        std::vector<std::string> calls;
        for (const std::string& entry : g_log)
            if (entry.find(" pre ") == std::string::npos)
                calls.push_back(entry);
        EXPECT_EQ(calls, c.expectedCalls);
        MSG msg;
        EXPECT_EQ(PeekMessageA(&msg, nullptr, WM_APP + 9, WM_APP + 9, PM_REMOVE) != FALSE,
                  !c.loopRan);
        // Without a loop the main window is of no use, and goes.
        EXPECT_EQ(IsWindow(app.m_wndMain.m_hWnd) != FALSE, c.init != FALSE);
        EXPECT_EQ(app.m_hInstance, GetModuleHandleA(nullptr));
        DrainQueue();
    }
}

TEST_F(Application, AppNameDefaultsToTheProgramsName) {
    CTestApp app;
    char cmdLine[] = "";
    app.InitApplication(GetModuleHandleA(nullptr), cmdLine, SW_SHOW);
    EXPECT_STREQ(AfxGetAppName(), "framework_tests");
    EXPECT_EQ(AfxGetApp(), &app);
}

TEST_F(Application, NamedAppKeepsItsNameAndRecordsTheRegistryKey) {
    CTestApp app("Named");
    char cmdLine[] = "";
    app.InitApplication(GetModuleHandleA(nullptr), cmdLine, SW_SHOW);
    EXPECT_STREQ(app.m_pszAppName, "Named");
    EXPECT_EQ(app.m_pszRegistryKey, nullptr);
    app.SetRegistryKey("Local AppWizard-Generated Applications");
    EXPECT_STREQ(app.m_pszRegistryKey, "Local AppWizard-Generated Applications");
    EXPECT_STREQ(app.m_pszProfileName, "Named");
}

TEST_F(Application, MainWindowPointerIsClearedWhenItsObjectGoes) {
    CTestApp app;
    {
        CFilterWnd dialog("dialog");
        app.m_pMainWnd = &dialog;
        EXPECT_EQ(AfxGetMainWnd(), &dialog);
    }
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
}

} // namespace
} // namespace qv::test
