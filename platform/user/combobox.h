// The state a combo box shares with its drop-down list (class "ComboLBox").
#pragma once
#include <string>
#include <vector>
#include <windows.h>

namespace qv::user::controls {

struct ComboItem {
    std::string text;
    ULONG_PTR data = 0;
};

struct ComboBox {
    std::vector<ComboItem> items;
    int selected = -1; // the current selection (CB_GETCURSEL)
    int hot = -1;      // the item highlighted in the open list
    int top = 0;       // the first item the open list shows
    bool dropped = false;
    bool focused = false; // a drop-down list box with the focus on itself
    bool quiet = false;   // the combo box is changing its field itself: no edit notifications
    HWND edit = nullptr;
    HWND list = nullptr;
    HFONT font = nullptr;
    int droppedHeight = 0; // the height given at creation: the control and its open list
};

// How tall a row of the list is in the combo box's font.
int ComboItemHeight(const ComboBox& combo);
// Closes the open list: with ok, the highlighted item becomes the selection (CBN_SELCHANGE when
// it changed, then CBN_SELENDOK); without, CBN_SELENDCANCEL. CBN_CLOSEUP follows either way.
void CloseComboList(HWND combo, bool ok);

} // namespace qv::user::controls
