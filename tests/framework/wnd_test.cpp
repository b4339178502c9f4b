// CWnd: attaching at creation, subclassing, the handle maps, destruction and the wrappers.
#include "framework/CWnd.h"
#include "RawWindow.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace qv::test {
namespace {

// Records what reaches the object, and whether it was attached when it did.
class CLifeWnd : public CWnd {
public:
    std::vector<std::string> events;
    int createResult = 0;
    bool* deleted = nullptr;
    bool deleteSelf = false;

    ~CLifeWnd() override {
        if (deleted)
            *deleted = true;
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_NCCREATE)
            events.push_back(Attached() ? "WM_NCCREATE attached" : "WM_NCCREATE detached");
        return CWnd::WindowProc(message, wParam, lParam);
    }

protected:
    bool Attached() const { return m_hWnd && FromHandlePermanent(m_hWnd) == this; }

    void PreSubclassWindow() override { events.push_back("PreSubclassWindow"); }
    void PostNcDestroy() override {
        events.push_back(m_hWnd ? "PostNcDestroy attached" : "PostNcDestroy detached");
        if (deleteSelf)
            delete this;
    }
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct) {
        events.push_back(std::string("OnCreate ") + lpCreateStruct->lpszName +
                         (Attached() ? " attached" : " detached"));
        if (CWnd::OnCreate(lpCreateStruct) == -1)
            return -1;
        return createResult;
    }
    afx_msg void OnDestroy() {
        events.push_back("OnDestroy");
        CWnd::OnDestroy();
    }
    afx_msg void OnTimer(UINT_PTR nIDEvent) {
        events.push_back("OnTimer " + std::to_string(nIDEvent));
    }

    DECLARE_MESSAGE_MAP()
};

// clang-format off
BEGIN_MESSAGE_MAP(CLifeWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_TIMER()
END_MESSAGE_MAP()
// clang-format on

class Windows : public ::testing::Test {
protected:
    void SetUp() override { ResetRawWindows(); }
};

TEST_F(Windows, CreationAttachesTheObjectBeforeTheFirstMessage) {
    CLifeWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "first", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(wnd.events, (std::vector<std::string>{"PreSubclassWindow", "WM_NCCREATE attached",
                                                    "OnCreate first attached"}));
    EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);
    // The default class passes the rest to DefWindowProcA.
    EXPECT_EQ(wnd.GetWindowTextLength(), 5);
}

TEST_F(Windows, FailedCreationLeavesTheObjectDetached) {
    CLifeWnd wnd;
    wnd.createResult = -1;
    EXPECT_FALSE(wnd.CreateEx(0, kRawClass, "refused", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    ASSERT_FALSE(wnd.events.empty());
    EXPECT_EQ(wnd.events.back(), "PostNcDestroy detached");
}

TEST_F(Windows, ChildWindowsCreatedDuringCreationAreNotTakenByTheParentsObject) {
    struct CParentWnd : CLifeWnd {
        HWND child = nullptr;
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
            if (message == WM_CREATE)
                child = CreateRawWindow(m_hWnd, 7);
            return CLifeWnd::WindowProc(message, wParam, lParam);
        }
    } parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    ASSERT_NE(parent.child, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(parent.child), nullptr);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(parent.child, GWLP_WNDPROC)),
              &RawWindowProc);
}

TEST_F(Windows, SubclassingRoutesMessagesThroughTheObjectUntilUnsubclassed) {
    HWND hWnd = CreateRawWindow();
    ASSERT_NE(hWnd, nullptr);
    CLifeWnd wnd;
    ASSERT_TRUE(wnd.SubclassWindow(hWnd));
    EXPECT_EQ(wnd.events, std::vector<std::string>{"PreSubclassWindow"});
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), &wnd);

    ResetRawWindows();
    SendMessageA(hWnd, WM_TIMER, 4, 0);
    SendMessageA(hWnd, WM_USER + 1, 0, 0);
    EXPECT_EQ(wnd.events.back(), "OnTimer 4");
    EXPECT_EQ(RawMessages(hWnd), std::vector<UINT>{WM_USER + 1});

    // A window can be attached to one object at a time.
    CLifeWnd other;
    EXPECT_FALSE(other.SubclassWindow(hWnd));

    EXPECT_EQ(wnd.UnsubclassWindow(), hWnd);
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hWnd, GWLP_WNDPROC)), &RawWindowProc);
    ResetRawWindows();
    SendMessageA(hWnd, WM_TIMER, 5, 0);
    EXPECT_EQ(wnd.events.back(), "OnTimer 4");
    EXPECT_EQ(RawMessages(hWnd), std::vector<UINT>{WM_TIMER});
    DestroyWindow(hWnd);
}

TEST_F(Windows, SubclassDlgItemTakesTheParentsControl) {
    CLifeWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    HWND control = CreateRawWindow(parent.m_hWnd, 12);
    CLifeWnd wnd;
    ASSERT_TRUE(wnd.SubclassDlgItem(12, &parent));
    EXPECT_EQ(wnd.m_hWnd, control);
    CLifeWnd missing;
    EXPECT_FALSE(missing.SubclassDlgItem(13, &parent));
}

TEST_F(Windows, DestroyingTheWindowDetachesTheObjectAfterItsLastMessage) {
    CLifeWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "w", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    HWND hWnd = wnd.m_hWnd;
    wnd.events.clear();
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(wnd.events, (std::vector<std::string>{"OnDestroy", "PostNcDestroy detached"}));
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
}

TEST_F(Windows, AnObjectThatDeletesItselfInPostNcDestroyIsNotTouchedAfterwards) {
    bool deleted = false;
    auto* wnd = new CLifeWnd;
    wnd->deleted = &deleted;
    wnd->deleteSelf = true;
    ASSERT_TRUE(wnd->CreateEx(0, nullptr, "w", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    HWND hWnd = wnd->m_hWnd;
    EXPECT_TRUE(wnd->DestroyWindow());
    EXPECT_TRUE(deleted);
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
}

TEST_F(Windows, TheObjectsDestructorDestroysItsWindow) {
    HWND hWnd;
    {
        CLifeWnd wnd;
        ASSERT_TRUE(wnd.CreateEx(0, nullptr, "w", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
        hWnd = wnd.m_hWnd;
    }
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
}

TEST_F(Windows, FromHandleWrapsUnknownWindowsTemporarily) {
    CLifeWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    HWND plain = CreateRawWindow(parent.m_hWnd, 20);
    CLifeWnd attached;
    ASSERT_TRUE(attached.SubclassWindow(CreateRawWindow(parent.m_hWnd, 21)));

    CWnd* wrapper = parent.GetDlgItem(20);
    ASSERT_NE(wrapper, nullptr);
    EXPECT_EQ(wrapper->m_hWnd, plain);
    EXPECT_EQ(CWnd::FromHandlePermanent(plain), nullptr);
    EXPECT_EQ(parent.GetDlgItem(20), wrapper);
    EXPECT_EQ(parent.GetDlgItem(21), &attached);
    EXPECT_EQ(parent.GetDlgItem(22), nullptr);
    EXPECT_EQ(wrapper->GetParent(), &parent);
    EXPECT_EQ(wrapper->GetDlgCtrlID(), 20);
    EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);
}

TEST_F(Windows, WrappersOfADeadWindowFailAsWindowsDoes) {
    CLifeWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "w", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    CWnd* wrapper = CWnd::FromHandle(CreateRawWindow());
    DestroyWindow(wrapper->m_hWnd);

    SetLastError(0);
    EXPECT_EQ(wrapper->SendMessage(WM_USER), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_FALSE(wrapper->PostMessage(WM_USER));
    EXPECT_FALSE(wrapper->EnableWindow(FALSE));
    EXPECT_EQ(wrapper->SetTimer(1, 100), 0u);
    EXPECT_EQ(wrapper->GetStyle(), 0u);
    char text[8] = "stale";
    EXPECT_EQ(wrapper->GetWindowText(text, sizeof text), 0);
    EXPECT_STREQ(text, "");
    std::string s = "stale";
    wrapper->GetWindowText(s);
    EXPECT_EQ(s, "");
    EXPECT_EQ(wrapper->GetParent(), nullptr);
}

TEST_F(Windows, WrappersReachTheirWindow) {
    CLifeWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "before", WS_POPUP, 10, 20, 100, 50, nullptr, nullptr));
    wnd.SetWindowText("after");
    std::string text;
    wnd.GetWindowText(text);
    EXPECT_EQ(text, "after");
    EXPECT_TRUE(wnd.ModifyStyle(0, WS_DISABLED));
    EXPECT_FALSE(wnd.IsWindowEnabled());
    EXPECT_FALSE(wnd.ModifyStyle(0, WS_DISABLED));
    EXPECT_TRUE(wnd.ModifyStyleEx(0, WS_EX_TOOLWINDOW));
    EXPECT_TRUE(wnd.GetExStyle() & WS_EX_TOOLWINDOW);
    wnd.MoveWindow(30, 40, 60, 70);
    RECT rc;
    wnd.GetWindowRect(&rc);
    EXPECT_EQ(rc.left, 30);
    EXPECT_EQ(rc.top, 40);
    EXPECT_EQ(rc.right, 90);
    EXPECT_EQ(rc.bottom, 110);
    EXPECT_FALSE(wnd.IsWindowVisible());
    wnd.ShowWindow(SW_SHOWNA);
    EXPECT_TRUE(wnd.IsWindowVisible());
}

struct CenterCase {
    const char* name;
    RECT owner; // empty: no owner
    bool ownerVisible;
    RECT expected;
};

TEST_F(Windows, CenterWindowCentresOnTheOwnerAndStaysInTheWorkArea) {
    RECT area;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0));
    const LONG w = 100, h = 60;
    const LONG cx = (area.left + area.right) / 2 - w / 2, cy = (area.top + area.bottom) / 2 - h / 2;
    const CenterCase cases[] = {
        {"no owner: the work area", {0, 0, 0, 0}, false, {cx, cy, cx + w, cy + h}},
        {"visible owner", {100, 100, 300, 200}, true, {150, 120, 250, 180}},
        {"hidden owner: the work area", {100, 100, 300, 200}, false, {cx, cy, cx + w, cy + h}},
        {"owner at the corner: kept inside",
         {area.left - 50, area.top - 50, area.left + 50, area.top + 10},
         true,
         {area.left, area.top, area.left + w, area.top + h}},
        {"owner past the far corner: kept inside",
         {area.right - 20, area.bottom - 20, area.right + 100, area.bottom + 100},
         true,
         {area.right - w, area.bottom - h, area.right, area.bottom}},
    };
    for (const CenterCase& c : cases) {
        SCOPED_TRACE(c.name);
        CLifeWnd owner;
        HWND hWndOwner = nullptr;
        if (!IsRectEmpty(&c.owner)) {
            ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner",
                                       WS_POPUP | (c.ownerVisible ? WS_VISIBLE : 0), c.owner.left,
                                       c.owner.top, c.owner.right - c.owner.left,
                                       c.owner.bottom - c.owner.top, nullptr, nullptr));
            hWndOwner = owner.m_hWnd;
        }
        CLifeWnd wnd;
        ASSERT_TRUE(wnd.CreateEx(0, nullptr, "w", WS_POPUP, 0, 0, w, h, hWndOwner, nullptr));
        wnd.CenterWindow();
        RECT rc;
        wnd.GetWindowRect(&rc);
        EXPECT_EQ(rc.left, c.expected.left);
        EXPECT_EQ(rc.top, c.expected.top);
        EXPECT_EQ(rc.right, c.expected.right);
        EXPECT_EQ(rc.bottom, c.expected.bottom);
    }
}

TEST_F(Windows, CenterWindowCentresAChildInItsParentsClientArea) {
    CLifeWnd parent;
    ASSERT_TRUE(
        parent.CreateEx(0, nullptr, "parent", WS_POPUP, 100, 100, 200, 100, nullptr, nullptr));
    CLifeWnd child;
    ASSERT_TRUE(child.Create(nullptr, "child", 0, RECT{0, 0, 40, 20}, &parent, 5));
    child.CenterWindow();
    RECT rc;
    child.GetWindowRect(&rc);
    parent.ScreenToClient(&rc);
    EXPECT_EQ(rc.left, 80);
    EXPECT_EQ(rc.top, 40);
}

} // namespace
} // namespace qv::test
