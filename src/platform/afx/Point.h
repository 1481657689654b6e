#pragma once

#include "AfxTypes.h"

class CPoint : public POINT
{
public:
    CPoint() = default;
    CPoint(int nx, int ny)
    {
        x = nx;
        y = ny;
    }
    bool operator==(const CPoint& o) const { return x == o.x && y == o.y; }
    bool operator!=(const CPoint& o) const { return !(*this == o); }
};
