#include "framework/CMenu.h"

#include "framework/CWinApp.h"
#include "framework/CWnd.h"

#include <memory>
#include <unordered_map>
#include <windows.h>

namespace {

struct MenuMaps {
    std::unordered_map<HMENU, CMenu*> permanent;
    std::unordered_map<HMENU, std::unique_ptr<CMenu>> temporary;
};

MenuMaps& Maps() {
    // Never destroyed: static objects may still destroy their menus as the process ends.
    thread_local MenuMaps* maps = new MenuMaps;
    return *maps;
}

} // namespace

CMenu::~CMenu() {
    DestroyMenu();
}

CMenu* CMenu::FromHandle(HMENU hMenu) {
    if (!hMenu)
        return nullptr;
    MenuMaps& maps = Maps();
    if (auto it = maps.permanent.find(hMenu); it != maps.permanent.end())
        return it->second;
    auto& slot = maps.temporary[hMenu];
    if (!slot) {
        slot = std::make_unique<CMenu>();
        slot->m_hMenu = hMenu;
    }
    return slot.get();
}

void CMenu::DeleteTempMap() {
    auto temporary = std::move(Maps().temporary);
    Maps().temporary.clear();
    for (auto& [hMenu, wrapper] : temporary)
        wrapper->m_hMenu = nullptr;
}

BOOL CMenu::Attach(HMENU hMenu) {
    MenuMaps& maps = Maps();
    if (!hMenu || m_hMenu || maps.permanent.count(hMenu)) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    maps.permanent[hMenu] = this;
    m_hMenu = hMenu;
    return TRUE;
}

HMENU CMenu::Detach() {
    HMENU hMenu = m_hMenu;
    MenuMaps& maps = Maps();
    if (auto it = maps.permanent.find(hMenu); it != maps.permanent.end() && it->second == this)
        maps.permanent.erase(it);
    m_hMenu = nullptr;
    return hMenu;
}

BOOL CMenu::CreateMenu() {
    return Attach(::CreateMenu());
}

BOOL CMenu::CreatePopupMenu() {
    return Attach(::CreatePopupMenu());
}

BOOL CMenu::LoadMenu(UINT nIDResource) {
    return LoadMenu(MAKEINTRESOURCEA(nIDResource));
}

BOOL CMenu::LoadMenu(LPCSTR lpszResourceName) {
    return Attach(::LoadMenuA(AfxGetInstanceHandle(), lpszResourceName));
}

BOOL CMenu::DestroyMenu() {
    if (!m_hMenu)
        return FALSE;
    return ::DestroyMenu(Detach());
}

CMenu* CMenu::GetSubMenu(int nPos) const {
    return FromHandle(::GetSubMenu(m_hMenu, nPos));
}

int CMenu::GetMenuItemCount() const {
    return ::GetMenuItemCount(m_hMenu);
}

UINT CMenu::GetMenuItemID(int nPos) const {
    return ::GetMenuItemID(m_hMenu, nPos);
}

UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const {
    return ::GetMenuState(m_hMenu, nID, nFlags);
}

int CMenu::GetMenuString(UINT nIDItem, LPSTR lpString, int nMaxCount, UINT nFlags) const {
    return ::GetMenuStringA(m_hMenu, nIDItem, lpString, nMaxCount, nFlags);
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem) {
    return ::AppendMenuA(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem) {
    return ::InsertMenuA(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem) {
    return ::ModifyMenuA(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::RemoveMenu(UINT nPosition, UINT nFlags) {
    return ::RemoveMenu(m_hMenu, nPosition, nFlags);
}

BOOL CMenu::DeleteMenu(UINT nPosition, UINT nFlags) {
    return ::DeleteMenu(m_hMenu, nPosition, nFlags);
}

UINT CMenu::CheckMenuItem(UINT nIDCheckItem, UINT nCheck) {
    return static_cast<UINT>(::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck));
}

UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable) {
    return static_cast<UINT>(::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable));
}

BOOL CMenu::SetDefaultItem(UINT uItem, BOOL fByPos) {
    return ::SetMenuDefaultItem(m_hMenu, uItem, static_cast<UINT>(fByPos));
}

UINT CMenu::GetDefaultItem(UINT gmdiFlags, BOOL fByPos) const {
    return ::GetMenuDefaultItem(m_hMenu, static_cast<UINT>(fByPos), gmdiFlags);
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect) {
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd ? pWnd->m_hWnd : nullptr, lpRect);
}

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const {
    return CheckLive() ? CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert)) : nullptr;
}
