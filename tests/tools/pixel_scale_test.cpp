// The art tools' scaler: sizes, no new colours, smoothed diagonals.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "tools/pixel_scale.h"

namespace {

using Map = std::vector<std::string>;

std::set<char> Letters(const Map& m)
{
    std::set<char> s;
    for (const auto& row : m) s.insert(row.begin(), row.end());
    return s;
}

TEST(PixelScale, SizesAndColoursAreKept)
{
    const Map art = {"-kk-", "kRRk", "-kk-"};
    for (int factor : {2, 3}) {
        Map big = ScalePixelMap(art, factor);
        ASSERT_EQ(big.size(), art.size() * factor);
        for (const auto& row : big) EXPECT_EQ(row.size(), art[0].size() * factor);
        EXPECT_EQ(Letters(big), Letters(art));
    }
    EXPECT_EQ(ScalePixelMap(art, 1), art);
    EXPECT_EQ(ScalePixelMap(art, 4), art);
}

TEST(PixelScale, FlatAreasAndLonePixelsBecomeBlocks)
{
    // A lone pixel has no diagonal to follow: a full block, also at the edge.
    EXPECT_EQ(ScalePixelMap({"k"}, 2), (Map{"kk", "kk"}));
    EXPECT_EQ(ScalePixelMap({"www", "wkw", "www"}, 3)[4], "wwwkkkwww");
}

TEST(PixelScale, DiagonalStepsAreSmoothed)
{
    // A staircase: the corner the two ink pixels share is filled, not a step.
    const Map stairs = {"kw", "wk"};
    Map big = ScalePixelMap(stairs, 2);
    EXPECT_EQ(big[1][2], 'k');   // inner corner of the top pixel's neighbour
    EXPECT_EQ(big[2][1], 'k');
    EXPECT_EQ(big[0][3], 'w');   // outer corners stay paper
    EXPECT_EQ(big[3][0], 'w');
}

}  // namespace
