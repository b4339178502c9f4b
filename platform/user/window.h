// The window manager's state: classes, windows, the tree and the per-thread queues.
// All of it is guarded by one lock (UserLock); window procedures are never called with it held.
#pragma once
#include <windows.h>

#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace qv::gdi {
struct Surface;
}

namespace qv::user {

using Lock = std::unique_lock<std::recursive_mutex>;
Lock LockUser();

struct WindowClass {
    std::string name;
    UINT style = 0;
    WNDPROC proc = nullptr;
    int clsExtra = 0;
    int wndExtra = 0;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
    HICON smallIcon = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    std::string menuName;
    ATOM atom = 0;
};

struct Window {
    HWND handle = nullptr;
    std::shared_ptr<WindowClass> cls;
    WNDPROC proc = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    HWND parent = nullptr;            // the window tree: the desktop for top-level windows
    HWND owner = nullptr;             // top-level windows only
    std::vector<HWND> children;       // z-order, top first
    std::string text;
    RECT rect{};                      // in the parent's client coordinates
    RECT client{};                    // in window coordinates
    RECT normal{};                    // the rectangle to go back to while minimised
    UINT_PTR id = 0;                  // control id of a child, menu of a top-level window
    HINSTANCE instance = nullptr;
    LONG_PTR userData = 0;
    std::vector<BYTE> extra;
    DWORD threadId = 0;
    RECT update{};                    // client coordinates; empty when valid
    bool needsErase = false;
    bool needsNcPaint = false;
    bool destroying = false;
    HMENU systemMenu = nullptr;
    std::shared_ptr<gdi::Surface> surface; // top-level windows own the picture they paint
};

// A message sent to a window of another thread, waiting for its result.
struct SentMessage {
    MSG msg{};
    LRESULT result = 0;
    bool done = false;
};

// A mouse or keyboard event as the desktop delivers it, before it is aimed at a window.
struct RawInput {
    enum class Kind { MouseMove, MouseDown, MouseUp, KeyDown, KeyUp, Char };
    Kind kind = Kind::MouseMove;
    int button = 0;       // 0 left, 1 right, 2 middle
    POINT pt{};           // screen coordinates
    UINT vk = 0;
    char ch = 0;
};

struct ThreadQueue {
    DWORD threadId = 0;
    std::deque<MSG> posted;
    std::deque<MSG> input;
    std::deque<SentMessage*> sent;
    std::deque<std::function<void()>*> calls; // work that the desktop runs on this thread
    bool quit = false;
    int quitCode = 0;
    bool waiting = false;
    int sendDepth = 0;
    std::condition_variable_any wake;
    LONG messageTime = 0;
    DWORD messagePos = 0;
};

struct Timer {
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    UINT period = 0;
    uint64_t due = 0;
    uint64_t sequence = 0;
    TIMERPROC proc = nullptr;
    DWORD threadId = 0;
};

struct Hook {
    HHOOK handle = nullptr;
    int kind = 0;
    HOOKPROC proc = nullptr;
    DWORD threadId = 0;
};

struct UserState {
    std::recursive_mutex mutex;
    std::condition_variable_any changed; // any queue changed; the test desktop waits on it
    std::unordered_map<HWND, std::unique_ptr<Window>> windows;
    std::vector<std::shared_ptr<WindowClass>> classes;
    std::map<std::string, UINT> registeredMessages;
    std::unordered_map<DWORD, std::unique_ptr<ThreadQueue>> queues;
    std::deque<RawInput> rawInput;
    std::vector<Timer> timers;
    std::vector<Hook> hooks;
    HWND desktop = nullptr;
    SIZE screen{1024, 768};
    int taskbarHeight = 30;
    bool minAnimate = true;
    HWND focus = nullptr;
    HWND active = nullptr;
    HWND capture = nullptr;
    HWND trackLeave = nullptr;
    POINT cursor{};
    BYTE keys[256]{};
    uint64_t nextHandle = 0x10020;
    uint64_t timerSequence = 0;
    bool sessionEnding = false;
    // The last button press, for double-clicks.
    HWND lastClickWindow = nullptr;
    int lastClickButton = -1;
    uint64_t lastClickTime = 0;
    POINT lastClickPoint{};
};

// The state, with the desktop window made on first use.
UserState& State();

// Lookups; all need the lock held.
Window* FindWindowObject(HWND hwnd);
// As FindWindowObject, but sets ERROR_INVALID_WINDOW_HANDLE when there is none.
Window* CheckWindow(HWND hwnd);
ThreadQueue& QueueOf(DWORD threadId);
std::shared_ptr<WindowClass> FindClass(const char* nameOrAtom);
bool IsTopLevel(const Window& w);
// The top-level window that holds this one (itself when it is top-level).
Window* RootOf(Window* w);
// The screen position of the window's top left corner and of its client area's.
POINT WindowOrigin(const Window& w);
POINT ClientOrigin(const Window& w);
// The window's rectangle and its client area's, in screen coordinates.
RECT ScreenRect(const Window& w);
RECT ClientScreenRect(const Window& w);
// True when the window and all of its ancestors have WS_VISIBLE.
bool IsShown(const Window& w);

// Wakes every thread waiting for messages and whoever watches for idleness.
void NotifyAll();

} // namespace qv::user
