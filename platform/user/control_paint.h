// What the predefined controls share: their state behind the extra bytes, the parent's colours,
// the font, notifications and the classic drawing pieces.
#pragma once
#include <string>
#include <windows.h>

namespace qv::user::controls {

// The state structure a control keeps in its first extra bytes.
template <class T> T* StateOf(HWND hwnd) {
    return reinterpret_cast<T*>(GetWindowLongPtrA(hwnd, 0));
}
template <class T> void AttachState(HWND hwnd, T* state) {
    SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(state));
}
template <class T> void FreeState(HWND hwnd) {
    delete StateOf<T>(hwnd);
    SetWindowLongPtrA(hwnd, 0, 0);
}

// A control's state for the message it is handling: made at WM_NCCREATE, freed at
// WM_NCDESTROY. Null when the default procedure alone takes the message.
template <class T> T* ControlState(HWND hwnd, UINT message) {
    if (message == WM_NCCREATE)
        AttachState(hwnd, new T);
    if (message == WM_NCDESTROY) {
        FreeState<T>(hwnd);
        return nullptr;
    }
    return StateOf<T>(hwnd);
}

// Asks the parent for the control's colours (WM_CTLCOLOR*), leaving them set in the DC; the
// brush to paint the background with, or null for the stock NULL_BRUSH (no fill).
HBRUSH ParentColours(HWND control, HWND parent, UINT message, HDC hdc);
void FillBackground(HDC hdc, const RECT& r, HBRUSH brush);

// The control's font, or the stock DEFAULT_GUI_FONT when none has been set.
HFONT FontOrDefault(HFONT font);
// The height of a line of text in the font.
int LineHeight(HFONT font);

std::string WindowText(HWND hwnd);
RECT ClientRect(HWND hwnd);
void Redraw(HWND hwnd);

// WM_COMMAND to the parent with the control's id and a notification code.
void Notify(HWND control, UINT code);

// Text as the classic controls draw it: DrawTextA in the DC's colours, or etched grey when
// the control is disabled.
void DrawControlText(HDC hdc, const std::string& text, RECT r, UINT format, bool enabled);

// The small arrow of drop-down buttons, pointing down, centred in the rectangle.
void DrawDownArrow(HDC hdc, const RECT& r, int colour);

} // namespace qv::user::controls
