// The tool-tip control: its tools, the pointer's state over them, and the popup that shows a tip.
#pragma once
#include <commctrl.h>

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace qv::comctl {

struct Tool {
    UINT flags = 0;
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    RECT rect{};
    HINSTANCE hinst = nullptr;
    bool callback = false;    // the text is asked for with TTN_GETDISPINFO each time
    UINT resourceId = 0;      // the text is a string resource of hinst
    std::string text;
    LPARAM lParam = 0;

    // Tools named by a window handle are found by that handle alone, as on Windows.
    bool Is(HWND otherHwnd, UINT_PTR otherId) const {
        return (flags & TTF_IDISHWND) ? id == otherId : hwnd == otherHwnd && id == otherId;
    }
    // The window the pointer must rest on.
    HWND Window() const { return (flags & TTF_IDISHWND) ? reinterpret_cast<HWND>(id) : hwnd; }
};

// Which tool, kept as its name rather than its place, since tools come and go.
struct ToolKey {
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    bool operator==(const ToolKey&) const = default;
};

class ToolTip {
public:
    explicit ToolTip(HWND self);

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    // The tool list (tooltip_tools.cpp).
    Tool* Find(HWND hwnd, UINT_PTR id);
    Tool* Find(const ToolKey& key) { return Find(key.hwnd, key.id); }
    Tool* FindByInfo(const TTTOOLINFOA* ti);
    // The tool under a point given in a window's client coordinates.
    Tool* ToolAt(HWND hwnd, POINT client);
    LRESULT AddTool(const TTTOOLINFOA* ti);
    void DeleteTool(const TTTOOLINFOA* ti);
    BOOL SetToolInfo(const TTTOOLINFOA* ti);
    void SetRect(const TTTOOLINFOA* ti);
    void UpdateText(const TTTOOLINFOA* ti);
    void GetText(WPARAM size, TTTOOLINFOA* ti);
    BOOL CopyInfo(const Tool& tool, TTTOOLINFOA* ti, bool copyText);
    BOOL HitTest(TTHITTESTINFOA* info);
    // The tool's text as it shows: fixed, a string resource, or asked from the tool's window.
    std::string TextOf(const ToolKey& key);

    // The pointer and the popup (tooltip_popup.cpp).
    void Relay(const MSG* msg);
    void Timer(UINT_PTR id);
    void Pop();
    void Activate(bool on);
    void SetDelay(WPARAM which, int time);
    int GetDelay(WPARAM which) const;
    void TrackActivate(bool on, const TTTOOLINFOA* ti);
    void TrackPosition(POINT screen);
    // Shows the changed text of the tool whose tip is up.
    void Refresh(const ToolKey& key);
    void Forget(const ToolKey& key);
    void Paint();
    std::optional<ToolKey> Shown() const { return shown_; }

    // Mouse messages of tools added with TTF_SUBCLASS come here without relaying
    // (tooltip_subclass.cpp).
    void UpdateSubclassing();
    void StopSubclassing();

    HWND self;
    std::vector<Tool> tools;
    bool active = true;
    int maxWidth = -1;
    HFONT font = nullptr;

private:
    void Enter(const ToolKey& key, bool quickly);
    void Leave();
    void StartShowTimer(UINT delay);
    void Show(const ToolKey& key);
    void Hide();
    bool PointerOn(const Tool& tool);
    bool OwnerActive(const Tool& tool) const;
    bool Place(const ToolKey& key, const std::string& text, bool notify);
    UINT TextFormat() const;
    SIZE TextSize(const std::string& text);
    HFONT FontInUse() const;

    int initial_;
    int autopop_;
    int reshow_;
    std::optional<ToolKey> hover_;   // the tool the pointer rests on
    bool dismissed_ = false;         // its tip went away; it comes again once the pointer leaves
    UINT pendingDelay_ = 0;          // the delay the show timer was started with
    POINT lastPoint_{};
    std::optional<ToolKey> shown_;   // the tool whose tip is up
    bool tracking_ = false;
    POINT trackPoint_{};
    std::set<HWND> subclassed_;
};

// The window procedure of TOOLTIPS_CLASSA, and its registration (once, whoever asks first).
LRESULT CALLBACK ToolTipProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
void RegisterToolTipClass();

// The subclassing of tool windows for TTF_SUBCLASS, shared by all tool tips.
void Subclass(HWND window, HWND toolTip);
void Unsubclass(HWND window, HWND toolTip);

} // namespace qv::comctl
