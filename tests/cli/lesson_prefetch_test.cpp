// Lessons decoded and searched ahead: whatever order they are asked in, each
// comes back whole and the same as decoded directly when it holds the
// pattern, as nothing when it does not, and stopping early loses nothing.
#include <gtest/gtest.h>
#include <sched.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "calendar/schedule.h"
#include "content/lesson_store.h"
#include "search/matcher.h"
#include "tools/cli/lesson_prefetch.h"

namespace {

// "?" matches any one letter: found in every lesson but the empty ones.
constexpr uint8_t ANYWHERE[] = "?";

// A lesson's bytes up to and with its closing zero record.
std::string Owned(uint8_t* text)
{
    if (!text) return "(none)";
    size_t n = 0;
    while (text[n]) n += 2, n += std::strlen(reinterpret_cast<char*>(text + n)) + 1;
    std::string bytes(reinterpret_cast<char*>(text), n + 1);
    std::free(text);
    return bytes;
}

// What the walk must be given for the lesson and pattern.
std::string Expected(int lesson, const uint8_t* pattern)
{
    uint8_t* text = LoadLesson(lesson, nullptr);
    uint16_t length;
    if (text && !FindInText(text, 0, pattern, &length)) {
        std::free(text);
        return "(none)";
    }
    return Owned(text);
}

// Five letters of lesson 200's longest record: a phrase some lessons hold.
std::string RarePhrase()
{
    uint8_t* text = LoadLesson(200, nullptr);
    size_t best = 0, bestLength = 0;
    for (size_t n = 0; text[n];) {
        size_t length = std::strlen(reinterpret_cast<char*>(text + n + 2));
        if (length > bestLength) best = n + 2, bestLength = length;
        n += 2 + length + 1;
    }
    std::string phrase(reinterpret_cast<char*>(text + best + bestLength / 2), 5);
    std::free(text);
    return phrase;
}

TEST(LessonPrefetch, AWholeCycleComesBackInWalkOrderWithTheLessonsWithoutAMatchLeftOut)
{
    std::string phrase = RarePhrase();
    const auto* pattern = reinterpret_cast<const uint8_t*>(phrase.c_str());
    if (!StartPrefetch(LESSON_COUNT - 1, pattern)) GTEST_SKIP() << "one usable core: nothing is decoded ahead";
    int held = 0;
    for (int k = 1; k < LESSON_COUNT; ++k) {
        int lesson = (LESSON_COUNT - 2 + k) % LESSON_COUNT + 1;
        std::string got = Owned(LoadPrefetched(lesson));
        ASSERT_EQ(got, Expected(lesson, pattern)) << lesson;
        held += got != "(none)";
    }
    EXPECT_GT(held, 0);
    EXPECT_LT(held, LESSON_COUNT - 1);
    // Round again, as a search does to come back to its first hit: decoded
    // on the spot, whole.
    EXPECT_EQ(Owned(LoadPrefetched(LESSON_COUNT)), Owned(LoadLesson(LESSON_COUNT, nullptr)));
    StopPrefetch();
}

TEST(LessonPrefetch, OutOfTurnAndEarlyStopAreSafe)
{
    if (!StartPrefetch(1, ANYWHERE)) GTEST_SKIP() << "one usable core: nothing is decoded ahead";
    EXPECT_EQ(Owned(LoadPrefetched(2)), Expected(2, ANYWHERE));
    // Not the next one: decoded on the spot, the order kept for the rest.
    EXPECT_EQ(Owned(LoadPrefetched(200)), Owned(LoadLesson(200, nullptr)));
    EXPECT_EQ(Owned(LoadPrefetched(3)), Expected(3, ANYWHERE));
    // Helpers are ahead now; what they decoded is freed (the leak checker
    // of the test build would say otherwise).
    StopPrefetch();
    StopPrefetch();
    // Without a prefetch under way it simply decodes.
    EXPECT_EQ(Owned(LoadPrefetched(7)), Owned(LoadLesson(7, nullptr)));
    EXPECT_EQ(LoadPrefetched(0), nullptr);
}

// Held to one core (taskset -c 0), the process starts no helper however
// many the machine has: it would only take turns with the search.
TEST(LessonPrefetch, OneUsableCoreStartsNoHelper)
{
    cpu_set_t all, one;
    ASSERT_EQ(sched_getaffinity(0, sizeof all, &all), 0);
    CPU_ZERO(&one);
    for (int c = 0; c < CPU_SETSIZE; ++c)
        if (CPU_ISSET(c, &all)) {
            CPU_SET(c, &one);
            break;
        }
    ASSERT_EQ(sched_setaffinity(0, sizeof one, &one), 0);
    unsigned helpers = StartPrefetch(1, ANYWHERE);
    // Nothing ahead: the lesson is simply decoded.
    EXPECT_EQ(Owned(LoadPrefetched(2)), Owned(LoadLesson(2, nullptr)));
    StopPrefetch();
    sched_setaffinity(0, sizeof all, &all);
    EXPECT_EQ(helpers, 0u);
}

}  // namespace
