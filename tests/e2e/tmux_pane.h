// A terminal for the end-to-end tests: a shell in a tmux pane of its own server, keys and mouse
// reports typed into it, and its screen read back as text (cells counted as characters).
#pragma once
#include "tests/e2e/process.h"

#include <cstdio>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace qv::e2e {

inline bool HaveTmux() {
    int status = 0;
    Shell("tmux -V >/dev/null 2>&1", &status);
    return status == 0;
}

class TmuxPane {
public:
    // A shell whose prompt is "ready$ ", in a pane of cols by rows cells.
    bool Open(int cols, int rows) {
        socket_ = "qv-e2e-" + std::to_string(getpid());
        Tmux("new-session -d -x " + std::to_string(cols) + " -y " + std::to_string(rows) +
             " \"env PS1='ready$ ' sh -i\"");
        return WaitFor("ready$");
    }
    ~TmuxPane() {
        if (!socket_.empty())
            Tmux("kill-server");
    }

    std::string Tmux(const std::string& args) { return Shell("tmux -L " + socket_ + " " + args + " 2>&1"); }
    // Types a command line and Enter.
    void Type(const std::string& line) {
        Tmux("send-keys -l '" + line + "'");
        Tmux("send-keys Enter");
    }
    std::string Screen() { return Tmux("capture-pane -p"); }
    // The screen with its attributes as escape sequences.
    std::string StyledScreen() { return Tmux("capture-pane -p -e"); }
    std::vector<std::string> Lines() {
        std::vector<std::string> lines;
        std::istringstream in(Screen());
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }
    bool WaitFor(const std::string& text, std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
        return WaitUntil([&] { return Screen().find(text) != std::string::npos; }, timeout);
    }
    // The cell where a text begins (zero-based column and row), or {-1, -1}.
    std::pair<int, int> Find(const std::string& text) {
        auto lines = Lines();
        for (size_t row = 0; row < lines.size(); ++row) {
            auto at = lines[row].find(text);
            if (at != std::string::npos)
                return {Cells(lines[row].substr(0, at)), static_cast<int>(row)};
        }
        return {-1, -1};
    }
    // The character at a cell, as UTF-8; empty outside the screen.
    static std::string At(const std::vector<std::string>& lines, int col, int row) {
        if (row < 0 || row >= static_cast<int>(lines.size()) || col < 0)
            return {};
        const std::string& line = lines[static_cast<size_t>(row)];
        int cell = -1;
        for (size_t i = 0; i < line.size(); ++i) {
            if ((static_cast<unsigned char>(line[i]) & 0xC0) == 0x80)
                continue;
            if (++cell == col) {
                size_t end = i + 1;
                while (end < line.size() && (static_cast<unsigned char>(line[end]) & 0xC0) == 0x80)
                    ++end;
                return line.substr(i, end - i);
            }
        }
        return {};
    }
    static int Cells(const std::string& utf8) {
        int n = 0;
        for (unsigned char c : utf8)
            n += (c & 0xC0) != 0x80;
        return n;
    }
    // Bytes as the terminal would send them.
    void SendBytes(const std::string& bytes) {
        std::string hex;
        char digits[4];
        for (unsigned char c : bytes) {
            std::snprintf(digits, sizeof digits, "%02x", c);
            hex += std::string(" ") + digits;
        }
        Tmux("send-keys -H" + hex);
    }
    // A left click in xterm's SGR encoding.
    void Click(int col, int row) {
        std::string at = std::to_string(col + 1) + ";" + std::to_string(row + 1);
        SendBytes("\x1b[<0;" + at + "M");
        SendBytes("\x1b[<0;" + at + "m");
    }
    // A left click in the legacy encoding: ESC [ M, then button, column and row (one-based),
    // each plus 32.
    void LegacyClick(int col, int row) {
        auto at = std::string(1, static_cast<char>(33 + col)) + static_cast<char>(33 + row);
        SendBytes("\x1b[M " + at);
        SendBytes("\x1b[M#" + at);
    }
    // The process ids of the pane shell's children.
    std::string ShellChildren() {
        std::string shell = Tmux("display-message -p '#{pane_pid}'");
        return Shell("ps -o pid= --ppid " + shell);
    }

private:
    std::string socket_;
};

} // namespace qv::e2e
