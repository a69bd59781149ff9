#include <gtest/gtest.h>

#include "calendar/calendar.h"
#include "calendar/portion_schedule.h"
#include "calendar/schedule.h"

TEST(PortionSchedule, CycleBeganWithTheThreeChapterCycleAndRunsOnceInOrder)
{
    EXPECT_EQ(PORTION_CYCLE_START, AbsoluteFromGregorian(4, 29, 1984));
    DateRec start = HebrewFromAbsolute(PORTION_CYCLE_START);
    EXPECT_EQ(start.month, 1);   // 27 Nisan 5744
    EXPECT_EQ(start.day, 27);
    EXPECT_EQ(start.year, 5744);
    EXPECT_EQ(LessonOfDay(3, PORTION_CYCLE_START), 1);
    for (int i = 0; i < 3 * PORTION_COUNT; ++i) {
        int32_t day = PORTION_CYCLE_START - PORTION_COUNT + i;
        ASSERT_EQ(PortionOfDay(day), i % PORTION_COUNT + 1) << day;
        ASSERT_EQ(PortionOfDay(day), LessonOfDay(1, day)) << day;
        ASSERT_EQ(DayOfPortionInCycle(PortionOfDay(day), day), day);
    }
    // Three three-chapter cycles to one one-chapter cycle.
    EXPECT_EQ(PortionOfDay(CYCLE_ANCHOR_DAY), 1);
    EXPECT_EQ(DayOfPortionInCycle(1, PORTION_CYCLE_START + 1016), PORTION_CYCLE_START);
    EXPECT_EQ(DayOfPortionInCycle(1017, PORTION_CYCLE_START + 1017), PORTION_CYCLE_START + 2033);
}

TEST(PortionSchedule, BlocksTileTheLessonsAndPortionsTileTheBlocks)
{
    int next = 1;
    for (int lesson = 1; lesson <= LESSON_COUNT; ++lesson) {
        ASSERT_EQ(FirstBlockOfLesson(lesson), next) << lesson;
        for (int i = 0; i < BlockCountOfLesson(lesson); ++i) ASSERT_EQ(LessonOfBlock(next + i), lesson);
        next += BlockCountOfLesson(lesson);
    }
    EXPECT_EQ(next, BLOCK_COUNT + 1);

    next = 1;
    for (int portion = 1; portion <= PORTION_COUNT; ++portion) {
        BlockRange r = BlocksOfPortion(portion);
        ASSERT_EQ(r.first, next) << portion;
        ASSERT_GE(r.count, 1);
        ASSERT_LE(r.count, MAX_PORTION_BLOCKS);
        for (int b = r.first; b < r.first + r.count; ++b) ASSERT_EQ(PortionOfBlock(b), portion);
        next += r.count;
    }
    EXPECT_EQ(next, BLOCK_COUNT + 1);
}

// The published table against the lessons' parts (lesson L: parts 3L-2..3L,
// lesson 37's first three blocks one part, lesson 56's first two one part).
TEST(PortionSchedule, RegroupingsAgainstTheLessonsParts)
{
    auto partOfBlock = [](int block) {
        int lesson = LessonOfBlock(block), i = block - FirstBlockOfLesson(lesson);
        if (lesson == 37) i = i < 3 ? 0 : i - 2;
        if (lesson == 56) i = i < 2 ? 0 : i - 1;
        return 3 * lesson - 2 + i;
    };
    auto parts = [&](int portion) {
        BlockRange r = BlocksOfPortion(portion);
        return std::make_pair(partOfBlock(r.first), partOfBlock(r.first + r.count - 1));
    };
    for (int n = 1; n <= 107; ++n) EXPECT_EQ(parts(n), std::make_pair(n, n));
    EXPECT_EQ(parts(108), std::make_pair(108, 109));
    for (int n = 109; n <= 164; ++n) EXPECT_EQ(parts(n), std::make_pair(n + 1, n + 1));
    EXPECT_EQ(parts(165), std::make_pair(166, 166));
    EXPECT_EQ(parts(166), std::make_pair(166, 166));
    EXPECT_NE(BlocksOfPortion(165).first, BlocksOfPortion(166).first);
    for (int n = 167; n <= PORTION_COUNT; ++n) EXPECT_EQ(parts(n), std::make_pair(n, n));
    EXPECT_EQ(partOfBlock(BLOCK_COUNT), 3 * LESSON_COUNT);
}
