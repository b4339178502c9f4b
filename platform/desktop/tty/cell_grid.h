// A terminal's picture: a grid of character cells with their attributes and colours.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qv::desktop::tty {

enum Attr : uint8_t { kBold = 1, kUnderline = 2, kReverse = 4, kDim = 8 };

// The eight ANSI colours; kDefault leaves the terminal's own.
enum Color : uint8_t { kBlack, kRed, kGreen, kYellow, kBlue, kMagenta, kCyan, kWhite, kDefault };

struct Cell {
    char32_t ch = U' ';
    uint8_t attr = 0;
    Color fg = kDefault;
    Color bg = kDefault;
    bool operator==(const Cell&) const = default;
};

struct Style {
    uint8_t attr = 0;
    Color fg = kDefault;
    Color bg = kDefault;
};

// A cell rectangle: left and top inclusive, right and bottom exclusive.
struct CellRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Empty() const { return right <= left || bottom <= top; }
    bool Contains(int col, int row) const {
        return col >= left && col < right && row >= top && row < bottom;
    }
    CellRect Intersect(const CellRect& o) const;
};

class CellGrid {
public:
    CellGrid() = default;
    CellGrid(int cols, int rows);
    int Cols() const { return cols_; }
    int Rows() const { return rows_; }
    const Cell& At(int col, int row) const { return cells_[Index(col, row)]; }

    // Drawing is clipped to the grid and to the clip rectangle.
    void SetClip(const CellRect& clip) { clip_ = clip; }
    CellRect Bounds() const { return CellRect{0, 0, cols_, rows_}; }
    void Put(int col, int row, char32_t ch, const Style& style);
    void Fill(const CellRect& r, char32_t ch, const Style& style);
    // Windows-1252 text; returns the column after the last character.
    int Text(int col, int row, std::string_view text, const Style& style);
    // A frame of line-drawing characters along the rectangle's edges.
    void Frame(const CellRect& r, const Style& style);
    // Sets attributes on cells already drawn.
    void AddAttr(const CellRect& r, uint8_t attr);

    // The grid's text, one line per row, trailing blanks kept; for tests and logs.
    std::string RowText(int row) const;

private:
    size_t Index(int col, int row) const { return static_cast<size_t>(row) * cols_ + col; }
    bool Visible(int col, int row) const;

    int cols_ = 0, rows_ = 0;
    CellRect clip_{};
    std::vector<Cell> cells_;
};

// The Unicode character of a Windows-1252 byte.
char32_t FromCp1252(unsigned char c);
void AppendUtf8(std::string& out, char32_t ch);

} // namespace qv::desktop::tty
