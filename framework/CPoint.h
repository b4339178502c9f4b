// A point that handlers receive by value (mouse messages carry one in client coordinates).
#pragma once
#include <windows.h>

class CPoint : public POINT {
public:
    CPoint() : POINT{0, 0} {}
    CPoint(int nX, int nY) : POINT{nX, nY} {}
    CPoint(POINT pt) : POINT(pt) {}

    friend bool operator==(const CPoint& a, const CPoint& b) { return a.x == b.x && a.y == b.y; }
};
