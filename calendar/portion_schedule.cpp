// Portions against lessons. Every chapter block of the lessons is one day,
// except the order of prayers' blocks from its fourth chapter on, which the
// published one-chapter table reads on a single day.
#include "calendar/portion_schedule.h"

#include "calendar/calendar.h"
#include "calendar/schedule.h"

namespace {

constexpr int PRAYERS_MERGED_FIRST = 108;  // lesson 36's last block, then lesson 37's first three
constexpr int PRAYERS_MERGED_COUNT = 4;

}  // namespace

int32_t DayOfPortionInCycle(int portion, int32_t near)
{
    return CycleFirstDay(TrackCycle(1), near) + (portion - 1);
}

int BlockCountOfLesson(int lesson)
{
    return lesson == 37 ? 5 : lesson == 56 ? 4 : 3;
}

int FirstBlockOfLesson(int lesson)
{
    int extra = (lesson > 37 ? 2 : 0) + (lesson > 56 ? 1 : 0);
    return 3 * (lesson - 1) + 1 + extra;
}

int LessonOfBlock(int block)
{
    int lesson = (block + 2) / 3;
    while (lesson > 1 && FirstBlockOfLesson(lesson) > block) --lesson;
    while (lesson < LESSON_COUNT && FirstBlockOfLesson(lesson + 1) <= block) ++lesson;
    return lesson;
}

BlockRange BlocksOfPortion(int portion)
{
    if (portion < PRAYERS_MERGED_FIRST) return {portion, 1};
    if (portion == PRAYERS_MERGED_FIRST) return {portion, PRAYERS_MERGED_COUNT};
    return {portion + PRAYERS_MERGED_COUNT - 1, 1};
}

int PortionOfBlock(int block)
{
    if (block < PRAYERS_MERGED_FIRST) return block;
    if (block < PRAYERS_MERGED_FIRST + PRAYERS_MERGED_COUNT) return PRAYERS_MERGED_FIRST;
    return block - PRAYERS_MERGED_COUNT + 1;
}
