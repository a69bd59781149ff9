#include "app/navigation.h"

#include <cstdlib>

#include <windowsx.h>

#include "app/globals.h"
#include "app/main_window.h"
#include "calendar/calendar_dialog.h"
#include "calendar/schedule.h"
#include "content/lesson_store.h"
#include "settings/settings.h"
#include "text/document_view_win.h"
#include "text/layout.h"

namespace {

// Loads the current lesson into the main view from its top. False when the
// store gives nothing; the view then keeps what it showed.
bool ShowCurrentLesson(HWND window)
{
    uint8_t* text = LoadLesson(g_settings.Lesson, nullptr);
    if (!text)
        return false;
    TextView* view = g_state.mainView;
    if (!view) {
        free(text);
        return true;
    }
    LayoutText(view, text, 1);
    if (view->text != text)
        free(text);
    view->firstRow = 0;
    RefreshMain(window, PAINT_REFRESH);
    SyncBookmarkCheck(window, MENU_CHECK_SET);
    return true;
}

// A failed move puts day, lesson, date text and pin back as they were, so
// what is saved at shutdown is what the view shows.
void ShowOrPutBack(HWND window, const Settings& before)
{
    if (ShowCurrentLesson(window))
        return;
    g_settings = before;
    MessageBoxW(window, L"Could not access the\r\nThe lesson for the selected day", L"Error", MB_ICONWARNING);
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
    Settings before = g_settings;
    g_settings.Flags |= FLAG_PIN;
    g_settings.Day = 0;
    g_settings.dateText[0] = 0;
    g_settings.dateTextLength = 0;
    g_settings.Lesson = uint16_t(lesson);
    ShowOrPutBack(window, before);
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
