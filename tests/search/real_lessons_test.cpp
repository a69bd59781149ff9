// The search over the compiled lessons the program carries.
#include <gtest/gtest.h>
#include <cstdlib>
#include <cstring>
#include <string>
#include "content/lesson_store.h"
#include "search/matcher.h"
#include "search/search_walk.h"
#include "text/letter_code.h"

namespace {

// Reading-order UTF-8 as a stored pattern (display order).
std::string PatternOf(const char* utf8)
{
    std::string code;
    EXPECT_TRUE(Utf8ToLetterCode(utf8, code));
    FlipReadingOrder(code);
    return code;
}

const uint8_t* Bytes(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.c_str()); }

// Occurrences of a plain pattern in every record of every lesson.
int CountEverywhere(const std::string& pattern)
{
    int count = 0;
    for (int lesson = 1; lesson <= 339; ++lesson) {
        uint8_t* text = LoadLesson(lesson, nullptr);
        for (size_t at = 0; text && text[at];) {
            std::string record(reinterpret_cast<const char*>(text + at + 2));
            for (size_t p = record.find(pattern); p != std::string::npos; p = record.find(pattern, p + 1)) ++count;
            at += 2 + record.size() + 1;
        }
        std::free(text);
    }
    return count;
}

class RealLessons : public ::testing::Test {
protected:
    void SetUp() override
    {
        uint8_t* probe = LoadLesson(1, nullptr);
        if (!probe) GTEST_SKIP() << "no compiled lessons in this build";
        std::free(probe);
    }
};

}  // namespace

TEST_F(RealLessons, SearchAgainVisitsEveryOccurrenceOnceAroundTheCycle)
{
    std::string pattern = PatternOf("ירושלים");
    int expected = CountEverywhere(pattern);
    ASSERT_GT(expected, 50);

    int lesson = 1;
    uint8_t* view = LoadLesson(lesson, nullptr);
    uint16_t start = 0;
    SearchHit first{};
    int hits = 0;
    for (; hits <= expected; ++hits) {
        SearchHit hit{};
        if (!WalkLessons(Bytes(pattern), view, start, lesson, nullptr, &hit)) break;
        bool wrapped = hits && hit.lesson == first.lesson && hit.offset == first.offset;
        if (hit.text) {
            std::free(view);
            view = hit.text;
            EXPECT_TRUE(hit.lesson > lesson || wrapped) << "went back before wrapping";
            lesson = hit.lesson;
        }
        EXPECT_EQ(std::memcmp(view + hit.offset - hit.length + 1, pattern.data(), pattern.size()), 0);
        if (wrapped) break;
        if (!hits) first = hit;
        start = static_cast<uint16_t>(hit.offset - hit.length);
    }
    std::free(view);
    EXPECT_EQ(hits, expected);
}

TEST_F(RealLessons, WrapsFromTheLastLessonIntoTheFirst)
{
    // The first letters of lesson 1's heading, searched with lesson 339 on
    // screen and scrolled to its end.
    uint8_t* one = LoadLesson(1, nullptr);
    std::string heading(reinterpret_cast<const char*>(one + 2));
    std::free(one);
    std::string pattern = heading.substr(heading.size() - 6);
    uint8_t* view = LoadLesson(339, nullptr);
    SearchHit hit{};
    ASSERT_EQ(WalkLessons(Bytes(pattern), view, 0xFFFF, 339, nullptr, &hit), 1);
    EXPECT_EQ(hit.lesson, 1);
    EXPECT_NE(hit.text, nullptr);
    std::free(hit.text);
    std::free(view);
}

TEST_F(RealLessons, WildcardsOverRealText)
{
    uint8_t* text = LoadLesson(6, nullptr);
    uint16_t length = 0;
    // A gap spans words inside one paragraph, never into the next.
    std::string gap = PatternOf("אמר*ישראל");
    uint16_t end = FindInText(text, 0, Bytes(gap), &length);
    ASSERT_NE(end, 0);
    std::string found(reinterpret_cast<const char*>(text + end - length + 1), length);
    EXPECT_EQ(found.find('\0'), std::string::npos);
    EXPECT_EQ(found.substr(0, 5), PatternOf("ישראל"));
    EXPECT_EQ(found.substr(found.size() - 3), PatternOf("אמר"));
    EXPECT_EQ(FindInText(text, 0, Bytes(PatternOf("*ישראל")), &length), 0);
    std::free(text);
}
