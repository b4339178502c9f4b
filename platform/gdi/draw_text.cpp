// DrawTextA: formatted text in a rectangle, with wrapping, alignment, mnemonics and ellipses.
#include "gdi/text.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

using namespace qv::gdi;

namespace {

// A line as it is drawn: its characters and the ones underlined as mnemonics.
struct Line {
    std::string text;
    std::vector<size_t> underlined;
};

// Removes the '&' prefixes: "&x" underlines x, "&&" is one '&'.
Line StripPrefixes(std::string_view text, bool underline) {
    Line line;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            line.text += text[i];
            continue;
        }
        if (i + 1 >= text.size())
            break;
        if (text[i + 1] == '&') {
            line.text += '&';
            ++i;
        } else if (underline) {
            line.underlined.push_back(line.text.size());
        }
    }
    return line;
}

class Layout {
public:
    Layout(fonts::RealizedFont& font, int tabWidth) : font_(font), tabWidth_(tabWidth) {}

    // Width with tabs advanced to the next stop when they are expanded.
    int Width(std::string_view text) const {
        int x = 0;
        for (unsigned char c : text)
            x = c == '\t' && tabWidth_ > 0 ? (x / tabWidth_ + 1) * tabWidth_ : x + font_.Advance(c);
        return x;
    }

    // Splits at spaces so that each line fits the width; a word wider than the width stays whole.
    std::vector<Line> Wrap(const Line& line, int width) const {
        std::vector<Line> out;
        const std::string& s = line.text;
        size_t start = 0;
        do {
            size_t fit = std::string::npos;
            size_t i = start;
            while (i < s.size()) {
                while (i < s.size() && s[i] == ' ')
                    ++i;
                while (i < s.size() && s[i] != ' ')
                    ++i;
                if (fit != std::string::npos && Width(Trimmed(s, start, i)) > width)
                    break;
                fit = i;
            }
            if (fit == std::string::npos)
                fit = s.size();
            out.push_back(Slice(line, start, fit));
            start = fit;
            while (start < s.size() && s[start] == ' ')
                ++start;
        } while (start < s.size());
        return out;
    }

    // Cuts the end of a line that is too wide and puts "..." in its place.
    void Ellipsize(Line& line, int width) const {
        if (Width(line.text) <= width)
            return;
        const int dots = Width("...");
        while (!line.text.empty() && Width(line.text) + dots > width)
            line.text.pop_back();
        std::erase_if(line.underlined, [&](size_t i) { return i >= line.text.size(); });
        line.text += "...";
    }

private:
    static std::string_view Trimmed(const std::string& s, size_t begin, size_t end) {
        while (end > begin && s[end - 1] == ' ')
            --end;
        return std::string_view(s).substr(begin, end - begin);
    }

    static Line Slice(const Line& line, size_t begin, size_t end) {
        Line part{std::string(Trimmed(line.text, begin, end)), {}};
        for (size_t i : line.underlined)
            if (i >= begin && i < begin + part.text.size())
                part.underlined.push_back(i - begin);
        return part;
    }

    fonts::RealizedFont& font_;
    int tabWidth_;
};

// Draws a line piece by piece between its tabs, so that each piece starts at its tab stop.
void DrawLine(Dc& dc, const Canvas& canvas, fonts::RealizedFont& font, const Layout& layout,
              const Line& line, int x, int y, bool expandTabs) {
    size_t begin = 0;
    while (begin <= line.text.size()) {
        size_t end = expandTabs ? line.text.find('\t', begin) : std::string::npos;
        if (end == std::string::npos)
            end = line.text.size();
        Run run{std::string_view(line.text).substr(begin, end - begin),
                x + layout.Width(std::string_view(line.text).substr(0, begin)), y, nullptr, {}};
        for (size_t i : line.underlined)
            if (i >= begin && i < end)
                run.underlined.push_back(i - begin);
        if (!run.text.empty())
            DrawRun(dc, canvas, font, run);
        begin = end + 1;
    }
}

} // namespace

int WINAPI DrawTextA(HDC hdc, LPCSTR lpchText, int cchText, LPRECT lprc, UINT format) {
    auto lock = LockGdi();
    Dc* dc = FindDc(hdc);
    if (!dc || !lprc || !lpchText)
        return 0;
    fonts::RealizedFont* font = FontOf(*dc);
    if (!font)
        return 0;
    const std::string_view text(lpchText, cchText < 0 ? std::strlen(lpchText) : cchText);
    int tabChars = 8;
    if (format & DT_TABSTOP) {
        tabChars = format >> 8 & 0xFF;
        format &= ~0xFF00u;
    }
    const fonts::Metrics& m = font->GetMetrics();
    const bool expandTabs = format & DT_EXPANDTABS;
    const Layout layout(*font, expandTabs ? std::max(1, tabChars * m.aveCharWidth) : 0);
    const int width = lprc->right - lprc->left;
    const bool single = format & DT_SINGLELINE;

    if (text.empty()) {
        if (format & DT_CALCRECT) {
            lprc->right = lprc->left;
            lprc->bottom = lprc->top;
        }
        return 0;
    }

    std::vector<Line> lines;
    size_t start = 0;
    while (true) {
        size_t end = single ? std::string_view::npos : text.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = text.size();
        const Line line = format & DT_NOPREFIX
                              ? Line{std::string(text.substr(start, end - start)), {}}
                              : StripPrefixes(text.substr(start, end - start),
                                              !(format & DT_HIDEPREFIX));
        if ((format & DT_WORDBREAK) && !single) {
            for (Line& part : layout.Wrap(line, width))
                lines.push_back(std::move(part));
        } else {
            lines.push_back(line);
        }
        if (end >= text.size())
            break;
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    if (format & DT_END_ELLIPSIS)
        for (Line& line : lines)
            layout.Ellipsize(line, width);

    const int lineHeight = m.height + ((format & DT_EXTERNALLEADING) ? m.externalLeading : 0);
    const int height = lineHeight * static_cast<int>(lines.size());
    int y = lprc->top;
    if (single && (format & DT_VCENTER))
        y = lprc->top + (lprc->bottom - lprc->top - height) / 2;
    else if (single && (format & DT_BOTTOM))
        y = lprc->bottom - height;

    if (format & DT_CALCRECT) {
        int widest = 0;
        for (const Line& line : lines)
            widest = std::max(widest, layout.Width(line.text));
        lprc->right = lprc->left + widest;
        lprc->bottom = lprc->top + height;
        return height;
    }

    const Canvas canvas = (format & DT_NOCLIP) ? CanvasOf(*dc) : CanvasOf(*dc).ClippedTo(*lprc);
    int lineTop = y;
    for (const Line& line : lines) {
        const int lineWidth = layout.Width(line.text);
        int x = lprc->left;
        if (format & DT_CENTER)
            x = lprc->left + (width - lineWidth) / 2;
        else if (format & DT_RIGHT)
            x = lprc->right - lineWidth;
        DrawLine(*dc, canvas, *font, layout, line, x, lineTop, expandTabs);
        lineTop += lineHeight;
    }
    return y - lprc->top + height;
}
