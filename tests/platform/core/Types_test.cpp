#include "platform/core/Types.h"

#include <gtest/gtest.h>

TEST(Rect, PointInsideIsLeftTopInclusiveRightBottomExclusive)
{
    const TRect r = Rect(10, 20, 30, 40);
    struct Case {
        TPoint p;
        bool inside;
    };
    const Case cases[] = {
        {{10, 20}, true}, {{29, 39}, true}, {{30, 39}, false}, {{29, 40}, false}, {{9, 25}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PtInRect(r, c.p), c.inside) << c.p.X << "," << c.p.Y;
}

TEST(Rect, IntersectionOfDisjointRectanglesIsZero)
{
    TRect out = Rect(1, 2, 3, 4);
    EXPECT_FALSE(IntersectRect(out, Rect(0, 0, 10, 10), Rect(10, 0, 20, 10)));
    EXPECT_EQ(out, TRect{});
    EXPECT_TRUE(IntersectRect(out, Rect(0, 0, 10, 10), Rect(5, 5, 20, 20)));
    EXPECT_EQ(out, Rect(5, 5, 10, 10));
}

TEST(Rect, UnionIgnoresEmptyOperands)
{
    TRect out;
    EXPECT_TRUE(UnionRect(out, Rect(0, 0, 0, 0), Rect(5, 5, 6, 6)));
    EXPECT_EQ(out, Rect(5, 5, 6, 6));
    EXPECT_TRUE(UnionRect(out, Rect(0, 0, 2, 2), Rect(5, 5, 6, 6)));
    EXPECT_EQ(out, Rect(0, 0, 6, 6));
}
