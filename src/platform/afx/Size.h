#pragma once

#include "AfxTypes.h"

class CSize
{
public:
    CSize() = default;
    CSize(int ncx, int ncy) : cx(ncx), cy(ncy) {}
    bool operator==(const CSize& o) const { return cx == o.cx && cy == o.cy; }
    bool operator!=(const CSize& o) const { return !(*this == o); }

    LONG cx = 0;
    LONG cy = 0;
};
