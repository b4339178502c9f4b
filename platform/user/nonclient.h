// The frame around a window's client area: its size and what lies where.
#pragma once
#include <windows.h>

namespace qv::user {

struct Window;

// The client area inside a window of this size, in window coordinates.
RECT ClientFromWindow(DWORD style, DWORD exStyle, int width, int height);
// Where a screen point lies on the window: HTCLIENT, HTCAPTION, HTCLOSE, HTBORDER, ...
LRESULT NonClientHitTest(const Window& w, POINT screen);
// The close button of the caption, in window coordinates (empty without a system menu).
RECT CloseButtonRect(const Window& w);

// Draws the frame and caption of a window in the classic look.
void PaintFrame(HWND hwnd);

} // namespace qv::user
