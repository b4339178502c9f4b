// The yardstick for GetIfTable: re-reading /proc/net/dev through a descriptor kept open.
#pragma once
#include <cstddef>

namespace qv::bench {

class ProcNetDev {
public:
    ProcNetDev();
    ~ProcNetDev();
    // Reads the whole file again from its start and sums the received-bytes column, so that the
    // work a caller would do with the text is counted too; returns the sum.
    unsigned long long ReadAndParse();

private:
    int fd_;
    char buffer_[16384];
};

} // namespace qv::bench
