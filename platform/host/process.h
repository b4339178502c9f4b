// Facts of the running process: where its executable lies.
#pragma once
#include <memory>
#include <string>

namespace qv::host {

class Process {
public:
    virtual ~Process() = default;
    // The executable's Linux path.
    virtual std::string ExecutablePath() const = 0;
};

Process& GetProcess();
// Installs other facts (tests); null goes back to the running process's.
void SetProcess(std::unique_ptr<Process> process);

} // namespace qv::host
