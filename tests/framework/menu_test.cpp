// CMenu's wrappers and the update handlers that set a popup's items through CCmdUI, in a popup
// shown by TrackPopupMenu.
#include "framework/CCmdUI.h"
#include "framework/CMenu.h"
#include "framework/CWnd.h"

#include "TestDesktop.h"

#include <gtest/gtest.h>
#include <string>
#include <windows.h>

namespace qv::test {
namespace {

enum : UINT {
    ID_CHECKED = 100,  // its update handler checks it
    ID_DISABLED,       // its update handler disables it
    ID_RENAMED,        // its update handler changes its text
    ID_HANDLED,        // has a command handler and no update handler
    ID_UNHANDLED,      // has neither
    ID_SUB_FIRST,      // first item of a submenu; its handler disables the submenu
};

// A window whose popup's items are set by update handlers as the popup opens.
class CMenuOwnerWnd : public CWnd {
public:
    int initCount = 0;

protected:
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu) {
        if (bSysMenu)
            return;
        ++initCount;
        CCmdUI state;
        state.m_pMenu = pPopupMenu;
        state.m_nIndexMax = static_cast<UINT>(pPopupMenu->GetMenuItemCount());
        for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
            state.m_nID = pPopupMenu->GetMenuItemID(static_cast<int>(state.m_nIndex));
            if (state.m_nID == 0)
                continue; // a separator
            if (state.m_nID == static_cast<UINT>(-1)) {
                // A submenu stands for its first command.
                state.m_pSubMenu = pPopupMenu->GetSubMenu(static_cast<int>(state.m_nIndex));
                if (!state.m_pSubMenu)
                    continue;
                state.m_nID = state.m_pSubMenu->GetMenuItemID(0);
                if (state.m_nID == 0 || state.m_nID == static_cast<UINT>(-1))
                    continue;
                state.DoUpdate(this, FALSE);
            } else {
                state.m_pSubMenu = nullptr;
                state.DoUpdate(this, TRUE);
            }
        }
    }
    afx_msg void OnUpdateChecked(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    afx_msg void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    afx_msg void OnUpdateRenamed(CCmdUI* pCmdUI) { pCmdUI->SetText("Renamed"); }
    afx_msg void OnUpdateSub(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    afx_msg void OnHandled() {}

    DECLARE_MESSAGE_MAP()
};

// clang-format off
BEGIN_MESSAGE_MAP(CMenuOwnerWnd, CWnd)
    ON_WM_INITMENUPOPUP()
    ON_UPDATE_COMMAND_UI(ID_CHECKED, &CMenuOwnerWnd::OnUpdateChecked)
    ON_UPDATE_COMMAND_UI(ID_DISABLED, &CMenuOwnerWnd::OnUpdateDisabled)
    ON_UPDATE_COMMAND_UI(ID_RENAMED, &CMenuOwnerWnd::OnUpdateRenamed)
    ON_UPDATE_COMMAND_UI(ID_SUB_FIRST, &CMenuOwnerWnd::OnUpdateSub)
    ON_COMMAND(ID_HANDLED, &CMenuOwnerWnd::OnHandled)
END_MESSAGE_MAP()
// clang-format on

TEST(CMenu, WrapsTheMenuItHoldsAndDestroysIt) {
    HMENU hMenu;
    {
        CMenu menu;
        ASSERT_TRUE(menu.CreatePopupMenu());
        hMenu = menu.m_hMenu;
        EXPECT_EQ(CMenu::FromHandle(hMenu), &menu);
        ASSERT_TRUE(menu.AppendMenu(MF_STRING, 7, "Seven"));
        ASSERT_TRUE(menu.InsertMenu(0, MF_BYPOSITION | MF_STRING, 6, "Six"));
        CMenu sub;
        ASSERT_TRUE(sub.CreatePopupMenu());
        sub.AppendMenu(MF_STRING, 9, "Nine");
        HMENU hSub = sub.Detach();
        ASSERT_TRUE(menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(hSub), "More"));
        EXPECT_EQ(menu.GetMenuItemCount(), 3);
        EXPECT_EQ(menu.GetMenuItemID(0), 6u);
        EXPECT_EQ(menu.GetMenuItemID(2), static_cast<UINT>(-1));
        CMenu* pSub = menu.GetSubMenu(2);
        ASSERT_NE(pSub, nullptr);
        EXPECT_EQ(pSub->m_hMenu, hSub);
        EXPECT_EQ(pSub->GetMenuItemID(0), 9u);
        EXPECT_EQ(menu.CheckMenuItem(7, MF_BYCOMMAND | MF_CHECKED), MF_UNCHECKED);
        EXPECT_TRUE(menu.GetMenuState(7, MF_BYCOMMAND) & MF_CHECKED);
        EXPECT_EQ(menu.CheckMenuItem(99, MF_BYCOMMAND | MF_CHECKED), static_cast<UINT>(-1));
        EXPECT_TRUE(menu.SetDefaultItem(7));
        EXPECT_EQ(menu.GetDefaultItem(0), 7u);
        CMenu::DeleteTempMap();
        EXPECT_TRUE(::IsMenu(hSub));
    }
    EXPECT_FALSE(::IsMenu(hMenu));
}

TEST(CMenu, UpdateHandlersSetThePopupsItemsAsItOpens) {
    TestDesktop desktop;
    CMenuOwnerWnd* pWnd = nullptr;
    HMENU hPopup = nullptr;
    desktop.Start([&] {
        CMenuOwnerWnd wnd;
        pWnd = &wnd;
        if (!wnd.CreateEx(0, nullptr, "owner", WS_POPUP | WS_VISIBLE, 100, 100, 50, 50, nullptr,
                          nullptr))
            return 1;
        CMenu popup;
        popup.CreatePopupMenu();
        popup.AppendMenu(MF_STRING, ID_CHECKED, "Checked");
        popup.AppendMenu(MF_STRING, ID_DISABLED, "Disabled");
        popup.AppendMenu(MF_SEPARATOR);
        popup.AppendMenu(MF_STRING, ID_RENAMED, "Old name");
        popup.AppendMenu(MF_STRING, ID_HANDLED, "Handled");
        popup.AppendMenu(MF_STRING, ID_UNHANDLED, "Unhandled");
        CMenu sub;
        sub.CreatePopupMenu();
        sub.AppendMenu(MF_STRING, ID_SUB_FIRST, "Inner");
        popup.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(sub.Detach()), "Sub");
        hPopup = popup.m_hMenu;
        wnd.SetForegroundWindow();
        // Returns once the menu closes; the test then ends the loop.
        popup.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, 120, 120, &wnd);
        MSG msg;
        while (::GetMessageA(&msg, nullptr, 0, 0) > 0)
            ::DispatchMessageA(&msg);
        return 0;
    });
    ASSERT_NE(hPopup, nullptr);
    auto state = [&](UINT nPos) { return ::GetMenuState(hPopup, nPos, MF_BYPOSITION); };
    EXPECT_TRUE(state(0) & MF_CHECKED);
    EXPECT_FALSE(state(0) & MF_GRAYED);
    EXPECT_TRUE(state(1) & MF_GRAYED);
    char text[32] = "";
    ::GetMenuStringA(hPopup, 3, text, sizeof text, MF_BYPOSITION);
    EXPECT_EQ(std::string(text), "Renamed");
    EXPECT_EQ(::GetMenuItemID(hPopup, 3), static_cast<UINT>(ID_RENAMED));
    EXPECT_FALSE(state(4) & MF_GRAYED);
    EXPECT_TRUE(state(5) & MF_GRAYED);
    EXPECT_TRUE(state(6) & MF_GRAYED);
    EXPECT_TRUE(state(6) & MF_POPUP);

    desktop.PressKey(VK_ESCAPE);
    int initCount = 0;
    desktop.Call([&] {
        initCount = pWnd->initCount;
        ::PostQuitMessage(0);
    });
    EXPECT_EQ(desktop.ExitCode(), 0);
    EXPECT_EQ(initCount, 1);
}

TEST(CMenu, TheSystemMenuIsATemporaryWrapper) {
    TestDesktop desktop;
    bool wrapped = false;
    desktop.Start([&] {
        CWnd wnd;
        if (!wnd.CreateEx(0, nullptr, "sys", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                          nullptr))
            return 1;
        CMenu* pSysMenu = wnd.GetSystemMenu(FALSE);
        wrapped = pSysMenu && pSysMenu->m_hMenu == ::GetSystemMenu(wnd.m_hWnd, FALSE) &&
                  pSysMenu->GetMenuState(SC_CLOSE, MF_BYCOMMAND) != static_cast<UINT>(-1);
        CMenu::DeleteTempMap();
        wrapped = wrapped && ::IsMenu(::GetSystemMenu(wnd.m_hWnd, FALSE));
        return 0;
    });
    EXPECT_EQ(desktop.ExitCode(), 0);
    EXPECT_TRUE(wrapped);
}

} // namespace
} // namespace qv::test
