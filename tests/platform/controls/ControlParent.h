// The parent window of the control tests: a window of its own class, on a green background,
// that records the notifications, colour requests and clicks it receives from its controls.
#pragma once
#include "TestDesktop.h"

#include <functional>
#include <vector>
#include <windows.h>

namespace qv::test {

struct Command {
    int id;
    UINT code;
    HWND control;
};

struct ColourRequest {
    UINT message;
    HDC hdc;
    HWND control;
};

class ControlParent {
public:
    static constexpr COLORREF Background = RGB(0, 128, 0);
    static constexpr COLORREF TextColour = RGB(255, 0, 0);

    ControlParent();
    static ControlParent& Current();

    // The notification codes one control sent, in order.
    std::vector<UINT> Codes(HWND control) const;
    void Clear();

    std::vector<Command> commands;
    std::vector<ColourRequest> colours;
    int clicks = 0; // WM_LBUTTONDOWN that reached the parent itself
    // The control whose WM_CTLCOLORSTATIC gets red text, TRANSPARENT mode and the NULL_BRUSH.
    int transparentId = 0;
    HWND window = nullptr;

    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
};

// The program of these tests: a 300 by 200 parent at (100, 100), the controls the set-up
// makes on it, then a standard message loop.
int RunParent(const std::function<void(HWND parent)>& setUp);

// Creates a child control with an id.
HWND MakeControl(HWND parent, const char* className, const char* text, DWORD style, RECT r, int id);

} // namespace qv::test
