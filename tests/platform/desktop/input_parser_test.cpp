// Bytes a terminal sends, and the key and mouse events they are.
#include "desktop/tty/input_parser.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace qv::desktop::tty {
namespace {

using Kind = TermEvent::Kind;

TermEvent Key(unsigned vk, bool shift = false, bool alt = false, bool ctrl = false) {
    TermEvent e;
    e.vk = vk;
    e.shift = shift;
    e.alt = alt;
    e.ctrl = ctrl;
    return e;
}

TermEvent Mouse(Kind kind, int button, int col, int row) {
    TermEvent e;
    e.kind = kind;
    e.button = button;
    e.col = col;
    e.row = row;
    return e;
}

TermEvent Char(char ch) {
    TermEvent e;
    e.kind = Kind::Char;
    e.ch = ch;
    return e;
}

struct Case {
    const char* name;
    std::string bytes;
    std::vector<TermEvent> events;
};

TEST(InputParser, SequencesBecomeEvents) {
    const Case cases[] = {
        {"tab", "\t", {Key(VK_TAB)}},
        {"shift tab", "\x1b[Z", {Key(VK_TAB, true)}},
        {"enter", "\r", {Key(VK_RETURN)}},
        {"space", " ", {Key(VK_SPACE)}},
        {"letters and digits", "aZ7", {Key('A'), Key('Z', true), Key('7')}},
        {"punctuation", "!", {Char('!')}},
        {"alt letter", "\x1bm", {Key('M', false, true)}},
        {"alt space", "\x1b ", {Key(VK_SPACE, false, true)}},
        {"arrows", "\x1b[A\x1b[B\x1bOC\x1b[D", {Key(VK_UP), Key(VK_DOWN), Key(VK_RIGHT), Key(VK_LEFT)}},
        {"home end delete", "\x1b[H\x1b[4~\x1b[3~", {Key(VK_HOME), Key(VK_END), Key(VK_DELETE)}},
        {"backspace", "\x7f", {Key(VK_BACK)}},
        {"f4 and alt f4", "\x1bOS\x1b[1;3S\x1b\x1bOS", {Key(VK_F4), Key(VK_F4, false, true), Key(VK_F4, false, true)}},
        {"shift f10", "\x1b[21;2~", {Key(VK_F10, true)}},
        {"ctrl letter", "\x03", {Key('C', false, false, true)}},
        {"sgr press and release", "\x1b[<0;10;5M\x1b[<0;10;5m",
         {Mouse(Kind::MouseDown, 0, 9, 4), Mouse(Kind::MouseUp, 0, 9, 4)}},
        {"sgr right button", "\x1b[<2;1;1M", {Mouse(Kind::MouseDown, 1, 0, 0)}},
        {"sgr motion", "\x1b[<35;3;4M", {Mouse(Kind::MouseMove, 0, 2, 3)}},
        {"legacy press and release", "\x1b[M\x22\x2a\x25\x1b[M\x23\x2a\x25",
         {Mouse(Kind::MouseDown, 1, 9, 4), Mouse(Kind::MouseUp, 1, 9, 4)}},
        {"legacy motion", "\x1b[M\x43\x21\x21", {Mouse(Kind::MouseMove, 0, 0, 0)}},
        {"unknown sequence is dropped whole", "\x1b[99~a", {Key('A')}},
    };
    for (const auto& c : cases) {
        InputParser parser;
        parser.Feed(c.bytes, 0);
        EXPECT_EQ(parser.Take(), c.events) << c.name;
        EXPECT_FALSE(parser.Pending()) << c.name;
    }
}

TEST(InputParser, ALoneEscWaitsForTheRestOfASequence) {
    InputParser parser;
    parser.Feed("\x1b", 100);
    parser.Expire(100 + InputParser::kEscTimeoutMs - 1);
    EXPECT_TRUE(parser.Take().empty()) << "too early to tell";
    parser.Feed("[A", 110);
    EXPECT_EQ(parser.Take(), std::vector<TermEvent>{Key(VK_UP)}) << "a sequence split across reads";

    parser.Feed("\x1b", 200);
    parser.Expire(200 + InputParser::kEscTimeoutMs);
    EXPECT_EQ(parser.Take(), std::vector<TermEvent>{Key(VK_ESCAPE)});
    EXPECT_FALSE(parser.Pending());
}

TEST(InputParser, AnUnfinishedSequenceEndsAsEscThenItsBytes) {
    InputParser parser;
    parser.Feed("\x1b[<0;1", 0);
    EXPECT_TRUE(parser.Take().empty());
    parser.Expire(InputParser::kEscTimeoutMs);
    auto events = parser.Take();
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.front(), Key(VK_ESCAPE));
    EXPECT_FALSE(parser.Pending());
}

} // namespace
} // namespace qv::desktop::tty
