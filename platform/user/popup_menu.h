// The menu loop's state, shared by the loop, the popup windows that paint it and the reader
// for front ends. Guarded by the window manager's lock.
#pragma once
#include <vector>
#include <windows.h>

namespace qv::user {

struct PopupLevel {
    HMENU menu = nullptr;
    HWND window = nullptr;
    int highlighted = -1;
    std::vector<RECT> items; // in the window's client coordinates
};

struct MenuTracking {
    HWND owner = nullptr;
    UINT flags = 0;
    bool systemMenu = false;
    bool ended = false;
    bool chosen = false;
    UINT command = 0;
    std::vector<PopupLevel> levels;
};

// The menu open now, or null; with the lock held.
MenuTracking* CurrentTracking();

// Runs a popup menu at a screen point as TrackPopupMenuEx does. keyboard highlights the first
// item, as a menu opened by a key does. Returns the chosen command (0 for none) and sets *ran.
UINT RunPopupMenu(HMENU menu, UINT flags, POINT pt, const RECT* exclude, HWND owner,
                  bool systemMenu, bool keyboard, bool* ran);

// Opens the window's system menu below the left end of its caption and runs it; a chosen item
// comes back to the window as WM_SYSCOMMAND.
void TrackSystemMenu(HWND hwnd, bool keyboard);

} // namespace qv::user
