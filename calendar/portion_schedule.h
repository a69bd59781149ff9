// The one-chapter-a-day cycle: 1,017 days, one portion a day, begun on the
// same day as the three-chapter cycle. A portion is made of chapter blocks:
// the stretches of lesson text between the rules that part its chapters
// (the four opening lessons, which hold one part each, in thirds).
#pragma once
#include <cstdint>
#include "calendar/learned_days.h"
#include "calendar/schedule.h"

constexpr int PORTION_COUNT = CHAPTER_COUNT;
constexpr int32_t PORTION_CYCLE_START = CYCLES_EPOCH_DAY;  // 29 April 1984, portion 1
// Lesson 37 holds five chapter blocks, lesson 56 four, every other three.
constexpr int BLOCK_COUNT = 1020;
constexpr int MAX_PORTION_BLOCKS = 4;

// The day's place in the one-chapter cycle, 1..1017: its one-chapter lesson.
inline int PortionOfDay(int32_t day)
{
    return LessonOfDay(1, day);
}

// The day of the cycle that holds near on which portion is read.
int32_t DayOfPortionInCycle(int portion, int32_t near);

// Chapter blocks are numbered 1..1020 through the cycle's lessons.
int BlockCountOfLesson(int lesson);
int FirstBlockOfLesson(int lesson);
int LessonOfBlock(int block);

// The blocks a portion reads: first and count (count 4 once, else 1).
struct BlockRange {
    int first;
    int count;
};
BlockRange BlocksOfPortion(int portion);
int PortionOfBlock(int block);
