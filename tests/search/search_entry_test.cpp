#include "search/search_entry.h"

#include <gtest/gtest.h>
#include <string>
#include "settings/settings.h"

namespace {

std::u16string Flip(std::u16string s)
{
    FlipReadingOrder16(s.data(), static_cast<int>(s.size()));
    return s;
}

std::string Stored(std::u16string box, int32_t base)
{
    uint8_t pattern[SEARCH_PATTERN_MAX + 1];
    BoxTextToPattern(box.data(), base, pattern);
    return reinterpret_cast<const char*>(pattern);
}

std::u16string Shown(const char* pattern, int32_t base)
{
    char16_t box[SEARCH_PATTERN_MAX + 1];
    PatternToBoxText(reinterpret_cast<const uint8_t*>(pattern), base, box);
    return box;
}

}  // namespace

TEST(SearchEntry, KeysBecomeLettersOfEitherBase)
{
    EXPECT_EQ(TranslateKey(u't', 0x5D0), u'\u05D0');
    EXPECT_EQ(TranslateKey(u'T', 0x5D0), u'\u05D0');
    EXPECT_EQ(TranslateKey(u',', 0x5D0), u'\u05EA');
    EXPECT_EQ(TranslateKey(u't', 224), u'\u00E0');
    EXPECT_EQ(TranslateKey(u'q', 224), u'/');
    EXPECT_EQ(TranslateKey(u'\'', 0x5D0), u',');
    EXPECT_EQ(TranslateKey(u' ', 0x5D0), u' ');
    EXPECT_EQ(TranslateKey(u'*', 0x5D0), u'*');
    // Left to the edit box.
    EXPECT_EQ(TranslateKey(u'7', 0x5D0), 0);
    EXPECT_EQ(TranslateKey(u'\b', 0x5D0), 0);
}

TEST(SearchEntry, PictureGridRightToLeft)
{
    EXPECT_EQ(PictureKeyAt(153 - 17, 0), 1);
    EXPECT_EQ(PictureKeyAt(0, 0), 9);
    EXPECT_EQ(PictureKeyAt(8 * 17, 30), 10);
    EXPECT_EQ(PictureKeyAt(0, 74), 27);
    EXPECT_EQ(PictureKeyAt(2 * 17, 80), PICTURE_SPACE_KEY);
    EXPECT_EQ(PictureKeyAt(7 * 17 - 1, 94), PICTURE_SPACE_KEY);
    EXPECT_EQ(PictureKeyAt(7 * 17, 80), PICTURE_NO_KEY);
    EXPECT_EQ(PictureKeyAt(-1, 0), PICTURE_NO_KEY);
    EXPECT_EQ(PictureKeyAt(0, 95), PICTURE_NO_KEY);
    EXPECT_EQ(PictureKeyAt(154, 0), PICTURE_NO_KEY);
    // The 154th column is no key, not the space or the row above's letter.
    EXPECT_EQ(PictureKeyAt(153, 0), PICTURE_NO_KEY);
    EXPECT_EQ(PictureKeyAt(153, 30), PICTURE_NO_KEY);
    // Picture order: the final forms follow their letters.
    EXPECT_EQ(PictureKeyChar(1, 0x5D0), u'\u05D0');
    EXPECT_EQ(PictureKeyChar(11, 0x5D0), u'\u05DB');
    EXPECT_EQ(PictureKeyChar(12, 0x5D0), u'\u05DA');
    EXPECT_EQ(PictureKeyChar(27, 224), u'\u00FA');
    EXPECT_EQ(PictureKeyChar(0, 224), u' ');
    EXPECT_EQ(PictureKeyChar(28, 224), 0);
}

// A screen reader is told where each key lies: the box and the hit test agree
// on every key, to the box's last pixel.
TEST(SearchEntry, PictureKeyBoxesHitTheirKeys)
{
    for (int key = 0; key <= PICTURE_KEYS; ++key) {
        PictureBox b = {};
        ASSERT_TRUE(PictureKeyBox(key, &b)) << key;
        for (int x : {b.left, (b.left + b.right) / 2, b.right - 1})
            for (int y : {b.top, b.bottom - 1}) EXPECT_EQ(PictureKeyAt(x, y), key) << key << " " << x << "," << y;
        EXPECT_NE(PictureKeyAt(b.right, b.top), key);
    }
    PictureBox none = {};
    EXPECT_FALSE(PictureKeyBox(PICTURE_KEYS + 1, &none));
    EXPECT_FALSE(PictureKeyBox(PICTURE_NO_KEY, &none));
}

TEST(SearchEntry, ReadingOrderBoxRoundTrip)
{
    EXPECT_EQ(Flip(u"\u05D0(\u05D1) 123"), u"123 (\u05D1)\u05D0");
    EXPECT_EQ(Flip(Flip(u"a12b[3]")), u"a12b[3]");
    // Reading order in the box, display order in the pattern.
    EXPECT_EQ(Stored(u"\u05D0\u05E0 12", 0x5D0), "12 qa");
    EXPECT_EQ(Shown("12 qa", 0x5D0), u"\u05D0\u05E0 12");
    // The code-page and Latin bases keep the box in display order.
    EXPECT_EQ(Stored(u"12 \u00F0\u00E0", 224), "12 qa");
    EXPECT_EQ(Shown("12 qa", 224), u"12 \u00F0\u00E0");
    EXPECT_EQ(Shown("qa", 97), u"qa");
    // Shown without the Reverse mode, so opening and pressing Enter keeps it.
    g_settings.Flags |= FLAG_REVERSE;
    EXPECT_EQ(Stored(Shown("q(a", 224), 224), "q(a");
    g_settings.Flags &= ~FLAG_REVERSE;
}
