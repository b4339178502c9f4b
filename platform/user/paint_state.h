// Update regions: which windows need painting.
#pragma once
#include <windows.h>

namespace qv::user {

struct Window;

// With the lock held: the first shown window of the thread that needs painting, parents
// before their children, or null.
HWND FindWindowToPaint(DWORD threadId, HWND filter);
// With the lock held: adds a rectangle (client coordinates; null for the whole client area) to
// the window's update region, and to its children's unless it clips them or they are left out.
void Invalidate(Window& w, const RECT* rect, bool erase, bool frame, bool children);

} // namespace qv::user
