// Day <-> lesson in the daily cycle, and the day selection kept in g_settings.
#include "calendar/schedule.h"

#include <algorithm>
#include "calendar/calendar.h"
#include "calendar/date_text.h"
#include "settings/settings.h"

void DeriveDayDate()
{
    g_settings.date = HebrewFromAbsolute(g_settings.Day);
    g_settings.dateTextLength = FormatHebrewDate(&g_settings.date, g_settings.dateText);
    if (g_settings.dateTextLength == 0) g_settings.dateText[0] = 0;
    g_settings.Portion = LessonOfDay(1, g_settings.Day);
}

namespace {

// The date of Day and its text follow Day everywhere it is set.
void StoreDay(int32_t day)
{
    g_settings.Day = day;
    DeriveDayDate();
    g_settings.Lesson = LessonOfDay(3, day);
}

}  // namespace

uint16_t LessonOfDay(int chapters, int32_t day)
{
    // The offsets put the anchor day on lesson 1 of both cycles.
    if (chapters == 3) return static_cast<uint16_t>(FloorMod(day + 48, LESSON_COUNT) + 1);
    return static_cast<uint16_t>(FloorMod(day + 726, CHAPTER_COUNT) + 1);
}

void SelectDay(int32_t day, int mode)
{
    // The pin keeps a stored lesson only when there is one to keep: a damaged
    // or missing "Lesson" would otherwise leave every start on an empty view.
    bool kept = g_settings.Lesson >= 1 && g_settings.Lesson <= LESSON_COUNT;
    if (day == 0 && (g_settings.Flags & FLAG_PIN) && mode == SELECT_STARTUP && kept) return;

    if (day != 0) {
        g_settings.Flags |= FLAG_PIN;
        // Days outside the calendar's span have no true date, and a stored
        // one is dropped at the next start: a step past either end stays there.
        day = std::clamp(day, FIRST_SUPPORTED_DAY, LAST_SUPPORTED_DAY);
    } else {
        day = TodayAbsolute();
        g_settings.Flags &= ~FLAG_PIN;
    }
    if (day == g_settings.Day && kept) return;

    if (mode == SELECT_STARTUP) g_settings.LastPosition = 0;
    StoreDay(day);
    g_settings.Flags = (g_settings.Flags & ~FLAG_DAY_UNCHANGED) | FLAG_DAY_CHANGED;
}

int32_t NearestDayOfLesson(int lesson)
{
    int32_t today = TodayAbsolute();
    int32_t n = FloorMod(lesson - LessonOfDay(3, today), LESSON_COUNT);
    // 339 is odd, so the two directions never tie.
    if (n > LESSON_COUNT / 2) n -= LESSON_COUNT;
    return today + n;
}
