// The tool tip's window procedure: one ToolTip object per window, alive while a message for it
// is being handled even when a notification handler destroys the window.
#include "comctl/tooltip.h"

#include <map>
#include <mutex>

namespace qv::comctl {
namespace {

std::mutex& InstancesLock() {
    static std::mutex m;
    return m;
}

std::map<HWND, std::shared_ptr<ToolTip>>& Instances() {
    static std::map<HWND, std::shared_ptr<ToolTip>> instances;
    return instances;
}

std::shared_ptr<ToolTip> InstanceOf(HWND hwnd) {
    std::lock_guard lock(InstancesLock());
    auto it = Instances().find(hwnd);
    return it == Instances().end() ? nullptr : it->second;
}

// A tip is a top-level popup above everything, framed by its own painting.
void MakePopup(HWND hwnd) {
    DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
    if (!(style & WS_CHILD))
        SetWindowLongA(hwnd, GWL_STYLE,
                       static_cast<LONG>((style & ~(WS_CAPTION | WS_THICKFRAME)) | WS_POPUP));
    DWORD exStyle = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_EXSTYLE));
    SetWindowLongA(hwnd, GWL_EXSTYLE,
                   static_cast<LONG>((exStyle & ~(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE |
                                                  WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME)) |
                                     WS_EX_TOPMOST | WS_EX_TOOLWINDOW));
}

} // namespace

LRESULT CALLBACK ToolTipProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        MakePopup(hwnd);
        std::lock_guard lock(InstancesLock());
        Instances()[hwnd] = std::make_shared<ToolTip>(hwnd);
    }
    std::shared_ptr<ToolTip> tip = InstanceOf(hwnd);
    if (!tip)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        tip->StopSubclassing();
        std::lock_guard lock(InstancesLock());
        Instances().erase(hwnd);
    }
    return tip->Handle(message, wParam, lParam);
}

LRESULT ToolTip::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    auto* ti = reinterpret_cast<TTTOOLINFOA*>(lParam);
    switch (message) {
    case TTM_ACTIVATE:
        Activate(wParam != 0);
        return 0;
    case TTM_SETDELAYTIME:
        SetDelay(wParam, static_cast<short>(LOWORD(lParam)));
        return 0;
    case TTM_GETDELAYTIME:
        return GetDelay(wParam);
    case TTM_ADDTOOLA:
        return AddTool(ti);
    case TTM_DELTOOLA:
        DeleteTool(ti);
        return 0;
    case TTM_NEWTOOLRECTA:
        SetRect(ti);
        return 0;
    case TTM_SETTOOLINFOA:
        SetToolInfo(ti);
        return 0;
    case TTM_UPDATETIPTEXTA:
        UpdateText(ti);
        return 0;
    case TTM_GETTOOLINFOA: {
        Tool* tool = FindByInfo(ti);
        return tool ? CopyInfo(*tool, ti, true) : FALSE;
    }
    case TTM_GETTEXTA:
        GetText(wParam, ti);
        return 0;
    case TTM_GETTOOLCOUNT:
        return static_cast<LRESULT>(tools.size());
    case TTM_ENUMTOOLSA:
        if (wParam >= tools.size() || !ti)
            return FALSE;
        return CopyInfo(tools[wParam], ti, true);
    case TTM_GETCURRENTTOOLA: {
        Tool* tool = shown_ ? Find(*shown_) : nullptr;
        if (!ti || !tool)
            return tool != nullptr;
        return CopyInfo(*tool, ti, true);
    }
    case TTM_HITTESTA:
        return HitTest(reinterpret_cast<TTHITTESTINFOA*>(lParam));
    case TTM_RELAYEVENT:
        Relay(reinterpret_cast<const MSG*>(lParam));
        return 0;
    case TTM_WINDOWFROMPOINT:
        return lParam ? reinterpret_cast<LRESULT>(WindowFromPoint(*reinterpret_cast<POINT*>(lParam)))
                      : 0;
    case TTM_TRACKACTIVATE:
        TrackActivate(wParam != 0, ti);
        return 0;
    case TTM_TRACKPOSITION:
        TrackPosition(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        return 0;
    case TTM_SETMAXTIPWIDTH: {
        int previous = maxWidth;
        maxWidth = static_cast<int>(lParam) < 0 ? -1 : static_cast<int>(lParam);
        return previous;
    }
    case TTM_GETMAXTIPWIDTH:
        return maxWidth;
    case TTM_POP:
        Pop();
        return 0;
    case WM_SETFONT:
        font = reinterpret_cast<HFONT>(wParam);
        if (shown_)
            Refresh(*shown_);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(FontInUse());
    case WM_TIMER:
        Timer(wParam);
        return 0;
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        // WM_PAINT fills the whole tip.
        return 1;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_NCHITTEST:
        if (Tool* tool = shown_ ? Find(*shown_) : nullptr; tool && (tool->flags & TTF_TRANSPARENT))
            return HTTRANSPARENT;
        return DefWindowProcA(self, message, wParam, lParam);
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        // The pointer reached the tip itself: it has left the tool.
        if (!tracking_)
            Pop();
        return 0;
    default:
        return DefWindowProcA(self, message, wParam, lParam);
    }
}

} // namespace qv::comctl
