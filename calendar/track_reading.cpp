#include "calendar/track_reading.h"

#include "calendar/calendar.h"
#include "calendar/portion_schedule.h"
#include "calendar/portion_text.h"
#include "content/lesson_store.h"
#include "settings/settings.h"

bool OnTrackOne()
{
    return g_settings.Track == TRACK_ONE;
}

int ShownPortion()
{
    return g_settings.Portion;
}

uint8_t* LoadShownReading(int32_t* reason)
{
    // A lesson chosen by number has no day, so no portion: it is shown as it is.
    if (OnTrackOne() && g_settings.dateTextLength) return LoadPortion(ShownPortion(), reason);
    return LoadLesson(g_settings.Lesson, reason);
}

int32_t DayOfLessonOnTrackOne(int lesson, int32_t near)
{
    return DayOfPortionInCycle(PortionOfBlock(FirstBlockOfLesson(lesson)), near);
}
