// The terminal itself (Linux facts, no Windows headers): raw input, the alternate screen, the
// mouse reporting modes, and giving all of it back on every way out, crashes included.
#pragma once
#include <cstdint>
#include <string>

namespace qv::desktop::tty {

// True when standard input and output are both terminals.
bool StdioIsTerminal();
// True when NO_COLOR is set and not empty.
bool NoColorWanted();
uint64_t SteadyMilliseconds();

class Terminal {
public:
    Terminal() = default;
    ~Terminal() { Leave(); }
    Terminal(const Terminal&) = delete;
    Terminal& operator=(const Terminal&) = delete;

    // Raw keys (Ctrl+C still signals), the alternate screen, a hidden cursor, xterm mouse
    // reporting of presses, releases and any motion (SGR encoding when the terminal has it),
    // and handlers that restore the terminal if the program crashes or terminates.
    bool Enter();
    // Restores what Enter changed; does nothing the second time.
    void Leave();

    bool Size(int& cols, int& rows) const;
    void Write(const std::string& bytes);
    // Waits at most timeoutMs for input: what came, empty when nothing did.
    std::string Read(int timeoutMs);

private:
    bool entered_ = false;
};

} // namespace qv::desktop::tty
