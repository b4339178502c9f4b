#include "desktop/tty/input_parser.h"

#include <windows.h>

namespace qv::desktop::tty {
namespace {

constexpr char kEsc = '\x1b';
constexpr unsigned kVkApps = 0x5D; // the menu key

enum Modifier { kShift = 1, kAlt = 2, kCtrl = 4 };

// xterm's modifier parameter is 1 plus the bits of Shift, Alt and Ctrl.
int ModifiersOf(int param) { return param > 1 ? param - 1 : 0; }

unsigned TildeKey(int code) {
    switch (code) {
    case 1: case 7: return VK_HOME;
    case 4: case 8: return VK_END;
    case 2: return VK_INSERT;
    case 3: return VK_DELETE;
    case 5: return VK_PRIOR;
    case 6: return VK_NEXT;
    case 11: case 12: case 13: case 14: case 15: return VK_F1 + (code - 11);
    case 17: case 18: case 19: case 20: case 21: return VK_F1 + 5 + (code - 17);
    case 23: case 24: return VK_F1 + 10 + (code - 23);
    case 29: return kVkApps;
    default: return 0;
    }
}

unsigned LetterKey(char final) {
    switch (final) {
    case 'A': return VK_UP;
    case 'B': return VK_DOWN;
    case 'C': return VK_RIGHT;
    case 'D': return VK_LEFT;
    case 'H': return VK_HOME;
    case 'F': return VK_END;
    case 'P': return VK_F1;
    case 'Q': return VK_F2;
    case 'R': return VK_F3;
    case 'S': return VK_F4;
    default: return 0;
    }
}

// The parameters of a control sequence, "1;5" as {1, 5}; missing ones are 0.
std::vector<int> Params(const std::string& text) {
    std::vector<int> params{0};
    for (char c : text) {
        if (c == ';')
            params.push_back(0);
        else if (c >= '0' && c <= '9')
            params.back() = params.back() * 10 + (c - '0');
    }
    return params;
}

int MapButton(int xtermButton) { return xtermButton == 1 ? 2 : xtermButton == 2 ? 1 : 0; }

} // namespace

void InputParser::Feed(const std::string& bytes, uint64_t nowMs) {
    if (buffer_.empty())
        since_ = nowMs;
    buffer_ += bytes;
    size_t before = buffer_.size();
    Parse(false);
    if (buffer_.size() != before)
        since_ = nowMs;
}

void InputParser::Expire(uint64_t nowMs) {
    if (!buffer_.empty() && nowMs - since_ >= kEscTimeoutMs)
        Parse(true);
}

std::vector<TermEvent> InputParser::Take() {
    std::vector<TermEvent> out;
    out.swap(events_);
    return out;
}

void InputParser::Parse(bool final) {
    size_t at = 0;
    while (at < buffer_.size()) {
        int used = ParseOne(at, final);
        if (used == 0)
            break;
        at += used < 0 ? 1 : static_cast<size_t>(used);
    }
    buffer_.erase(0, at);
}

void InputParser::Key(unsigned vk, int modifiers, bool alt) {
    TermEvent e;
    e.kind = TermEvent::Kind::Key;
    e.vk = vk;
    e.shift = modifiers & kShift;
    e.alt = alt || (modifiers & kAlt);
    e.ctrl = modifiers & kCtrl;
    events_.push_back(e);
}

int InputParser::ParseOne(size_t at, bool final) {
    auto c = static_cast<unsigned char>(buffer_[at]);
    bool alt = false;
    size_t start = at;
    if (c == kEsc) {
        if (at + 1 >= buffer_.size()) {
            if (!final)
                return 0;
            Key(VK_ESCAPE, 0, false);
            return 1;
        }
        char next = buffer_[at + 1];
        // Esc before a sequence is Alt held with that key.
        if (next == kEsc && at + 2 < buffer_.size() &&
            (buffer_[at + 2] == '[' || buffer_[at + 2] == 'O')) {
            alt = true;
            ++at;
            next = buffer_[at + 1];
        }
        int used = 0;
        if (next == '[')
            used = ParseCsi(at + 2, alt);
        else if (next == 'O')
            used = ParseSs3(at + 2, alt);
        else if (next == kEsc)
            used = -1;
        else {
            alt = true;
            c = static_cast<unsigned char>(next);
            at += 1;
            used = -2;
        }
        if (used > 0)
            return static_cast<int>(at + 2 - start) + used;
        if (used == 0) {
            if (!final)
                return 0;
            Key(VK_ESCAPE, 0, false);
            return 1;
        }
        if (used == -1) {
            Key(VK_ESCAPE, 0, false);
            return 1;
        }
    }
    int len = static_cast<int>(at - start) + 1;
    if (c == '\r' || c == '\n')
        Key(VK_RETURN, 0, alt);
    else if (c == '\t')
        Key(VK_TAB, 0, alt);
    else if (c == 0x7F || c == 0x08)
        Key(VK_BACK, 0, alt);
    else if (c == ' ')
        Key(VK_SPACE, 0, alt);
    else if (c >= 'a' && c <= 'z')
        Key(c - 'a' + 'A', 0, alt);
    else if (c >= 'A' && c <= 'Z')
        Key(c, kShift, alt);
    else if (c >= '0' && c <= '9')
        Key(c, 0, alt);
    else if (c >= 1 && c <= 26)
        Key('A' + c - 1, kCtrl, alt);
    else if (c > ' ' && c < 0x7F) {
        TermEvent e;
        e.kind = TermEvent::Kind::Char;
        e.ch = static_cast<char>(c);
        e.alt = alt;
        events_.push_back(e);
    } else if (c >= 0xC2 && c <= 0xC3) {
        // A two-byte UTF-8 character of Latin-1, which is also Windows-1252 there.
        if (at + 1 >= buffer_.size())
            return final ? len : 0;
        TermEvent e;
        e.kind = TermEvent::Kind::Char;
        e.ch = static_cast<char>(((c & 0x1F) << 6) | (buffer_[at + 1] & 0x3F));
        e.alt = alt;
        events_.push_back(e);
        return len + 1;
    } else {
        return -1;
    }
    return len;
}

int InputParser::ParseCsi(size_t at, bool alt) {
    if (at >= buffer_.size())
        return 0;
    if (buffer_[at] == 'M')
        return ParseLegacyMouse(at + 1);
    bool sgrMouse = buffer_[at] == '<';
    size_t i = sgrMouse ? at + 1 : at;
    std::string params;
    // Parameter and intermediate bytes run up to the final byte.
    while (i < buffer_.size() && buffer_[i] >= 0x20 && buffer_[i] <= 0x3F)
        params += buffer_[i++];
    if (i >= buffer_.size())
        return 0;
    char final = buffer_[i];
    int used = static_cast<int>(i - at) + 1;
    std::vector<int> p = Params(params);
    if (sgrMouse) {
        if ((final != 'M' && final != 'm') || p.size() < 3)
            return used;
        Mouse(p[0], p[1] - 1, p[2] - 1, final == 'm');
        return used;
    }
    if (final == 'Z') {
        Key(VK_TAB, kShift, alt);
        return used;
    }
    int modifiers = p.size() > 1 ? ModifiersOf(p[1]) : 0;
    if (final == '~') {
        unsigned vk = TildeKey(p[0]);
        if (!vk)
            return used; // a sequence of no key known here
        Key(vk, modifiers, alt);
        return used;
    }
    unsigned vk = LetterKey(final);
    if (!vk)
        return used; // a sequence of no key known here
    Key(vk, modifiers, alt);
    return used;
}

int InputParser::ParseSs3(size_t at, bool alt) {
    if (at >= buffer_.size())
        return 0;
    unsigned vk = LetterKey(buffer_[at]);
    if (!vk)
        return 1;
    Key(vk, 0, alt);
    return 1;
}

int InputParser::ParseLegacyMouse(size_t at) {
    if (at + 3 > buffer_.size())
        return 0;
    int code = static_cast<unsigned char>(buffer_[at]) - 32;
    int col = static_cast<unsigned char>(buffer_[at + 1]) - 33;
    int row = static_cast<unsigned char>(buffer_[at + 2]) - 33;
    Mouse(code, col, row, false);
    return 4;
}

void InputParser::Mouse(int code, int col, int row, bool release) {
    TermEvent e;
    e.col = col;
    e.row = row;
    e.shift = code & 4;
    e.alt = code & 8;
    e.ctrl = code & 16;
    int button = code & 3;
    if (code & 64) {
        if (release)
            return;
        e.kind = TermEvent::Kind::Wheel;
        e.button = button & 1;
    } else if (code & 32) {
        e.kind = TermEvent::Kind::MouseMove;
    } else if (button == 3) {
        // The legacy release, of whichever button went down last.
        e.kind = TermEvent::Kind::MouseUp;
        e.button = legacyButton_;
    } else {
        e.kind = release ? TermEvent::Kind::MouseUp : TermEvent::Kind::MouseDown;
        e.button = MapButton(button);
        if (!release)
            legacyButton_ = e.button;
    }
    events_.push_back(e);
}

} // namespace qv::desktop::tty
