// Linux helpers for registry tests, kept out of the files that include the Windows headers:
// scratch folders and other processes.
#pragma once
#include <functional>
#include <string>
#include <vector>

namespace qv::test {

// A new empty folder under the temporary folder, removed with everything in it on destruction.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& text);
bool Exists(const std::string& path);
bool IsDirectory(const std::string& path);
void MakeDirectory(const std::string& path);
// Sets an environment variable, or removes it when `value` is null.
void SetEnvironment(const std::string& name, const char* value);
// The names in a folder, sorted.
std::vector<std::string> ListDir(const std::string& path);

// Runs each body in a forked process of its own, all released at the same moment; returns their
// exit codes (-1 for a process that was killed or had to be stopped after `timeoutSeconds`).
std::vector<int> RunTogether(const std::vector<std::function<int()>>& bodies, int timeoutSeconds = 100);

struct ProcessResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};
// Runs a program with extra environment variables ("NAME=value") and `input` on its standard input.
ProcessResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::vector<std::string>& environment, const std::string& input = "",
                         int timeoutSeconds = 60);

} // namespace qv::test
