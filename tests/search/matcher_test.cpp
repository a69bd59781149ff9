#include "search/matcher.h"

#include <gtest/gtest.h>
#include <cstdlib>
#include <string>
#include "settings/settings.h"
#include "tests/search/lesson_builder.h"

namespace {

// Index of the match's last byte in text, or -1; length through *length.
int Match(const std::string& text, const std::string& pattern, uint16_t* length)
{
    const uint8_t* lower = Bytes(text);
    const uint8_t* hit = MatchBackward(lower, Bytes(pattern), lower + text.size() - 1, length);
    return hit ? static_cast<int>(hit - lower) : -1;
}

// The matching rules read as plainly as possible, one candidate at a time:
// the yardstick for the scan that sifts candidates sixteen at a time.
long PlainMatch(const std::string& t, const std::string& p, long from, uint16_t* length)
{
    long n = static_cast<long>(p.size());
    for (long e = from; e >= 0; --e) {
        if (t[e] != p[n - 1]) continue;
        long j = n - 2, k = e - 1;
        for (; j >= 0; --j, --k) {
            if (k < 0) break;
            if (t[k] == p[j] || p[j] == '?') continue;
            if (p[j] != '*') break;
            uint16_t prefixLength = 0;
            long prefixEnd = PlainMatch(t, p.substr(0, j), k, &prefixLength);
            if (prefixEnd < 0) return -1;
            *length = static_cast<uint16_t>(e - (prefixEnd - prefixLength + 1) + 1);
            return e;
        }
        if (j < 0) {
            *length = static_cast<uint16_t>(e - k);
            return e;
        }
    }
    return -1;
}

std::string Pattern(const std::u16string& text, int32_t base)
{
    uint8_t out[SEARCH_PATTERN_MAX + 1];
    ConvertSearchTextTo(text.c_str(), base, out);
    return reinterpret_cast<const char*>(out);
}

}  // namespace

TEST(MatchBackward, LiteralAndSingleWildcard)
{
    uint16_t length = 0;
    EXPECT_EQ(Match("xabyab", "ab", &length), 5);
    EXPECT_EQ(length, 2);
    EXPECT_EQ(Match("abc", "a?c", &length), 2);
    EXPECT_EQ(length, 3);
    EXPECT_EQ(Match("ac", "a?c", &length), -1);
    // Exact bytes: no folding between letters and Latin capitals.
    EXPECT_EQ(Match("ABC", "abc", &length), -1);
}

TEST(MatchBackward, GapRules)
{
    uint16_t length = 0;
    EXPECT_EQ(Match("abbc", "a*c", &length), 3);
    EXPECT_EQ(length, 4);
    EXPECT_EQ(Match("ac", "a*c", &length), 1);
    EXPECT_EQ(length, 2);
    // The prefix nearest the gap decides the start.
    EXPECT_EQ(Match("axaybc", "a*c", &length), 5);
    EXPECT_EQ(length, 4);
    // Two gaps: the rightmost is handled first, the prefix's own gap after.
    EXPECT_EQ(Match("aqbqc", "a*b*c", &length), 4);
    EXPECT_EQ(length, 5);
    // No prefix at or below the gap ends the search at once.
    EXPECT_EQ(Match("zc", "a*c", &length), -1);
    EXPECT_EQ(Match("xc", "ab*c", &length), -1);
}

TEST(MatchBackward, WildcardsAtTheEnds)
{
    uint16_t length = 0;
    EXPECT_EQ(Match("abc", "*c", &length), -1);
    EXPECT_EQ(Match("c", "*c", &length), -1);
    EXPECT_EQ(Match("abcabc", "*", &length), -1);
    // A trailing gap or any-character is an ordinary byte.
    EXPECT_EQ(Match("ab", "a*", &length), -1);
    EXPECT_EQ(Match("xa*y", "a*", &length), 2);
    EXPECT_EQ(length, 2);
    EXPECT_EQ(Match("ab", "a?", &length), -1);
    EXPECT_EQ(Match("a?", "a?", &length), 1);
}

TEST(MatchBackward, BoundsAreRespected)
{
    std::string text = "abab";
    const uint8_t* lower = Bytes(text);
    uint16_t length = 0;
    // From position 2 the match ending at 3 is out of reach.
    EXPECT_EQ(MatchBackward(lower, Bytes("ab"), lower + 2, &length), lower + 1);
    EXPECT_EQ(MatchBackward(lower, Bytes("ab"), lower, &length), nullptr);
    // The lower bound cuts a match short.
    EXPECT_EQ(MatchBackward(lower + 1, Bytes("ab"), lower + 2, &length), nullptr);
    EXPECT_EQ(MatchBackward(lower + 1, Bytes("b"), lower, &length), nullptr);
}

TEST(MatchBackward, LongTextsFindTheNearestEndAtEveryAlignment)
{
    // The scan skips stretches without the pattern's last letter; a hit must
    // be found wherever it sits against those stretches, and never past from.
    uint16_t length = 0;
    for (size_t at = 0; at < 40; ++at) {
        std::string text(40, 'x');
        text.replace(at, 2, "ab");
        text.resize(42, 'x');
        const uint8_t* lower = Bytes(text);
        EXPECT_EQ(Match(text, "ab", &length), static_cast<int>(at + 1)) << at;
        EXPECT_EQ(MatchBackward(lower, Bytes("ab"), lower + at, &length), nullptr) << at;
        EXPECT_EQ(MatchBackward(lower, Bytes("ab"), lower + at + 1, &length), lower + at + 1) << at;
        // A wildcard pattern whose gap reaches back over a long stretch.
        std::string gapped = "c" + std::string(30, 'y') + text;
        EXPECT_EQ(Match(gapped, "c*b", &length), static_cast<int>(31 + at + 1)) << at;
        EXPECT_EQ(length, 31 + at + 2) << at;
    }
}

TEST(MatchBackward, AgreesWithThePlainRulesOnMixedTexts)
{
    // Few letters, so pairs of them recur at every alignment; texts hold the
    // wildcard bytes too, which then match as themselves.
    srand(14);
    const char letters[] = "abab*?c";
    for (int round = 0; round < 3000; ++round) {
        std::string text(1 + rand() % 70, 'a');
        for (char& c : text) c = letters[rand() % 7];
        std::string pattern(1 + rand() % 4, 'a');
        for (char& c : pattern) c = letters[rand() % 7];
        long from = rand() % static_cast<long>(text.size());
        uint16_t want = 0, got = 0;
        long expected = PlainMatch(text, pattern, from, &want);
        const uint8_t* lower = Bytes(text);
        const uint8_t* hit = MatchBackward(lower, Bytes(pattern), lower + from, &got);
        ASSERT_EQ(hit ? hit - lower : -1, expected) << text << " / " << pattern << " from " << from;
        if (hit) {
            ASSERT_EQ(got, want) << text << " / " << pattern;
        }
    }
}

TEST(FindInText, RecordsStartAndBoundaries)
{
    // Offsets: record 1 at 0 ("xab" at 2..4), record 2 at 6 ("ab" at 8..9, its zero at 10),
    // record 3 at 11 ("a" at 13), record 4 at 15 ("b" at 17).
    auto text = BuildLesson({{0x10, "xab"}, {0x10, "ab"}, {0x10, "a"}, {0x10, "b"}});
    uint16_t length = 0;
    EXPECT_EQ(FindInText(text.data(), 0, Bytes("ab"), &length), 4);
    EXPECT_EQ(length, 2);
    // Inside record 1 below its hit, then on to record 2 from its end.
    EXPECT_EQ(FindInText(text.data(), 3, Bytes("ab"), &length), 9);
    // Earlier records are never searched; "a" | "b" never joins across.
    EXPECT_EQ(FindInText(text.data(), 10, Bytes("ab"), &length), 9);
    EXPECT_EQ(FindInText(text.data(), 11, Bytes("ab"), &length), 0);
    EXPECT_EQ(FindInText(text.data(), 12, Bytes("x"), &length), 0);
    // Past every record.
    EXPECT_EQ(FindInText(text.data(), 0xFFFF, Bytes("a"), &length), 0);
    // Nothing to search for, nothing to search in.
    EXPECT_EQ(FindInText(text.data(), 0, Bytes(""), &length), 0);
    uint8_t empty[2] = {0, 0};
    EXPECT_EQ(FindInText(empty, 0, Bytes("a"), &length), 0);
}

TEST(FindInText, HitAtARecordsFirstLetterIsNotFoundAgain)
{
    // Searching on from just below a hit that began at the record's first
    // letter lands on the parameter byte: the record is done, go on.
    auto text = BuildLesson({{0x10, "zz"}, {0x10, "abq"}, {0x10, "ab"}});
    uint16_t length = 0;
    uint16_t hit = FindInText(text.data(), 0, Bytes("ab"), &length);
    ASSERT_EQ(hit, 8);
    uint16_t start = static_cast<uint16_t>(hit - length + 1 - 1);
    EXPECT_EQ(FindInText(text.data(), start, Bytes("ab"), &length), 14);
    // The first record's parameter byte likewise; offset 0 is the whole text.
    auto first = BuildLesson({{0x10, "ab"}, {0x10, "ab"}});
    EXPECT_EQ(FindInText(first.data(), 1, Bytes("ab"), &length), 8);
    EXPECT_EQ(FindInText(first.data(), 0, Bytes("ab"), &length), 3);
}

TEST(ConvertSearchText, LettersSpacesAndOtherCharacters)
{
    // Letters of either base, digits and wildcards.
    EXPECT_EQ(Pattern(u"\u05D0\u05EA1?*", 0x5D0), "a{1?*");
    EXPECT_EQ(Pattern(u"\u00E0\u00FA", 224), "a{");
    EXPECT_EQ(Pattern(u"\u05D0", 224), std::string(1, '\xD0'));
    // Runs of spaces shrink to one; the ends are kept.
    EXPECT_EQ(Pattern(u" \u05D1   \u05D2  ", 0x5D0), " b c ");
    // Never more than the pattern can hold.
    std::u16string longText(40, u'\u05D3');
    EXPECT_EQ(Pattern(longText, 0x5D0), std::string(SEARCH_PATTERN_MAX, 'd'));

    g_settings.FontAsciiBase = 0x5D0;
    ConvertSearchText(u"\u05D0  \u05D1");
    EXPECT_STREQ(reinterpret_cast<const char*>(g_settings.SearchString), "a b");
}
