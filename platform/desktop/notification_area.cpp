#include "desktop/notification_area.h"

#include <mutex>

namespace qv::desktop {
namespace {

std::mutex gMutex;
NotifyIconSource gSource;

} // namespace

void SetNotifyIconSource(NotifyIconSource source) {
    std::lock_guard lock(gMutex);
    gSource = std::move(source);
}

std::vector<NotifyIcon> NotifyIcons() {
    NotifyIconSource source;
    {
        std::lock_guard lock(gMutex);
        source = gSource;
    }
    return source ? source() : std::vector<NotifyIcon>{};
}

} // namespace qv::desktop
