#include "proc_net_dev.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

namespace qv::bench {

ProcNetDev::ProcNetDev() : fd_(open("/proc/net/dev", O_RDONLY | O_CLOEXEC)) {}

ProcNetDev::~ProcNetDev() {
    if (fd_ >= 0) close(fd_);
}

unsigned long long ProcNetDev::ReadAndParse() {
    ssize_t got = pread(fd_, buffer_, sizeof(buffer_) - 1, 0);
    if (got <= 0) return 0;
    buffer_[got] = '\0';
    unsigned long long total = 0;
    for (char* line = strchr(buffer_, '\n'); line; line = strchr(line + 1, '\n')) {
        char* colon = strchr(line, ':');
        if (!colon) break;
        total += strtoull(colon + 1, nullptr, 10);
    }
    return total;
}

} // namespace qv::bench
