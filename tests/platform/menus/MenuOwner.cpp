#include "MenuOwner.h"

#include <algorithm>
#include <map>
#include <ostream>

namespace qv::test {
namespace {

MenuOwnerTest* current = nullptr;

} // namespace

void MenuOwnerTest::StartOwner(DWORD style, RECT where) {
    current = this;
    desktop.Start([this, style, where] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = Proc;
        wc.lpszClassName = "MenuOwner";
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        RegisterClassA(&wc);
        owner = CreateWindowExA(0, "MenuOwner", "Owner", style | WS_VISIBLE, where.left, where.top,
                                where.right - where.left, where.bottom - where.top, nullptr,
                                nullptr, nullptr, nullptr);
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        return static_cast<int>(msg.wParam);
    });
}

void MenuOwnerTest::RunOnUi(std::function<void()> fn) {
    pending_ = std::move(fn);
    PostMessageA(owner, WM_APP, 0, 0);
    desktop.WaitIdle();
}

const std::vector<UINT>& MenuOwnerTest::MenuMessages() {
    static const std::vector<UINT> kinds{WM_ENTERMENULOOP,   WM_INITMENU,     WM_INITMENUPOPUP,
                                         WM_UNINITMENUPOPUP, WM_EXITMENULOOP, WM_COMMAND,
                                         WM_SYSCOMMAND};
    return kinds;
}

std::vector<Note> MenuOwnerTest::Notes(const std::vector<UINT>& kinds) const {
    std::vector<Note> out;
    std::copy_if(notes.begin(), notes.end(), std::back_inserter(out), [&](const Note& n) {
        return std::find(kinds.begin(), kinds.end(), n.message) != kinds.end();
    });
    return out;
}

LRESULT CALLBACK MenuOwnerTest::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    MenuOwnerTest& self = *current;
    if (message == WM_APP && self.pending_) {
        auto fn = std::move(self.pending_);
        self.pending_ = nullptr;
        fn();
        return 0;
    }
    self.notes.push_back(Note{message, wParam, lParam});
    if (self.onMessage)
        self.onMessage(message, wParam, lParam);
    if (message == WM_DESTROY && hwnd == self.owner)
        PostQuitMessage(0);
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

std::ostream& operator<<(std::ostream& os, const Note& note) {
    static const std::map<UINT, const char*> names{{WM_ENTERMENULOOP, "WM_ENTERMENULOOP"},
                                                   {WM_INITMENU, "WM_INITMENU"},
                                                   {WM_INITMENUPOPUP, "WM_INITMENUPOPUP"},
                                                   {WM_UNINITMENUPOPUP, "WM_UNINITMENUPOPUP"},
                                                   {WM_MENUSELECT, "WM_MENUSELECT"},
                                                   {WM_EXITMENULOOP, "WM_EXITMENULOOP"},
                                                   {WM_COMMAND, "WM_COMMAND"},
                                                   {WM_SYSCOMMAND, "WM_SYSCOMMAND"},
                                                   {WM_TIMER, "WM_TIMER"}};
    auto it = names.find(note.message);
    if (it != names.end())
        os << it->second;
    else
        os << "0x" << std::hex << note.message << std::dec;
    return os << "(" << note.wParam << ", " << note.lParam << ")";
}

} // namespace qv::test
