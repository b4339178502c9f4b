// A size: what text measuring returns.
#pragma once
#include <windows.h>

class CSize : public SIZE {
public:
    CSize() : SIZE{0, 0} {}
    CSize(int cx, int cy) : SIZE{cx, cy} {}
    CSize(SIZE size) : SIZE(size) {}

    friend bool operator==(const CSize& a, const CSize& b) { return a.cx == b.cx && a.cy == b.cy; }
};
