// A menu held by handle. A menu object destroys the menu it still holds when it is destroyed;
// FromHandle wraps other menus (submenus, the system menu) in temporary objects that never
// destroy them and live until the thread is next idle.
#pragma once
#include <windows.h>

class CWnd;

class CMenu {
public:
    HMENU m_hMenu = nullptr;

    CMenu() = default;
    virtual ~CMenu();
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    operator HMENU() const { return m_hMenu; }
    HMENU GetSafeHmenu() const { return m_hMenu; }

    static CMenu* FromHandle(HMENU hMenu);
    static void DeleteTempMap();

    BOOL Attach(HMENU hMenu);
    HMENU Detach();

    BOOL CreateMenu();
    BOOL CreatePopupMenu();
    // The menu resource nIDResource of the application.
    BOOL LoadMenu(UINT nIDResource);
    BOOL LoadMenu(LPCSTR lpszResourceName);
    BOOL DestroyMenu();

    // The popup at position nPos, or null.
    CMenu* GetSubMenu(int nPos) const;
    int GetMenuItemCount() const;
    // The command id at nPos: -1 for a popup, 0 for a separator.
    UINT GetMenuItemID(int nPos) const;
    UINT GetMenuState(UINT nID, UINT nFlags) const;
    int GetMenuString(UINT nIDItem, LPSTR lpString, int nMaxCount, UINT nFlags) const;

    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCSTR lpszNewItem = nullptr);
    BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0,
                    LPCSTR lpszNewItem = nullptr);
    BOOL ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0,
                    LPCSTR lpszNewItem = nullptr);
    BOOL RemoveMenu(UINT nPosition, UINT nFlags);
    BOOL DeleteMenu(UINT nPosition, UINT nFlags);
    // Return the item's previous state, or -1 (0xFFFFFFFF) when there is no such item.
    UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck);
    UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable);
    BOOL SetDefaultItem(UINT uItem, BOOL fByPos = FALSE);
    UINT GetDefaultItem(UINT gmdiFlags, BOOL fByPos = FALSE) const;

    // Shows the popup at (x, y) in screen coordinates and tracks it; the chosen command goes
    // to pWnd (or is returned, with TPM_RETURNCMD).
    BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect = nullptr);
};
