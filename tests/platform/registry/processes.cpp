#include "tests/platform/registry/processes.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace qv::test {
namespace {

using Clock = std::chrono::steady_clock;

// Waits for a child until the deadline, then kills it.
int WaitFor(pid_t pid, Clock::time_point deadline) {
    for (;;) {
        int status = 0;
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        if (done < 0) return -1;
        if (Clock::now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return -1;
        }
        usleep(2000);
    }
}

} // namespace

ScratchDir::ScratchDir() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp != nullptr && tmp[0] != '\0' ? tmp : "/tmp") + "/qv-registry-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

bool Exists(const std::string& path) {
    struct stat st {};
    return lstat(path.c_str(), &st) == 0;
}

bool IsDirectory(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

void MakeDirectory(const std::string& path) { std::filesystem::create_directories(path); }

void SetEnvironment(const std::string& name, const char* value) {
    if (value == nullptr) {
        unsetenv(name.c_str());
    } else {
        setenv(name.c_str(), value, 1);
    }
}

std::vector<std::string> ListDir(const std::string& path) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<int> RunTogether(const std::vector<std::function<int()>>& bodies, int timeoutSeconds) {
    int gate[2];
    if (pipe(gate) != 0) throw std::runtime_error("pipe failed");
    std::vector<pid_t> pids;
    for (const auto& body : bodies) {
        const pid_t pid = fork();
        if (pid == 0) {
            close(gate[1]);
            char go = 0;
            // The gate opens when the parent closes its end: every child starts at once.
            while (read(gate[0], &go, 1) < 0 && errno == EINTR) {
            }
            _exit(body());
        }
        pids.push_back(pid);
    }
    close(gate[0]);
    close(gate[1]);
    const auto deadline = Clock::now() + std::chrono::seconds(timeoutSeconds);
    std::vector<int> codes;
    for (pid_t pid : pids) codes.push_back(pid > 0 ? WaitFor(pid, deadline) : -1);
    return codes;
}

ProcessResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::vector<std::string>& environment, const std::string& input,
                         int timeoutSeconds) {
    int in[2], out[2], err[2];
    if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0) {
        throw std::runtime_error("pipe failed");
    }
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(in[0], 0);
        dup2(out[1], 1);
        dup2(err[1], 2);
        for (const std::string& variable : environment) putenv(const_cast<char*>(variable.c_str()));
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    close(err[1]);
    // The input is small: it fits in the pipe.
    [[maybe_unused]] const ssize_t written = write(in[1], input.data(), input.size());
    close(in[1]);
    ProcessResult result;
    const auto deadline = Clock::now() + std::chrono::seconds(timeoutSeconds);
    pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    std::string* sinks[2] = {&result.out, &result.err};
    int open = 2;
    while (open > 0 && Clock::now() < deadline) {
        if (poll(fds, 2, 100) <= 0) continue;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0) continue;
            char buffer[4096];
            const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                sinks[i]->append(buffer, static_cast<size_t>(n));
            } else {
                close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
    for (const pollfd& fd : fds) {
        if (fd.fd >= 0) close(fd.fd);
    }
    result.exitCode = WaitFor(pid, deadline);
    return result;
}

} // namespace qv::test
