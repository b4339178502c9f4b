#include "desktop/tty/cell_grid.h"

#include <algorithm>

namespace qv::desktop::tty {

CellRect CellRect::Intersect(const CellRect& o) const {
    return CellRect{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
                    std::min(bottom, o.bottom)};
}

CellGrid::CellGrid(int cols, int rows)
    : cols_(std::max(cols, 0)), rows_(std::max(rows, 0)), clip_{0, 0, cols_, rows_},
      cells_(static_cast<size_t>(cols_) * rows_) {}

bool CellGrid::Visible(int col, int row) const {
    return col >= 0 && row >= 0 && col < cols_ && row < rows_ && clip_.Contains(col, row);
}

void CellGrid::Put(int col, int row, char32_t ch, const Style& style) {
    if (!Visible(col, row))
        return;
    cells_[Index(col, row)] = Cell{ch, style.attr, style.fg, style.bg};
}

void CellGrid::Fill(const CellRect& r, char32_t ch, const Style& style) {
    for (int row = r.top; row < r.bottom; ++row)
        for (int col = r.left; col < r.right; ++col)
            Put(col, row, ch, style);
}

int CellGrid::Text(int col, int row, std::string_view text, const Style& style) {
    for (char c : text)
        Put(col++, row, FromCp1252(static_cast<unsigned char>(c)), style);
    return col;
}

void CellGrid::Frame(const CellRect& r, const Style& style) {
    if (r.Empty())
        return;
    int right = r.right - 1, bottom = r.bottom - 1;
    for (int col = r.left + 1; col < right; ++col) {
        Put(col, r.top, U'─', style);
        Put(col, bottom, U'─', style);
    }
    for (int row = r.top + 1; row < bottom; ++row) {
        Put(r.left, row, U'│', style);
        Put(right, row, U'│', style);
    }
    Put(r.left, r.top, U'┌', style);
    Put(right, r.top, U'┐', style);
    Put(r.left, bottom, U'└', style);
    Put(right, bottom, U'┘', style);
}

void CellGrid::AddAttr(const CellRect& r, uint8_t attr) {
    for (int row = r.top; row < r.bottom; ++row)
        for (int col = r.left; col < r.right; ++col)
            if (Visible(col, row))
                cells_[Index(col, row)].attr |= attr;
}

std::string CellGrid::RowText(int row) const {
    std::string out;
    if (row < 0 || row >= rows_)
        return out;
    for (int col = 0; col < cols_; ++col)
        AppendUtf8(out, cells_[Index(col, row)].ch);
    return out;
}

char32_t FromCp1252(unsigned char c) {
    // The bytes where Windows-1252 differs from Latin-1; unassigned ones show as '?'.
    static const char32_t kHigh[32] = {
        U'€', U'?', U'‚', U'ƒ', U'„', U'…', U'†', U'‡', U'ˆ', U'‰', U'Š', U'‹', U'Œ', U'?', U'Ž', U'?',
        U'?', U'‘', U'’', U'“', U'”', U'•', U'–', U'—', U'˜', U'™', U'š', U'›', U'œ', U'?', U'ž', U'Ÿ'};
    if (c >= 0x80 && c < 0xA0)
        return kHigh[c - 0x80];
    if (c < 0x20 || c == 0x7F)
        return U' ';
    return c;
}

void AppendUtf8(std::string& out, char32_t ch) {
    if (ch < 0x80) {
        out += static_cast<char>(ch);
    } else if (ch < 0x800) {
        out += static_cast<char>(0xC0 | (ch >> 6));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    } else if (ch < 0x10000) {
        out += static_cast<char>(0xE0 | (ch >> 12));
        out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (ch >> 18));
        out += static_cast<char>(0x80 | ((ch >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    }
}

} // namespace qv::desktop::tty
