// The notification area as the front ends show it. The shell owns the icons (Shell_NotifyIconA)
// and the window that takes their clicks; it tells the desktop where they are, and the front
// end draws them and aims mouse actions at those points.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace qv::desktop {

struct NotifyIcon {
    std::string tip;
    RECT rect{}; // where the shell's window takes this icon's clicks, in screen pixels
};

// Installed by the shell; called on the UI thread whenever the front end draws.
using NotifyIconSource = std::function<std::vector<NotifyIcon>()>;
void SetNotifyIconSource(NotifyIconSource source);

// The icons now, in the order they were added; none until a shell is installed.
std::vector<NotifyIcon> NotifyIcons();

} // namespace qv::desktop
