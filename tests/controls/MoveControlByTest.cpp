#include "controls/MoveControlBy.h"

#include "afx/Static.h"

#include <gtest/gtest.h>

namespace
{
struct AnchorCase
{
    int nAnchor;
    CRect expected;
};

CRect PlaceOf(CWnd& control, CWnd& parent)
{
    CRect rect;
    control.GetWindowRect(&rect);
    parent.ScreenToClient(&rect);
    return rect;
}
} // namespace

TEST(MoveControlBy, EveryAnchorCombinationMovesTheRightEdges)
{
    CWnd parent;
    ASSERT_TRUE(parent.Create(nullptr, "parent", WS_POPUP, CRect(0, 0, 400, 300), nullptr, 0));
    const CRect start(10, 20, 110, 60);
    const int dx = 30;
    const int dy = -5;
    for (int anchor = 0; anchor < 16; ++anchor)
    {
        CStatic control;
        ASSERT_TRUE(control.Create("x", WS_CHILD | WS_VISIBLE, start, &parent, 100));
        MoveControlBy(&control, &parent, dx, dy, anchor);
        CRect expected = start;
        if (anchor & ANCHOR_RIGHT)
            expected.right += dx;
        if (anchor & ANCHOR_BOTTOM)
            expected.bottom += dy;
        if (anchor & ANCHOR_MOVE_RIGHT)
            expected.OffsetRect(dx, 0);
        if (anchor & ANCHOR_MOVE_DOWN)
            expected.OffsetRect(0, dy);
        EXPECT_EQ(PlaceOf(control, parent), expected) << "anchor " << anchor;
        control.DestroyWindow();
    }
}

TEST(MoveControlBy, NamedCombinationsAndMissingControls)
{
    CWnd parent;
    ASSERT_TRUE(parent.Create(nullptr, "parent", WS_POPUP, CRect(0, 0, 400, 300), nullptr, 0));
    CStatic control;
    ASSERT_TRUE(control.Create("x", WS_CHILD | WS_VISIBLE, CRect(10, 20, 110, 60), &parent, 100));
    MoveControlBy(&control, &parent, 5, 7, 3); // stretches both ways
    EXPECT_EQ(PlaceOf(control, parent), CRect(10, 20, 115, 67));
    MoveControlBy(&control, &parent, 5, 7, 12); // follows the bottom-right corner
    EXPECT_EQ(PlaceOf(control, parent), CRect(15, 27, 120, 74));
    MoveControlBy(parent.GetDlgItem(999), &parent, 5, 7, 3); // no such control: nothing happens
    EXPECT_EQ(PlaceOf(control, parent), CRect(15, 27, 120, 74));
}
