#include "desktop/tty/ansi.h"

namespace qv::desktop::tty {
namespace {

std::string Sgr(const Cell& c) {
    std::string out = "\x1b[0";
    if (c.attr & kBold)
        out += ";1";
    if (c.attr & kDim)
        out += ";2";
    if (c.attr & kUnderline)
        out += ";4";
    if (c.attr & kReverse)
        out += ";7";
    if (c.fg != kDefault)
        out += ";" + std::to_string(30 + c.fg);
    if (c.bg != kDefault)
        out += ";" + std::to_string(40 + c.bg);
    return out + "m";
}

bool SameLook(const Cell& a, const Cell& b) {
    return a.attr == b.attr && a.fg == b.fg && a.bg == b.bg;
}

} // namespace

std::string Repaint(const CellGrid* before, const CellGrid& after) {
    bool full = !before || before->Cols() != after.Cols() || before->Rows() != after.Rows();
    std::string out;
    if (full)
        out += "\x1b[0m\x1b[2J";
    bool styled = false;
    Cell look;
    for (int row = 0; row < after.Rows(); ++row) {
        int cursor = -1;
        for (int col = 0; col < after.Cols(); ++col) {
            const Cell& c = after.At(col, row);
            if (!full && before->At(col, row) == c)
                continue;
            if (cursor != col)
                out += "\x1b[" + std::to_string(row + 1) + ";" + std::to_string(col + 1) + "H";
            if (!styled || !SameLook(look, c)) {
                out += Sgr(c);
                look = c;
                styled = true;
            }
            AppendUtf8(out, c.ch);
            cursor = col + 1;
        }
    }
    if (styled)
        out += "\x1b[0m";
    return out;
}

std::string Notice(const std::string& text) { return "\x1b[0m\x1b[2J\x1b[1;1H" + text; }

} // namespace qv::desktop::tty
