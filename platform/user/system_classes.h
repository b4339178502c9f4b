// The predefined window classes of the window manager: buttons, statics, edit fields, combo
// boxes and their drop-down lists, available to every module without registration.
#pragma once
#include <windows.h>

#include <string>

namespace qv::user {

// Registers the predefined classes the first time it is called. Called by FindClass with the
// user lock held; safe to call again (and recursively, as registration looks classes up).
void EnsureSystemClasses();

// True for the controls whose class procedures keep state of their own behind each window.
bool IsPredefinedControlClass(const std::string& className);

LRESULT CALLBACK ButtonProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK StaticProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK EditProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ComboBoxProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ComboListProc(HWND, UINT, WPARAM, LPARAM);

} // namespace qv::user
