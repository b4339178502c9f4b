// A fixture for menu tests: a UI thread with one top-level window that owns the menus and
// records the menu messages it receives.
#pragma once
#include "TestDesktop.h"

#include <functional>
#include <gtest/gtest.h>
#include <vector>
#include <windows.h>

namespace qv::test {

struct Note {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const Note&) const = default;
};

class MenuOwnerTest : public ::testing::Test {
protected:
    // Starts the UI thread with the owner window, shown and active.
    void StartOwner(DWORD style = WS_OVERLAPPEDWINDOW, RECT where = {100, 100, 400, 300});
    // Runs fn on the UI thread from the owner's window procedure, through a posted message, so
    // that a menu loop it starts leaves the test free to act; returns once the UI thread waits.
    void RunOnUi(std::function<void()> fn);
    // The recorded messages of these kinds, in order.
    std::vector<Note> Notes(const std::vector<UINT>& kinds) const;
    // The messages of the menu loop and its results (WM_MENUSELECT left out).
    static const std::vector<UINT>& MenuMessages();

    TestDesktop desktop;
    HWND owner = nullptr;
    std::vector<Note> notes;
    // Called on the UI thread for each message the owner receives, before it is handled.
    std::function<void(UINT, WPARAM, LPARAM)> onMessage;

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    std::function<void()> pending_;
};

// Names for messages in failure output.
std::ostream& operator<<(std::ostream& os, const Note& note);

} // namespace qv::test
