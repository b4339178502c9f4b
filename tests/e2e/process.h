// Running shell commands for the end-to-end tests, and bounded waits.
#pragma once
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>

namespace qv::e2e {

// The command's standard output; status gets its exit status.
inline std::string Shell(const std::string& command, int* status = nullptr) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return out;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
    int result = pclose(pipe);
    if (status)
        *status = result;
    return out;
}

// Polls until the condition holds; false when the time runs out first.
inline bool WaitUntil(const std::function<bool()>& condition,
                      std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        if (condition())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return condition();
}

} // namespace qv::e2e
