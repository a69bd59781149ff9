#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "settings/settings.h"
#include "text/text_format.h"

namespace {

class MapToDisplayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_settings = {};
        g_settings.FontAsciiBase = DEFAULT_ASCII_BASE;
    }
    void TearDown() override { ReleaseConversionBuffer(); }

    std::u16string Map(const char* bytes, int count)
    {
        const char16_t* s = MapToDisplay(reinterpret_cast<const uint8_t*>(bytes), &g_conversionBuffer, count);
        return s ? std::u16string(s) : u"<none>";
    }
};

TEST_F(MapToDisplayTest, LetterCodeTable)
{
    EXPECT_EQ(Map("a{|}~", 5), std::u16string({0x5D0, 0x5EA, u'|', u'}', u'{'}));
    g_settings.FontAsciiBase = LETTER_BASE_CP1255;
    EXPECT_EQ(Map("ab", 2), std::u16string({0xE0, 0xE1}));
    EXPECT_EQ(Map("\x80\xff", 2), std::u16string({0x80, 0xFF}));
}

TEST_F(MapToDisplayTest, LatinBaseIgnoresReverse)
{
    g_settings.FontAsciiBase = LETTER_BASE_LATIN;
    EXPECT_EQ(Map("ab(c", 4), u"ab(c");
    g_settings.Flags = FLAG_REVERSE;
    EXPECT_EQ(Map("ab(c", 4), u"ab(c");
}

TEST_F(MapToDisplayTest, ReverseMirrorsBrackets)
{
    g_settings.Flags = FLAG_REVERSE;
    EXPECT_EQ(Map("a(b", 3), std::u16string({0x5D1, u')', 0x5D0}));
    EXPECT_EQ(Map("[~]", 3), u"[}]");
    EXPECT_EQ(Map("x(y", 0), u"");
}

TEST_F(MapToDisplayTest, StopsAtZeroAndReversesOnlyWhatWasWritten)
{
    EXPECT_EQ(Map("ab\0cd", 5), std::u16string({0x5D0, 0x5D1}));
    // A count past the run's end must not drag the terminator to the front.
    g_settings.Flags = FLAG_REVERSE;
    EXPECT_EQ(Map("ab\0cd", 5), std::u16string({0x5D1, 0x5D0}));
}

TEST_F(MapToDisplayTest, SharedBufferGrowsAndIsReused)
{
    Map("abc", 3);
    char16_t* first = g_conversionBuffer.chars;
    EXPECT_EQ(g_conversionBuffer.capacity, 3);
    Map("a", 1);
    EXPECT_EQ(g_conversionBuffer.chars, first);
    std::string longer(300, 'b');
    EXPECT_EQ(Map(longer.c_str(), 300).size(), 300u);
    EXPECT_EQ(g_conversionBuffer.capacity, 300);
}

TEST_F(MapToDisplayTest, WithoutBufferTheCallerOwnsTheResult)
{
    char16_t* s = MapToDisplay(reinterpret_cast<const uint8_t*>("ab"), nullptr, 2);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(std::u16string(s), std::u16string({0x5D0, 0x5D1}));
    EXPECT_EQ(g_conversionBuffer.chars, nullptr);
    free(s);
}

TEST(MirrorReverse, OddAndEvenRuns)
{
    std::u16string odd = u"a(b)c[";
    odd.pop_back();
    MirrorReverse(odd.data(), 5);
    EXPECT_EQ(odd, u"c(b)a");
    std::u16string mid = u"x{y";
    MirrorReverse(mid.data(), 3);
    EXPECT_EQ(mid, u"y}x");
    std::u16string one = u"]";
    MirrorReverse(one.data(), 1);
    EXPECT_EQ(one, u"[");
}

}  // namespace
