#include <gtest/gtest.h>

#include "text/zoom.h"

namespace {

// In and out retrace each other over the whole range, each step about a
// tenth (whole points below 10), and the ends hold.
TEST(Zoom, LadderRetracesAndStopsAtTheEnds)
{
    int32_t size = ZOOM_MIN_POINTS;
    int steps = 0;
    while (size < ZOOM_MAX_POINTS) {
        int32_t up = ZoomedSize(size, 1);
        ASSERT_GT(up, size);
        EXPECT_LE(up - size, size >= 10 ? size * 15 / 100 : 1) << size;
        EXPECT_EQ(ZoomedSize(up, -1), size);
        size = up;
        ++steps;
    }
    EXPECT_GT(steps, 15);
    EXPECT_EQ(ZoomedSize(ZOOM_MAX_POINTS, 1), ZOOM_MAX_POINTS);
    EXPECT_EQ(ZoomedSize(ZOOM_MIN_POINTS, -1), ZOOM_MIN_POINTS);
}

// Sizes off the ladder (the Font dialog's 15, the face default 0, sizes
// beyond the ends) step to a neighbour the right way, never the wrong one.
TEST(Zoom, SizesOffTheLadder)
{
    EXPECT_EQ(ZoomedSize(15, 1), 16);
    EXPECT_EQ(ZoomedSize(15, -1), 14);
    EXPECT_EQ(ZoomedSize(0, 1), 13);
    EXPECT_EQ(ZoomedSize(0, -1), 11);
    EXPECT_EQ(ZoomedSize(80, 1), 80);
    EXPECT_EQ(ZoomedSize(80, -1), 72);
    EXPECT_EQ(ZoomedSize(3, -1), 3);
    EXPECT_EQ(ZoomedSize(3, 1), 6);
    EXPECT_TRUE(IsKeepableSize(0));
    EXPECT_FALSE(IsKeepableSize(-4));
    EXPECT_FALSE(IsKeepableSize(100000));
}

}  // namespace
