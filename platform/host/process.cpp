#include "host/process.h"

#include <unistd.h>

#include <climits>

namespace qv::host {
namespace {

class LinuxProcess final : public Process {
public:
    std::string ExecutablePath() const override {
        char path[PATH_MAX];
        ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
        return n > 0 ? std::string(path, static_cast<size_t>(n)) : std::string();
    }
};

std::unique_ptr<Process>& Installed() {
    static std::unique_ptr<Process> process = std::make_unique<LinuxProcess>();
    return process;
}

} // namespace

Process& GetProcess() { return *Installed(); }

void SetProcess(std::unique_ptr<Process> process) {
    Installed() = process ? std::move(process) : std::make_unique<LinuxProcess>();
}

} // namespace qv::host
