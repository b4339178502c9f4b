// Menus from templates, and the menu a top-level window holds.
#include "user/menu_table.h"
#include "user/menu_template.h"
#include "user/window.h"

#include <cstdint>

using namespace qv::user;

namespace {

void AddItems(HMENU menu, const std::vector<MenuItem>& items) {
    for (const MenuItem& item : items) {
        UINT flags = item.flags & ~menu_flags::kPopup;
        UINT_PTR id = item.id;
        if (item.flags & menu_flags::kPopup) {
            HMENU sub = NewMenu(true);
            AddItems(sub, item.children);
            flags |= MF_POPUP;
            id = reinterpret_cast<UINT_PTR>(sub);
        }
        FindMenu(menu)->items.push_back(EntryFromFlags(flags, id, item.text.c_str()));
    }
}

HMENU Build(const void* data, size_t size) {
    std::optional<std::vector<MenuItem>> items = ParseMenuTemplate(data, size);
    if (!items) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto lock = LockUser();
    HMENU menu = NewMenu(false);
    AddItems(menu, *items);
    return menu;
}

} // namespace

HMENU WINAPI LoadMenuIndirectA(const void* lpMenuTemplate) {
    if (!lpMenuTemplate) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return Build(lpMenuTemplate, SIZE_MAX);
}

HMENU WINAPI LoadMenuA(HINSTANCE hInstance, LPCSTR lpMenuName) {
    HRSRC found = FindResourceA(hInstance, lpMenuName, RT_MENU);
    if (!found)
        return nullptr;
    HGLOBAL loaded = LoadResource(hInstance, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return nullptr;
    }
    return Build(data, SizeofResource(hInstance, found));
}

HMENU WINAPI GetMenu(HWND hWnd) {
    auto lock = LockUser();
    Window* w = CheckWindow(hWnd);
    if (!w || !IsTopLevel(*w))
        return nullptr;
    return reinterpret_cast<HMENU>(w->id);
}

BOOL WINAPI SetMenu(HWND hWnd, HMENU hMenu) {
    auto lock = LockUser();
    Window* w = CheckWindow(hWnd);
    if (!w)
        return FALSE;
    if (w->style & WS_CHILD) {
        SetLastError(ERROR_CHILD_WINDOW_MENU);
        return FALSE;
    }
    if (hMenu && !CheckMenu(hMenu))
        return FALSE;
    // The frame draws no menu bar; the menu is kept for GetMenu and the program's own use.
    w->id = reinterpret_cast<UINT_PTR>(hMenu);
    return TRUE;
}

BOOL WINAPI DrawMenuBar(HWND hWnd) {
    auto lock = LockUser();
    return CheckWindow(hWnd) != nullptr;
}
