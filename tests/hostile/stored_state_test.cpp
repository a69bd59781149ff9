// Start-up on a stored state that holds no usable lesson: the pin must not
// keep the reader on an empty view.
#include <gtest/gtest.h>

#include "calendar/schedule.h"
#include "settings/settings.h"

TEST(StoredState, PinWithoutAUsableLessonFallsBackToToday)
{
    // Lesson past the cycle, past 16 bits' worth, or missing; with and
    // without a stored day.
    for (uint16_t lesson : {uint16_t(0), uint16_t(340), uint16_t(0xFFFF)}) {
        for (bool withDay : {false, true}) {
            g_settings = {};
            g_settings.Flags = DEFAULT_FLAGS | FLAG_PIN;
            g_settings.Lesson = lesson;
            SelectDay(0, SELECT_STARTUP);
            int32_t today = g_settings.Day;
            EXPECT_GE(g_settings.Lesson, 1) << lesson;
            EXPECT_LE(g_settings.Lesson, LESSON_COUNT) << lesson;
            EXPECT_FALSE(g_settings.Flags & FLAG_PIN) << lesson;
            if (!withDay) continue;
            // The stored day is today already, but its lesson is gone.
            g_settings.Flags |= FLAG_PIN;
            g_settings.Lesson = lesson;
            g_settings.Day = today;
            SelectDay(0, SELECT_STARTUP);
            EXPECT_EQ(g_settings.Lesson, LessonOfDay(3, today)) << lesson;
        }
    }
    // A usable pinned lesson stays.
    g_settings = {};
    g_settings.Flags = DEFAULT_FLAGS | FLAG_PIN;
    g_settings.Lesson = 200;
    SelectDay(0, SELECT_STARTUP);
    EXPECT_EQ(g_settings.Lesson, 200);
    EXPECT_TRUE(g_settings.Flags & FLAG_PIN);
}
