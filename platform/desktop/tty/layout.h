// The desktop as the terminal shows it: a snapshot of the windows (read on the UI thread) laid
// out in character cells, with a map from each cell back to the screen point it stands for.
#pragma once
#include "desktop/notification_area.h"
#include "desktop/tty/cell_grid.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace qv::desktop::tty {

// The pixels of one character cell.
struct CellSize {
    int cx = 7;
    int cy = 14;
};

// An item of an open popup menu.
struct MenuItemView {
    std::string text; // '&' before the mnemonic, accelerator text after a tab
    bool separator = false;
    bool checked = false;
    bool grayed = false;
    bool submenu = false;
    RECT rect{}; // on the screen
};

// What the layout needs of a window, read on the UI thread.
struct WindowView {
    HWND hwnd = nullptr;
    std::string className;
    std::string text;
    DWORD style = 0;
    DWORD exStyle = 0;
    RECT rect{};   // the window, in screen pixels
    RECT client{}; // its client area, in screen pixels
    RECT closeButton{}; // the caption's close button, in screen pixels; empty when none
    bool focused = false;
    bool checked = false;   // a check box or push-like button that is checked
    bool isDefault = false; // the dialog's default push button
    bool hasTaskbarButton = false;
    std::vector<std::string> items; // a list's items or a menu's
    int selected = -1;              // the highlighted item
    std::vector<MenuItemView> menuItems; // an open popup menu's
    std::vector<RECT> itemRects;         // a drop-down list's shown items, on the screen
    HWND dropsFrom = nullptr;            // a drop-down list's combo box
    std::vector<WindowView> children; // drawing order: the bottom first
};

struct DesktopView {
    SIZE screen{1024, 768};
    std::vector<WindowView> windows; // top-level windows, the bottom first
    HWND active = nullptr;
    std::vector<NotifyIcon> icons;
    int trayFocus = -1;              // the icon the keyboard has reached
    std::string clock;               // "HH:MM"
    std::optional<RECT> flight;      // an outline on its way to the tray, in screen pixels
    bool color = true;
};

// Where a cell's mouse action goes.
struct CellTarget {
    enum class Kind { Screen, TaskButton, TrayIcon };
    Kind kind = Kind::Screen;
    POINT pt{};           // Screen and TrayIcon: the screen point
    HWND hwnd = nullptr;  // TaskButton: the window it stands for
    int index = -1;       // TrayIcon: the icon
};

struct Layout {
    CellGrid grid;
    std::vector<CellTarget> targets; // one per cell, row by row
    const CellTarget& TargetAt(int col, int row) const {
        return targets[static_cast<size_t>(row) * grid.Cols() + col];
    }
};

// The cells that show a screen of this size; the last row is the taskbar's.
SIZE CellsFor(SIZE screen, CellSize cell);

Layout LayOut(const DesktopView& view, CellSize cell);

// Draws text with its mnemonic: "&x" underlines x, "&&" is '&'. Returns the next column.
int DrawLabel(CellGrid& grid, int col, int row, const std::string& text, const Style& style,
              bool prefix = true);
// The text as shown, without mnemonic marks.
std::string StripMnemonics(const std::string& text);

} // namespace qv::desktop::tty
