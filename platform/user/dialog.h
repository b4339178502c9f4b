// The dialog manager's own state of each dialog, and dialogs made from parsed templates.
#pragma once
#include "user/dialog_template.h"

#include <windows.h>

#include <functional>

namespace qv::user {

struct DialogInfo {
    HFONT font = nullptr;
    bool ownsFont = false;
    int baseX = 0; // average character width of the dialog font
    int baseY = 0; // its height
    bool modal = false;
    bool ended = false;
    INT_PTR result = 0;
    WORD defaultId = 0;
    HWND savedFocus = nullptr;
};

// With the lock held: the dialog manager's state of a dialog, or null for other windows.
DialogInfo* FindDialogInfo(HWND hwnd);

// The font a template asks for (the stock GUI font without one); owned tells whether the
// caller must delete it.
HFONT CreateDialogFont(const DialogTemplate& dlg, bool* owned);
// Average character width and height of a font: the units behind dialog units.
void DialogBaseUnits(HFONT font, int* x, int* y);

// Makes a dialog and its controls from a template, runs WM_INITDIALOG and shows it when its
// style says so; null when it cannot be made.
HWND CreateDialogFromTemplate(HINSTANCE instance, const DialogTemplate& dlg, HWND owner,
                              DLGPROC proc, LPARAM param, bool modal);

// Runs a modal dialog: disables the owner, loops until EndDialog, returns the end code.
INT_PTR RunModalDialog(HWND dialog, HWND owner);

// Gives the focus to a control the way the dialog manager does: the default push button
// follows the focus among push buttons, and an edit field gets its text selected.
void SetDialogFocus(HWND dialog, HWND control);


// For the test desktop: called with each dialog and its end code when EndDialog ends it.
void SetEndDialogObserver(std::function<void(HWND, INT_PTR)> observer);

} // namespace qv::user
