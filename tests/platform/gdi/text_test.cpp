// Fonts and text: measuring agrees with drawing, Windows height rules, DrawTextA layout.
#include "memory_canvas.h"

#include <string>

namespace {

HFONT MakeFont(const char* face, int height, int weight = FW_NORMAL) {
    return CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, face);
}

class Text : public MemoryCanvas {
protected:
    void Use(HFONT newFont) {
        font = newFont;
        old = SelectObject(dc, font);
        GetTextMetricsA(dc, &tm);
    }
    void TearDown() override {
        if (font) {
            SelectObject(dc, old);
            DeleteObject(font);
        }
        MemoryCanvas::TearDown();
    }
    SIZE Extent(const std::string& s) {
        SIZE size{};
        EXPECT_TRUE(GetTextExtentPoint32A(dc, s.c_str(), static_cast<int>(s.size()), &size));
        return size;
    }
    HFONT font = nullptr;
    HGDIOBJ old = nullptr;
    TEXTMETRICA tm{};
};

TEST_F(Text, ExtentIsTheSumOfTheCharacterAdvances) {
    struct Case {
        const char* face;
        int height;
        int weight;
    };
    const Case fonts[] = {{"Arial", -11, FW_NORMAL}, {"Arial", 14, FW_BOLD},
                          {"MS Shell Dlg", -11, FW_NORMAL}, {"Tahoma", -13, FW_NORMAL}};
    const std::string texts[] = {"Quorva Velocitor", "AVAWAY To ff fi", "Traffic: 12 345 B/s",
                                 "caf\xe9 \x80 5"};
    for (const Case& f : fonts) {
        HFONT made = MakeFont(f.face, f.height, f.weight);
        HGDIOBJ previous = SelectObject(dc, made);
        for (const std::string& s : texts) {
            SCOPED_TRACE(std::string(f.face) + " / " + s);
            LONG sum = 0;
            for (char c : s)
                sum += Extent(std::string(1, c)).cx;
            EXPECT_EQ(Extent(s).cx, sum);
            EXPECT_GT(sum, 0);
        }
        SelectObject(dc, previous);
        DeleteObject(made);
    }
}

TEST_F(Text, TextOutPlacesCharactersAtTheirMeasuredAdvances) {
    Use(MakeFont("Arial", -16));
    SetBkMode(dc, TRANSPARENT);
    const std::string s = "HHHH";
    const LONG width = Extent(s).cx;
    EXPECT_TRUE(TextOutA(dc, 5, 3, s.c_str(), static_cast<int>(s.size())));
    const RECT all = Ink();
    Clear();
    EXPECT_TRUE(TextOutA(dc, 5 + width - Extent("H").cx, 3, "H", 1));
    const RECT last = Ink();
    EXPECT_EQ(all.right, last.right);
    EXPECT_GE(all.left, 5);
    EXPECT_LE(all.right, 5 + width);
    EXPECT_GE(all.top, 3);
    EXPECT_LE(all.bottom, 3 + tm.tmAscent);
}

TEST_F(Text, OpaqueModeFillsTheTextCell) {
    Use(MakeFont("Arial", -11));
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, RGB(0, 0, 200));
    TextOutA(dc, 2, 2, "ii", 2);
    EXPECT_EQ(GetPixel(dc, 2, 2), RGB(0, 0, 200));
    EXPECT_EQ(GetPixel(dc, 2 + Extent("ii").cx - 1, 2 + tm.tmHeight - 1), RGB(0, 0, 200));
    EXPECT_EQ(GetPixel(dc, 2 + Extent("ii").cx, 2), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 2, 2 + tm.tmHeight), RGB(255, 255, 255));
}

TEST_F(Text, ArialCellOfFourteenHasLiberationSansMetrics) {
    Use(MakeFont("Arial", 14));
    EXPECT_EQ(tm.tmHeight, 14);
    EXPECT_EQ(tm.tmAscent, 11);
    EXPECT_EQ(tm.tmDescent, 3);
    EXPECT_EQ(Extent("W").cx, 12);
    EXPECT_EQ(Extent("W").cy, 14);
}

TEST_F(Text, NegativeHeightIsTheEmAndPositiveTheCell) {
    for (int height : {-8, -11, -13, -16, -24, 10, 13, 16, 20}) {
        SCOPED_TRACE(height);
        HFONT made = MakeFont("Arial", height);
        HGDIOBJ previous = SelectObject(dc, made);
        TEXTMETRICA metrics{};
        ASSERT_TRUE(GetTextMetricsA(dc, &metrics));
        EXPECT_EQ(metrics.tmHeight, metrics.tmAscent + metrics.tmDescent);
        if (height < 0)
            EXPECT_EQ(metrics.tmHeight - metrics.tmInternalLeading, -height);
        else
            EXPECT_EQ(metrics.tmHeight, height);
        SelectObject(dc, previous);
        DeleteObject(made);
    }
}

TEST_F(Text, AverageWidthIsTheDialogUnitAverageOfTheLetters) {
    Use(MakeFont("MS Shell Dlg", -11));
    const std::string letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    EXPECT_EQ(tm.tmAveCharWidth, (Extent(letters).cx / 26 + 1) / 2);
}

TEST_F(Text, ShellDialogFacesMeasureAsArial) {
    Use(MakeFont("Arial", -11));
    const LONG arial = Extent("Network Traffic").cx;
    for (const char* face : {"MS Shell Dlg", "MS Shell Dlg 2", "MS Sans Serif", "Tahoma"}) {
        HFONT made = MakeFont(face, -11);
        HGDIOBJ previous = SelectObject(dc, made);
        EXPECT_EQ(Extent("Network Traffic").cx, arial) << face;
        SelectObject(dc, previous);
        DeleteObject(made);
    }
}

TEST_F(Text, DrawTextCalcRectMeasuresWithoutDrawing) {
    Use(MakeFont("Arial", -11));
    struct Case {
        const char* text;
        UINT format;
        const char* measuredAs;
    };
    const Case cases[] = {
        {"&File", DT_SINGLELINE, "File"},
        {"A&&B", DT_SINGLELINE, "A&B"},
        {"&File", DT_SINGLELINE | DT_NOPREFIX, "&File"},
        {"Hello world", 0, "Hello world"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        RECT r{4, 6, 5, 7};
        EXPECT_EQ(DrawTextA(dc, c.text, -1, &r, c.format | DT_CALCRECT), tm.tmHeight);
        EXPECT_EQ(r.left, 4);
        EXPECT_EQ(r.top, 6);
        EXPECT_EQ(r.right - r.left, Extent(c.measuredAs).cx);
        EXPECT_EQ(r.bottom - r.top, tm.tmHeight);
    }
    const RECT none = Ink();
    EXPECT_TRUE(Empty(none));
}

TEST_F(Text, DrawTextWrapsAtSpacesAndLines) {
    Use(MakeFont("Arial", -11));
    const LONG twoWords = Extent("alpha beta").cx;
    RECT r{0, 0, twoWords + 2, 0};
    EXPECT_EQ(DrawTextA(dc, "alpha beta gamma", -1, &r, DT_WORDBREAK | DT_CALCRECT),
              2 * tm.tmHeight);
    EXPECT_EQ(r.right, twoWords);
    r = RECT{0, 0, 1000, 0};
    EXPECT_EQ(DrawTextA(dc, "one\ntwo\r\nthree", -1, &r, DT_CALCRECT), 3 * tm.tmHeight);
    EXPECT_EQ(r.right, Extent("three").cx);
    r = RECT{0, 0, 1000, 0};
    EXPECT_EQ(DrawTextA(dc, "no wrap here", -1, &r, DT_WORDBREAK | DT_CALCRECT), tm.tmHeight);
}

TEST_F(Text, DrawTextAlignsAndCentresASingleLine) {
    Use(MakeFont("Arial", -11));
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, RGB(0, 0, 0));
    const LONG width = Extent("Ok").cx;
    RECT r{0, 0, 60, 40};
    const int drawn = DrawTextA(dc, "Ok", 2, &r, DT_SINGLELINE | DT_RIGHT | DT_BOTTOM);
    EXPECT_EQ(drawn, 40);
    const RECT cell = Ink();
    EXPECT_EQ(cell.left, 60 - width);
    EXPECT_EQ(cell.right, 60);
    EXPECT_EQ(cell.top, 40 - tm.tmHeight);
    Clear();
    DrawTextA(dc, "Ok", 2, &r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    const RECT centred = Ink();
    EXPECT_EQ(centred.left, (60 - width) / 2);
    EXPECT_EQ(centred.top, (40 - tm.tmHeight) / 2);
}

TEST_F(Text, MnemonicIsUnderlinedBelowTheBaseline) {
    Use(MakeFont("Arial", -11));
    SetBkMode(dc, TRANSPARENT);
    RECT r{0, 0, kWidth, kHeight};
    DrawTextA(dc, "W", -1, &r, DT_SINGLELINE | DT_NOCLIP);
    const RECT plain = Ink();
    Clear();
    DrawTextA(dc, "&W", -1, &r, DT_SINGLELINE | DT_NOCLIP);
    const RECT underlined = Ink();
    EXPECT_EQ(underlined.top, plain.top);
    EXPECT_GT(underlined.bottom, tm.tmAscent);
    EXPECT_GT(underlined.bottom, plain.bottom);
    EXPECT_LE(underlined.bottom, tm.tmHeight);
}

TEST_F(Text, EndEllipsisKeepsTheLineInsideTheRectangle) {
    Use(MakeFont("Arial", -11));
    SetBkMode(dc, TRANSPARENT);
    const char* text = "A rather long status line that cannot fit";
    RECT r{0, 0, 40, 20};
    DrawTextA(dc, text, -1, &r, DT_SINGLELINE | DT_NOCLIP | DT_END_ELLIPSIS);
    const RECT ink = Ink();
    EXPECT_GT(ink.right, 0);
    EXPECT_LE(ink.right, 40);
    Clear();
    DrawTextA(dc, text, -1, &r, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(Ink().right, 40);
}

} // namespace
