#include "calendar/track_reading.h"

#include "calendar/calendar.h"
#include "calendar/portion_schedule.h"
#include "calendar/portion_text.h"
#include "content/lesson_store.h"
#include "settings/settings.h"

bool ShowsDayPortion()
{
    return OnTrackOne() && g_settings.dateTextLength;
}

uint8_t* LoadShownReading(int32_t* reason)
{
    if (ShowsDayPortion()) return LoadPortion(g_settings.Portion, reason);
    return LoadLesson(g_settings.Lesson, reason);
}

int32_t DayOfLessonOnTrackOne(int lesson, int32_t near)
{
    return DayOfPortionInCycle(PortionOfBlock(FirstBlockOfLesson(lesson)), near);
}
