// Turns the bytes a terminal sends into key and mouse events: xterm's key sequences, and mouse
// reports in both encodings (SGR 1006 and the legacy X10/1000 one).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace qv::desktop::tty {

struct TermEvent {
    enum class Kind { Key, Char, MouseDown, MouseUp, MouseMove, Wheel };
    Kind kind = Kind::Key;
    unsigned vk = 0;        // Key: the virtual-key code
    char ch = 0;            // Char: a printable character that has no key of its own
    bool shift = false, alt = false, ctrl = false;
    int button = 0;         // 0 left, 1 right, 2 middle; Wheel: 0 up, 1 down
    int col = 0, row = 0;   // zero-based cell of a mouse event
    bool operator==(const TermEvent&) const = default;
};

class InputParser {
public:
    // How long a lone Esc waits for the rest of a sequence.
    static constexpr uint64_t kEscTimeoutMs = 40;

    // Takes bytes read at a moment (milliseconds on any steady clock).
    void Feed(const std::string& bytes, uint64_t nowMs);
    // Called when no byte came: a lone Esc older than the timeout becomes the Esc key.
    void Expire(uint64_t nowMs);
    // True while bytes wait for the rest of a sequence (poll again within the timeout).
    bool Pending() const { return !buffer_.empty(); }
    std::vector<TermEvent> Take();

private:
    void Parse(bool final);
    // Parses one event at the start of the buffer; the bytes used, 0 when more are needed,
    // or -1 when the bytes are no sequence known here.
    int ParseOne(size_t at, bool final);
    int ParseCsi(size_t at, bool alt);
    int ParseSs3(size_t at, bool alt);
    int ParseLegacyMouse(size_t at);
    void Key(unsigned vk, int modifiers, bool alt);
    void Mouse(int code, int col, int row, bool release);

    std::string buffer_;
    uint64_t since_ = 0;
    int legacyButton_ = 0; // the legacy encoding does not say which button was released
    std::vector<TermEvent> events_;
};

} // namespace qv::desktop::tty
