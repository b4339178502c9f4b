// The window tree and its z-order.
#pragma once
#include <windows.h>

namespace qv::user {

struct Window;

// With the lock held: puts the window among its parent's children, at the top (HWND_TOP),
// the bottom (HWND_BOTTOM) or after a sibling; topmost windows stay above the others.
void LinkWindow(Window& w, HWND insertAfter);
void UnlinkWindow(Window& w);
// With the lock held: the deepest shown, enabled window at a screen point, in z-order, or null.
Window* WindowAtPoint(POINT screen);

} // namespace qv::user
