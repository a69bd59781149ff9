#include "app/navigation.h"

#include <cstdlib>

#include <windowsx.h>

#include "base/globals.h"
#include "base/menu_check_win.h"
#include "calendar/calendar.h"
#include "calendar/calendar_dialog.h"
#include "calendar/schedule.h"
#include "calendar/track_reading.h"
#include "content/lesson_store.h"
#include "settings/bookmarks_win.h"
#include "settings/settings.h"
#include "text/document_view_win.h"

namespace {

// A failed move puts day, lesson, date text and pin back as they were, so
// what is saved at shutdown is what the view shows.
void ShowOrPutBack(HWND window, const Settings& before)
{
    uint8_t* text = LoadShownReading(nullptr);
    if (!text) {
        PutBackLesson(window, before);
        return;
    }
    if (!TakeLessonText(window, text, before))
        return;
    if (TextView* view = g_state.mainView) {
        view->firstRow = 0;
        RefreshMain(window, PAINT_REFRESH);
        SyncBookmarkCheck(window, MENU_CHECK_SET);
    }
}

}  // namespace

void GoToDay(HWND window, int32_t day)
{
    Settings before = g_settings;
    if (day != KEEP_DAY)
        SelectDay(day, SELECT_NAVIGATION);
    ShowOrPutBack(window, before);
}

void GoToLesson(HWND window, int lesson)
{
    // The one-chapter track reads days: the lesson's first chapter's.
    if (OnTrackOne()) {
        GoToDay(window, DayOfLessonOnTrackOne(lesson, g_settings.Day ? g_settings.Day : TodayAbsolute()));
        return;
    }
    Settings before = g_settings;
    g_settings.Flags |= FLAG_PIN;
    g_settings.Day = 0;
    g_settings.dateText[0] = 0;
    g_settings.dateTextLength = 0;
    g_settings.Lesson = uint16_t(lesson);
    ShowOrPutBack(window, before);
}

void SwitchTrack(HWND window)
{
    Settings before = g_settings;
    g_settings.Track = OnTrackOne() ? TRACK_THREE : TRACK_ONE;
    EnsureTrackDay();
    ShowOrPutBack(window, before);
}

void EnsureTrackDay()
{
    if (OnTrackOne() && !ShowsDayPortion())
        SelectDay(DayOfLessonOnTrackOne(g_settings.Lesson, TodayAbsolute()), SELECT_NAVIGATION);
}

void StepDay(HWND window, int step)
{
    if (g_settings.dateTextLength) {
        GoToDay(window, g_settings.Day + step);
        return;
    }
    int lesson = g_settings.Lesson + step;
    if (lesson > LESSON_COUNT)
        lesson = 1;
    else if (lesson < 1)
        lesson = LESSON_COUNT;
    GoToLesson(window, lesson);
}

void ChooseDayFromCalendar(HWND window)
{
    int32_t day = RunCalendarDialog(g_state.instance, window, g_settings.Day, g_settings.FontName);
    if (day != 0 && day != g_settings.Day)
        GoToDay(window, day);
}

void OnViewClick(HWND window, LPARAM point)
{
    TextView* view = g_state.mainView;
    if (!view)
        return;
    int x = GET_X_LPARAM(point);
    int y = GET_Y_LPARAM(point);
    if (ClickPage(window, view, x, y, 1))
        return;
    const BandBox& band = g_state.dateBand;
    if (y >= band.top && y <= band.top + band.height)
        ChooseDayFromCalendar(window);
}
