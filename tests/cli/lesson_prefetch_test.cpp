// Lessons decoded ahead: whatever order they are asked in, each comes back
// whole and the same as decoded directly, and stopping early loses nothing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "calendar/schedule.h"
#include "content/lesson_store.h"
#include "tools/cli/lesson_prefetch.h"

namespace {

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

std::string Direct(int lesson) { return Owned(LoadLesson(lesson, nullptr)); }

TEST(LessonPrefetch, AWholeCycleFromNearItsEndComesBackInWalkOrder)
{
    StartPrefetch(LESSON_COUNT - 1);
    for (int k = 1; k < LESSON_COUNT; ++k) {
        int lesson = (LESSON_COUNT - 2 + k) % LESSON_COUNT + 1;
        ASSERT_EQ(Owned(LoadPrefetched(lesson)), Direct(lesson)) << lesson;
    }
    // Round again, as a search does to come back to its first hit.
    EXPECT_EQ(Owned(LoadPrefetched(LESSON_COUNT - 1)), Direct(LESSON_COUNT - 1));
    EXPECT_EQ(Owned(LoadPrefetched(LESSON_COUNT)), Direct(LESSON_COUNT));
    StopPrefetch();
}

TEST(LessonPrefetch, OutOfTurnAndEarlyStopAreSafe)
{
    StartPrefetch(1);
    EXPECT_EQ(Owned(LoadPrefetched(2)), Direct(2));
    // Not the next one: decoded on the spot, the order kept for the rest.
    EXPECT_EQ(Owned(LoadPrefetched(200)), Direct(200));
    EXPECT_EQ(Owned(LoadPrefetched(3)), Direct(3));
    // Helpers are ahead now; what they decoded is freed (the leak checker
    // of the test build would say otherwise).
    StopPrefetch();
    StopPrefetch();
    // Without a prefetch under way it simply decodes.
    EXPECT_EQ(Owned(LoadPrefetched(7)), Direct(7));
    EXPECT_EQ(LoadPrefetched(0), nullptr);
}

}  // namespace
