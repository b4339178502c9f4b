// A UI program with a tool tip: a main window, a child playing the tool, and a tool tip owned by
// the main window. Both windows relay their mouse messages to the tip from their procedures, as
// controls do, and record the notifications they receive.
#pragma once
#include "TestDesktop.h"

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace qv::test {

struct Notification {
    HWND to;
    HWND from;
    UINT_PTR id;
    UINT code;
    bool operator==(const Notification&) const = default;
};

void PrintTo(const Notification& n, std::ostream* os);

class ToolTipDesk : public ::testing::Test {
public:
    void SetUp() override;
    // Starts the program with a tip of these styles.
    void StartWith(DWORD tipStyle);

    // Adds a tool; the text may be LPSTR_TEXTCALLBACKA.
    LRESULT AddTool(UINT flags, HWND hwnd, UINT_PTR id, LPCSTR text, RECT rect = {});
    // A tool for the whole child, named by its handle.
    LRESULT AddChildTool(LPCSTR text, UINT flags = 0);
    TTTOOLINFOA Info(HWND hwnd, UINT_PTR id) const;
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    // Moves the pointer onto the child (a little off its centre each time, so that it moves).
    void RestOnChild(int dx = 0);
    bool TipVisible() const { return IsWindowVisible(tip); }
    RECT TipRect() const;
    std::vector<Notification> Notifications(UINT code) const;

    // Answers TTN_GETDISPINFOA; by default it leaves the text empty.
    std::function<void(NMTTDISPINFOA&)> answer;
    // Whether the windows relay mouse messages to the tip.
    bool relay = true;

    TestDesktop desktop;
    HWND main = nullptr;
    HWND child = nullptr;
    HWND tip = nullptr;
    std::vector<Notification> notifications;
    DWORD initial = 0;

    static constexpr RECT kMain{100, 100, 500, 400};
    static constexpr RECT kChild{20, 20, 220, 120};

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    static ToolTipDesk* current_;
};

} // namespace qv::test
