// A window class that records the messages its windows receive, and a UI program that runs a
// plain message loop after a set-up step.
#pragma once
#include "TestDesktop.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace qv::test {

struct Received {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class Recorder {
public:
    // Registers the classes "Recorder" (CS_DBLCLKS) and "PlainRecorder" (no class style).
    Recorder();
    static Recorder& Current();

    // Messages received, in order, leaving out the ones of the window's own life (creation,
    // sizing, activation, painting) unless kept.
    std::vector<Received> Messages(std::initializer_list<UINT> keep) const;
    void Clear() { received_.clear(); }
    // A hook the procedure calls before recording (on the UI thread).
    std::function<void(HWND, UINT, WPARAM, LPARAM)> onMessage;

    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);

private:
    std::vector<Received> received_;
};

// The program of these tests: runs the set-up on the UI thread, then a standard message loop;
// returns the WM_QUIT code.
int RunMessageLoop(const std::function<void()>& setUp);

// Names for messages in failure output.
std::string MessageName(UINT message);

} // namespace qv::test
