#include <gtest/gtest.h>

#include "text/colours.h"

namespace {

// The constants aim at the thresholds the drawn pages are measured against
// on Windows; stored choices other than 1 and 2 mean Paper.
TEST(Colours, SetsMeetTheirContrastAndOddChoicesArePaper)
{
    EXPECT_NEAR(ContrastRatio(Rgb(0, 0, 0), Rgb(255, 255, 255)), 21.0, 1e-9);
    EXPECT_NEAR(ContrastRatio(Rgb(255, 255, 255), Rgb(255, 255, 255)), 1.0, 1e-9);
    for (int32_t choice : {COLOURS_PAPER, COLOURS_SEPIA, COLOURS_NIGHT}) {
        const ColourSet& c = ColourSetOf(choice);
        EXPECT_GE(ContrastRatio(c.text, c.page), 7.0) << choice;
        EXPECT_GE(ContrastRatio(c.heading, c.page), 4.5) << choice;
        EXPECT_GE(ContrastRatio(c.bandText, c.band), 7.0) << choice;
        EXPECT_GE(ContrastRatio(c.highlightText, c.highlightBack), 4.5) << choice;
        EXPECT_GE(ContrastRatio(c.bannerText, c.bannerBack), 3.0) << choice;
        // A hit must stand out from the page around it.
        EXPECT_GE(ContrastRatio(c.highlightBack, c.page), choice == COLOURS_PAPER ? 1.0 : 1.4) << choice;
    }
    for (int32_t odd : {-1, 3, 0x7FFFFFFF})
        EXPECT_EQ(&ColourSetOf(odd), &ColourSetOf(COLOURS_PAPER));
    EXPECT_EQ(ColourSetOf(COLOURS_PAPER).page, Rgb(255, 255, 255));
    EXPECT_EQ(ColourSetOf(COLOURS_PAPER).heading, Rgb(0, 0, 255));
}

}  // namespace
