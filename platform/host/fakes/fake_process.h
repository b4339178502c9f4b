// A process whose executable lies wherever the test says.
#pragma once
#include "host/process.h"

namespace qv::host {

class FakeProcess final : public Process {
public:
    explicit FakeProcess(std::string path) : path_(std::move(path)) {}
    std::string ExecutablePath() const override { return path_; }

private:
    std::string path_;
};

} // namespace qv::host
