#include "real_host.h"

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <fstream>
#include <string>

namespace qv::test {

int OpenPacketSockets() {
    std::ifstream list("/proc/thread-self/net/packet");
    if (!list)
        return -1;
    std::string line;
    int lines = 0;
    while (std::getline(list, line))
        ++lines;
    return lines > 0 ? lines - 1 : -1; // the first line is the header
}

bool DropRawCapabilityOfThisThread() {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    if (syscall(SYS_capget, &header, data) != 0)
        return false;
    for (auto* set : {&data[0].effective, &data[0].permitted, &data[0].inheritable})
        *set &= ~(1u << CAP_NET_RAW);
    // The raw syscall changes this thread only, unlike the C library's wrappers.
    return syscall(SYS_capset, &header, data) == 0;
}

} // namespace qv::test
