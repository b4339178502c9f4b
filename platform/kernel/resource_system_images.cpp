// The pictures of the system's icons and cursors, drawn in the classic style. On Windows they
// are resources of the system's own modules; here they are drawn once, by code.
#include "kernel/resources.h"

#include <cmath>
#include <initializer_list>

namespace qv::kernel {

namespace {

constexpr int kSize = 32;
constexpr uint32_t kBlack = 0xFF000000;
constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kGrey = 0xFFC0C0C0;
constexpr uint32_t kNavy = 0xFF000080;
constexpr uint32_t kBlue = 0xFF0000FF;
constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kDarkRed = 0xFF800000;
constexpr uint32_t kYellow = 0xFFFFFF00;

struct Point {
    double x, y;
};

// A 32 by 32 picture with the few shapes the system pictures are made of; a shape covers the
// pixels whose centres lie inside it.
class Canvas {
public:
    Canvas() { image_.width = image_.height = kSize, image_.pixels.assign(kSize * kSize, 0); }

    gdi::IconImage Take() { return std::move(image_); }

    void Rect(int left, int top, int right, int bottom, uint32_t colour) {
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                Set(x, y, colour);
            }
        }
    }

    void Circle(double cx, double cy, double r, uint32_t colour) {
        Each([&](double x, double y) { return std::hypot(x - cx, y - cy) <= r; }, colour);
    }

    void Polygon(std::initializer_list<Point> points, uint32_t colour) {
        Each([&](double x, double y) {
            bool inside = false;
            const Point* last = points.end() - 1;
            for (const Point& p : points) {
                if ((p.y > y) != (last->y > y) &&
                    x < (last->x - p.x) * (y - p.y) / (last->y - p.y) + p.x) {
                    inside = !inside;
                }
                last = &p;
            }
            return inside;
        }, colour);
    }

    void Line(Point a, Point b, double width, uint32_t colour) {
        Each([&](double x, double y) {
            double dx = b.x - a.x, dy = b.y - a.y;
            double t = ((x - a.x) * dx + (y - a.y) * dy) / (dx * dx + dy * dy);
            t = t < 0 ? 0 : t > 1 ? 1 : t;
            return std::hypot(x - a.x - t * dx, y - a.y - t * dy) <= width / 2;
        }, colour);
    }

    // A glyph from rows of '#', each cell scale pixels square, with its top left at (left, top).
    void Glyph(std::initializer_list<const char*> rows, int left, int top, int scale, uint32_t colour) {
        int y = top;
        for (const char* row : rows) {
            for (int i = 0; row[i] != '\0'; ++i) {
                if (row[i] == '#') {
                    Rect(left + i * scale, y, left + (i + 1) * scale, y + scale, colour);
                }
            }
            y += scale;
        }
    }

    // Surrounds everything drawn so far with a one-pixel border, as cursors are drawn.
    void Outline(uint32_t colour) {
        std::vector<uint32_t> before = image_.pixels;
        auto opaque = [&](int x, int y) {
            return x >= 0 && y >= 0 && x < kSize && y < kSize && before[y * kSize + x] != 0;
        };
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                if (!opaque(x, y) && (opaque(x - 1, y) || opaque(x + 1, y) || opaque(x, y - 1) || opaque(x, y + 1))) {
                    Set(x, y, colour);
                }
            }
        }
    }

private:
    void Set(int x, int y, uint32_t colour) {
        if (x >= 0 && y >= 0 && x < kSize && y < kSize) {
            image_.pixels[y * kSize + x] = colour;
        }
    }

    template <typename Inside>
    void Each(Inside inside, uint32_t colour) {
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                if (inside(x + 0.5, y + 0.5)) {
                    Set(x, y, colour);
                }
            }
        }
    }

    gdi::IconImage image_;
};

// A round sign with a white symbol, as the error, information and question icons are.
gdi::IconImage RoundSign(uint32_t rim, uint32_t fill, std::initializer_list<const char*> symbol, int left) {
    Canvas c;
    c.Circle(16, 16, 15, rim);
    c.Circle(16, 16, 13.5, fill);
    c.Glyph(symbol, left, 7, 2, kWhite);
    return c.Take();
}

gdi::IconImage Application() {
    Canvas c;
    c.Rect(2, 4, 30, 28, kBlack);
    c.Rect(3, 5, 29, 27, kWhite);
    c.Rect(3, 5, 29, 10, kNavy);
    c.Rect(24, 6, 28, 9, kGrey);
    return c.Take();
}

gdi::IconImage Error() {
    Canvas c;
    c.Circle(16, 16, 15, kDarkRed);
    c.Circle(16, 16, 13.5, kRed);
    c.Line({10, 10}, {22, 22}, 3.5, kWhite);
    c.Line({22, 10}, {10, 22}, 3.5, kWhite);
    return c.Take();
}

gdi::IconImage Warning() {
    Canvas c;
    c.Polygon({{16, 1}, {31, 29}, {1, 29}}, kBlack);
    c.Polygon({{16, 4}, {28.5, 27.5}, {3.5, 27.5}}, kYellow);
    c.Glyph({"##", "##", "##", "##", "##", "", "##"}, 14, 11, 2, kBlack);
    return c.Take();
}

gdi::IconImage Information() {
    return RoundSign(kNavy, kBlue, {"##", "", "", "##", "##", "##", "##", "##", "##"}, 14);
}

gdi::IconImage Question() {
    return RoundSign(kNavy, kBlue,
                     {".####.", "##..##", "....##", "...##.", "..##..", "..##..", "", "..##..", "..##.."}, 10);
}

gdi::IconImage Arrow() {
    Canvas c;
    c.Polygon({{1, 1}, {1, 18}, {5, 14}, {8, 21}, {10.5, 20}, {7.5, 13}, {13, 13}}, kWhite);
    c.Outline(kBlack);
    return c.Take();
}

gdi::IconImage Hand() {
    Canvas c;
    c.Rect(9, 2, 12, 14, kWhite);   // the pointing finger
    c.Rect(12, 9, 21, 14, kWhite);  // the folded fingers
    c.Rect(5, 13, 9, 18, kWhite);   // the thumb
    c.Rect(8, 14, 21, 23, kWhite);  // the palm
    c.Outline(kBlack);
    c.Rect(15, 9, 16, 13, kBlack);
    c.Rect(18, 9, 19, 13, kBlack);
    return c.Take();
}

gdi::IconImage IBeam() {
    Canvas c;
    c.Rect(15, 3, 17, 27, kBlack);
    c.Rect(11, 2, 15, 4, kBlack);
    c.Rect(17, 2, 21, 4, kBlack);
    c.Rect(11, 26, 15, 28, kBlack);
    c.Rect(17, 26, 21, 28, kBlack);
    return c.Take();
}

gdi::IconImage Wait() {
    Canvas c;
    c.Rect(8, 2, 24, 5, kBlack);
    c.Rect(8, 27, 24, 30, kBlack);
    c.Polygon({{10, 5}, {22, 5}, {16, 16}}, kWhite);
    c.Polygon({{16, 16}, {22, 27}, {10, 27}}, kWhite);
    c.Outline(kBlack);
    c.Polygon({{13, 8}, {19, 8}, {16, 13}}, kBlack);
    c.Polygon({{16, 20}, {20, 26}, {12, 26}}, kBlack);
    return c.Take();
}

gdi::IconImage Cross() {
    Canvas c;
    c.Rect(15, 2, 17, 30, kBlack);
    c.Rect(2, 15, 30, 17, kBlack);
    return c.Take();
}

gdi::IconImage No() {
    Canvas c;
    c.Circle(16, 16, 12, kBlack);
    c.Circle(16, 16, 9, 0);
    c.Line({9.5, 9.5}, {22.5, 22.5}, 3, kBlack);
    c.Outline(kWhite);
    return c.Take();
}

gdi::IconImage SizeAll() {
    Canvas c;
    c.Rect(15, 5, 17, 27, kBlack);
    c.Rect(5, 15, 27, 17, kBlack);
    c.Polygon({{16, 1}, {21, 6}, {11, 6}}, kBlack);
    c.Polygon({{16, 31}, {11, 26}, {21, 26}}, kBlack);
    c.Polygon({{1, 16}, {6, 11}, {6, 21}}, kBlack);
    c.Polygon({{31, 16}, {26, 21}, {26, 11}}, kBlack);
    c.Outline(kWhite);
    return c.Take();
}

} // namespace

std::optional<gdi::IconImage> SystemIconImage(WORD ordinal) {
    switch (ordinal) {
    case 32512: return Application();
    case 32513: return Error();
    case 32514: return Question();
    case 32515: return Warning();
    case 32516: return Information();
    default: return std::nullopt;
    }
}

std::optional<gdi::IconImage> SystemCursorImage(WORD ordinal) {
    switch (ordinal) {
    case 32512: return Arrow();
    case 32513: return IBeam();
    case 32514: return Wait();
    case 32515: return Cross();
    case 32646: return SizeAll();
    case 32648: return No();
    case 32649: return Hand();
    default: return std::nullopt;
    }
}

} // namespace qv::kernel
