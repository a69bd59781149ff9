// Any spelling and Whole words: hand-made cases for each rule, the real
// text's words in both spellings, and the matcher held against the exact one.
#include "search/spelling_matcher.h"

#include <gtest/gtest.h>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include "content/lesson_store.h"
#include "search/matcher.h"
#include "search/search_walk.h"
#include "settings/settings.h"
#include "tests/search/lesson_builder.h"
#include "tests/text/text_fixture.h"
#include "text/letter_code.h"

namespace {

constexpr uint32_t ANY = SEARCH_ANY_SPELLING;
constexpr uint32_t WHOLE = SEARCH_WHOLE_WORDS;

// Reading-order UTF-8 as stored letter code (display order), and back.
std::string Stored(const char* utf8)
{
    std::string code;
    EXPECT_TRUE(Utf8ToLetterCode(utf8, code)) << utf8;
    FlipReadingOrder(code);
    return code;
}

std::string Reading(std::string code)
{
    FlipReadingOrder(code);
    return LetterCodeToUtf8(code);
}

// A pattern as the search box makes it from reading-order text, pointed or not.
std::string Typed(const std::u16string& reading)
{
    std::u16string box(reading.rbegin(), reading.rend());
    uint8_t pattern[SEARCH_PATTERN_MAX + 1];
    ConvertSearchTextTo(box.c_str(), 0x5D0, pattern);
    return reinterpret_cast<const char*>(pattern);
}

// What the search finds in one reversed record of reading-order text: the
// matched text in reading order, or "" for nothing.
std::string Found(const char* textUtf8, const std::string& pattern, uint32_t options)
{
    std::vector<uint8_t> lesson = BuildLesson({{0xD0, Stored(textUtf8)}});
    uint16_t length = 0;
    uint16_t end = FindInTextWith(lesson.data(), 0, Bytes(pattern), options, &length);
    if (!end) return "";
    return Reading(std::string(reinterpret_cast<const char*>(lesson.data()) + end - length + 1, length));
}

std::string Found(const char* textUtf8, const char* patternUtf8, uint32_t options)
{
    return Found(textUtf8, Stored(patternUtf8), options);
}

}  // namespace

TEST(AnySpelling, VavAndYodMayBeMissingOnEitherSideOrDoubled)
{
    // Full pattern, defective text and the reverse; the hit is the text's own.
    EXPECT_EQ(Found("זו היא מצוה גדולה", "מצווה", ANY), "מצוה");
    EXPECT_EQ(Found("זו היא מצווה גדולה", "מצוה", ANY), "מצווה");
    EXPECT_EQ(Found("ואפלו כך", "אפילו", ANY), "אפלו");
    EXPECT_EQ(Found("ואפילו כך", "אפלו", ANY), "אפילו");
    EXPECT_EQ(Found("דויד המלך", "דוד", ANY), "דויד");
    // Neither choice: exact as before.
    EXPECT_EQ(Found("זו היא מצוה גדולה", "מצווה", 0), "");
    EXPECT_EQ(Found("ואפלו כך", "אפילו", WHOLE), "");
}

TEST(AnySpelling, EdgesOfAHitTakeOnlyWhatThePatternHas)
{
    // A prefix vav of the text is not part of the hit; a pattern's own
    // vav or yod at an edge is, where the text has it.
    EXPECT_EQ(Found("ודבר משה", "דבר", ANY), "דבר");
    EXPECT_EQ(Found("ודבר משה", "ודבר", ANY), "ודבר");
    EXPECT_EQ(Found("דבר משה", "ודבר", ANY), "דבר");
    EXPECT_EQ(Found("אבי אבא", "אבי", ANY), "אבי");
    EXPECT_EQ(Found("בניו הם", "בני", ANY), "בני");
    // The text's own vav between them and the pattern's yod is taken too.
    EXPECT_EQ(Found("רבי יוסי אומר", "יסי", ANY), "יוסי");
}

TEST(AnySpelling, FinalFormsAndMarksFromPastedText)
{
    EXPECT_EQ(Found("שלום עליכם", "שלומ", ANY), "שלום");
    EXPECT_EQ(Found("מלכים רבים", "מלךים", ANY), "מלכים");
    EXPECT_EQ(Found("מלכים רבים", "מלךים", 0), "");
    // Pointed and with cantillation, pasted: points and marks are ignored.
    std::string pointed = Typed(u"מִצְוָ֑ה");
    EXPECT_EQ(Found("עשה מצוה", pointed, ANY), "מצוה");
    EXPECT_EQ(Found("עשה מצוה", pointed, 0), "");
    // A pasted geresh stands for the one in the text.
    EXPECT_EQ(Found("אמר ר' יוסי", Typed(u"ר\u05F3 יוסי"), ANY), "ר' יוסי");
}

TEST(AnySpelling, ASpaceMatchesAnyRunOfSpacesAndPunctuation)
{
    EXPECT_EQ(Found("את-האלהים", "את האלהים", ANY), "את-האלהים");
    EXPECT_EQ(Found("כיצד, אמרו: הכל", "כיצד אמרו", ANY), "כיצד, אמרו");
    EXPECT_EQ(Found("כיצד, אמרו: הכל", "כיצד אמרו", 0), "");
    // A pasted maqaf parts words as a space does.
    EXPECT_EQ(Found("על פי התורה", Typed(u"על\u05BEפי"), ANY), "על פי");
    // Never across the end of a paragraph.
    std::vector<uint8_t> two = BuildLesson({{0xD0, Stored("כיצד")}, {0xD0, Stored("אמרו")}});
    uint16_t length = 0;
    EXPECT_EQ(FindInTextWith(two.data(), 0, Bytes(Stored("כיצד אמרו")), ANY, &length), 0);
}

TEST(WholeWords, HitsStartAndEndAtWordBoundaries)
{
    EXPECT_EQ(Found("הדבר הזה", "דבר", WHOLE), "");
    EXPECT_EQ(Found("הדבר הזה דבר", "דבר", WHOLE), "דבר");
    EXPECT_EQ(Found("דברים", "דבר", WHOLE), "");
    // Punctuation bounds a word; an abbreviation's marks belong to it.
    EXPECT_EQ(Found("(דבר).", "דבר", WHOLE), "דבר");
    EXPECT_EQ(Found("רמב\"ם", "רמב", WHOLE), "");
    EXPECT_EQ(Found("שנאמר: \"דבר\"", "דבר", WHOLE), "דבר");
    // With both choices: the spelling may differ, the word may not.
    EXPECT_EQ(Found("ומצוה מצווה", "מצוה", ANY | WHOLE), "מצווה");
    EXPECT_EQ(Found("ומצווה", "מצוה", ANY | WHOLE), "");
}

TEST(AnySpelling, WildcardsKeepTheirMeaning)
{
    // "?" is one character, a vav or yod too, with others free around it.
    EXPECT_EQ(Found("שלום", "ש?ם", ANY), "שלום");
    EXPECT_EQ(Found("שים", "ש?ם", ANY), "שים");
    EXPECT_EQ(Found("אוב", "א?ב", ANY), "אוב");
    EXPECT_EQ(Found("שם", "ש?ם", ANY), "");
    EXPECT_EQ(Found("אמר רבי יוסי", "אמר*יוסי", ANY), "אמר רבי יוסי");
    EXPECT_EQ(Found("אמר רבי יסי", "אמר*יוסי", ANY | WHOLE), "אמר רבי יסי");
    // A gap at either end has nothing to reach to; "?" at the end of a
    // word needs its character.
    EXPECT_EQ(Found("אמר", "*אמר", ANY), "");
    EXPECT_EQ(Found("אמר", "אמר*", ANY), "");
    EXPECT_EQ(Found("אמר", "אמר?", ANY), "");
    EXPECT_EQ(Found("אמרו", "אמר?", ANY), "אמרו");
    // Many "?" beside many vavs end quickly (each place is tried once),
    // and the vavs between are the text's own.
    std::string vavs(3000, 'f');
    std::vector<uint8_t> lesson = BuildLesson({{0xD0, "b" + vavs + "a" + vavs + "a"}});
    uint16_t length = 0;
    EXPECT_EQ(FindInTextWith(lesson.data(), 0, Bytes("c" + std::string(30, '?') + "a"), ANY, &length), 0);
    EXPECT_EQ(FindInTextWith(lesson.data(), 0, Bytes("b" + std::string(30, '?') + "a"), ANY, &length), 2 + 3001);
    EXPECT_EQ(length, 3002);
}

TEST(SpellingMatcher, WithNoChoiceItGivesTheExactMatchersHits)
{
    // Few letters, so pairs recur at every alignment; texts hold the
    // wildcard bytes and spaces too.
    srand(23);
    const char letters[] = "abfj *?";
    for (int round = 0; round < 20000; ++round) {
        std::string text(1 + rand() % 60, 'a');
        for (char& c : text) c = letters[rand() % 7];
        std::string pattern(1 + rand() % 5, 'a');
        for (char& c : pattern) c = letters[rand() % 7];
        std::vector<uint8_t> lesson = BuildLesson({{0xD0, text}, {0xB0, text.substr(text.size() / 2)}});
        uint16_t start = static_cast<uint16_t>(rand() % (lesson.size() + 2));
        uint16_t want = 0, got = 0;
        uint16_t expected = FindInText(lesson.data(), start, Bytes(pattern), &want);
        ASSERT_EQ(FindInTextByTokens(lesson.data(), start, Bytes(pattern), 0, &got), expected)
            << text << " / " << pattern << " from " << start;
        if (expected) ASSERT_EQ(got, want) << text << " / " << pattern;
        const uint8_t* last = lesson.data() + lesson.size() - 1;
        const uint8_t* exact = MatchBackward(lesson.data(), Bytes(pattern), last, &want);
        ASSERT_EQ(MatchBackwardByTokens(lesson.data(), Bytes(pattern), last, 0, &got), exact);
        if (exact) ASSERT_EQ(got, want);
    }
}

namespace {

class RealText : public ::testing::Test {
protected:
    void SetUp() override
    {
        uint8_t* probe = LoadLesson(1, nullptr);
        if (!probe) GTEST_SKIP() << "no compiled lessons in this build";
        std::free(probe);
    }
};

// Every distinct text that Search Again visits round the cycle.
std::set<std::string> HitsAroundTheCycle(const std::string& pattern, uint32_t options, int* count)
{
    std::set<std::string> found;
    *count = 0;
    for (int lesson = 1; lesson <= 339; ++lesson) {
        uint8_t* text = LoadLesson(lesson, nullptr);
        uint16_t start = 0, length = 0;
        for (uint16_t end; (end = FindInTextWith(text, start, Bytes(pattern), options, &length)) != 0;) {
            found.insert(Reading(std::string(reinterpret_cast<const char*>(text) + end - length + 1, length)));
            ++*count;
            start = static_cast<uint16_t>(end - length);
            if (!start) break;
        }
        std::free(text);
    }
    return found;
}

}  // namespace

TEST_F(RealText, BothSpellingsOfTheWorksOwnWordsAreFound)
{
    // The work has both: "מצווה" 33 times, "מצוה" over 300; "אפילו" and "אפלו".
    for (auto [full, defective] : {std::pair{"מצווה", "מצוה"}, std::pair{"אפילו", "אפלו"}}) {
        int exactFull = 0, exactDefective = 0, anyFull = 0, anyDefective = 0;
        HitsAroundTheCycle(Stored(full), WHOLE, &exactFull);
        HitsAroundTheCycle(Stored(defective), WHOLE, &exactDefective);
        std::set<std::string> a = HitsAroundTheCycle(Stored(full), ANY | WHOLE, &anyFull);
        std::set<std::string> b = HitsAroundTheCycle(Stored(defective), ANY | WHOLE, &anyDefective);
        ASSERT_GT(exactFull, 0) << full;
        ASSERT_GT(exactDefective, 0) << defective;
        // Each spelling finds the other, both directions, every time the
        // exact search finds either. (Words that differ only by a vav or yod,
        // as מצה from מצוה, are found too: that is what the choice means.)
        EXPECT_TRUE(a.count(full) && a.count(defective)) << full;
        EXPECT_EQ(a, b) << full;
        EXPECT_GE(anyFull, exactFull + exactDefective) << full;
        EXPECT_EQ(anyDefective, anyFull) << defective;
    }
}

TEST_F(RealText, AVerseQuotedWithAMaqaf)
{
    // Lesson 2 quotes "את-ה' אלהיך תירא", between quotation marks.
    uint8_t* text = LoadLesson(2, nullptr);
    uint16_t length = 0;
    std::string typed = Stored("את ה' אלהיך תירא");
    EXPECT_EQ(FindInText(text, 0, Bytes(typed), &length), 0);
    uint16_t end = FindInTextWith(text, 0, Bytes(typed), ANY | WHOLE, &length);
    ASSERT_NE(end, 0);
    EXPECT_EQ(Reading(std::string(reinterpret_cast<const char*>(text) + end - length + 1, length)),
              "את-ה' אלהיך תירא");
    std::free(text);
}

using SpellingLayout = TextViewTest;

TEST_F(SpellingLayout, APhraseAcrossALineEndIsOneHitCoveringBothLines)
{
    // Ten characters to a line: the two words fall on two lines, and the
    // highlight runs from the first one's first letter to the second's last.
    std::string paragraph = Stored("אמר רבי יוסי, מצווה גדולה");
    ASSERT_EQ(Lay({{0x30, 0, paragraph}}), 0);
    ASSERT_GE(view->lineCount, 2);
    uint16_t length = 0;
    uint16_t end = FindInTextWith(view->text, 0, Bytes(Stored("יסי מצוה")), ANY, &length);
    ASSERT_NE(end, 0);
    EXPECT_EQ(Reading(std::string(reinterpret_cast<const char*>(view->text) + end - length + 1, length)),
              "יוסי, מצווה");
    int firstLine = -1, lastLine = -1;
    for (int i = 0; i < view->lineCount; ++i) {
        const LineRecord& l = view->lines[i];
        if (end - length + 1 >= l.offset && end - length + 1 < l.offset + l.count) firstLine = i;
        if (end >= l.offset && end < l.offset + l.count) lastLine = i;
    }
    EXPECT_GE(firstLine, 0);
    EXPECT_NE(firstLine, lastLine);
}
