#include "fonts/font_choice.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::vector<int32_t> Sizes(int32_t stored)
{
    int32_t sizes[SIZE_LIST_MAX];
    int n = SizeList(stored, sizes);
    return std::vector<int32_t>(sizes, sizes + n);
}

std::u16string Sample(int32_t base)
{
    char16_t text[SAMPLE_LETTERS + 1];
    SampleAlphabet(base, text);
    return text;
}

}  // namespace

TEST(FontChoice, SizeListAroundTheStoredSize)
{
    const std::vector<int32_t> table = {10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 32, 52, 72};
    EXPECT_EQ(Sizes(0), table);
    EXPECT_EQ(Sizes(16), table);
    EXPECT_EQ(Sizes(100), table);
    std::vector<int32_t> with13 = {10, 11, 12, 13, 14, 16, 18, 20, 22, 24, 26, 28, 32, 52, 72};
    EXPECT_EQ(Sizes(13), with13);
    EXPECT_EQ(Sizes(8).front(), 8);
    EXPECT_EQ(Sizes(60)[13], 60);
}

TEST(FontChoice, SampleAlphabetForEachBase)
{
    std::u16string cp1255 = Sample(224);
    EXPECT_EQ(cp1255.size(), 27u);
    EXPECT_EQ(cp1255.front(), u'\u00FA');
    EXPECT_EQ(cp1255.back(), u'\u00E0');
    // The Unicode letters in reading order: the field puts alef at the right.
    std::u16string unicode = Sample(0x5D0);
    EXPECT_EQ(unicode.front(), u'\u05D0');
    EXPECT_EQ(unicode.back(), u'\u05EA');
    EXPECT_EQ(Sample(97).front(), u'{');
}
