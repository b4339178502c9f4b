// A window class of the test's own, outside the framework: its procedure records every message
// it sees, so a test can tell what reached the window's previous procedure. It answers as a
// button does to WM_GETDLGCODE and keeps a check state.
#pragma once
#include <vector>
#include <windows.h>

namespace qv::test {

extern const char kRawClass[];

// Registers the class (once) and forgets what was recorded.
void ResetRawWindows();
LRESULT CALLBACK RawWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
// The messages the class's procedure saw for hWnd, in order.
std::vector<UINT> RawMessages(HWND hWnd);
bool RawSaw(HWND hWnd, UINT message);
HWND CreateRawWindow(HWND hWndParent = nullptr, int nID = 0, DWORD dwStyle = 0);

} // namespace qv::test
