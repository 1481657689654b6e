#pragma once

// A rectangle of grid cells, columns left to right and rows top to bottom,
// both ends included; -1 everywhere names no cells.
struct CGridRange
{
    int m_nLeft = -1;
    int m_nTop = -1;
    int m_nRight = -1;
    int m_nBottom = -1;

    CGridRange() = default;
    CGridRange(int nLeft, int nTop, int nRight, int nBottom)
        : m_nLeft(nLeft), m_nTop(nTop), m_nRight(nRight), m_nBottom(nBottom)
    {
    }

    bool IsEmpty() const { return m_nLeft < 0 || m_nTop < 0 || m_nRight < m_nLeft || m_nBottom < m_nTop; }
    bool operator==(const CGridRange& other) const
    {
        return m_nLeft == other.m_nLeft && m_nTop == other.m_nTop && m_nRight == other.m_nRight &&
               m_nBottom == other.m_nBottom;
    }
    bool operator!=(const CGridRange& other) const { return !(*this == other); }
};
