#include "app/learned_commands.h"

#include "app/navigation.h"
#include "base/globals.h"
#include "base/menu_check_win.h"
#include "calendar/calendar.h"
#include "calendar/calendar_dialog.h"
#include "calendar/learned_days_win.h"
#include "calendar/schedule.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "text/document_view_win.h"

namespace {

const wchar_t* const MONTH_NAMES[] = {L"January", L"February", L"March",     L"April",   L"May",      L"June",
                                      L"July",    L"August",   L"September", L"October", L"November", L"December"};

// A lesson chosen by number belongs to no day; it is marked as the day
// nearest today that reads it, the same place in the cycle.
int32_t ShownDay()
{
    if (g_settings.dateTextLength && g_settings.Day)
        return g_settings.Day;
    return NearestDayOfLesson(g_settings.Lesson);
}

void FormatDay(wchar_t* out, int32_t day)
{
    DateRec d = GregorianFromAbsolute(day);
    wsprintfW(out, L"%d %s %d", d.day, MONTH_NAMES[(d.month - 1) % 12], d.year);
}

void Congratulate(HWND window, const LearnedDays* days)
{
    wchar_t first[32], last[32], next[32], text[256];
    FormatDay(first, days->first);
    FormatDay(last, days->first + days->cycle.length - 1);
    FormatDay(next, days->first + days->cycle.length);
    wsprintfW(text, L"Well done! You have learned every day of the cycle from %s to %s.\n\n"
                    L"The next cycle begins on %s with nothing marked.",
              first, last, next);
    MessageBoxW(window, text, L"Cycle finished", MB_OK | MB_ICONINFORMATION);
}

void StandingOfShownDay(BandStanding* standing)
{
    const LearnedDays* days = CurrentLearned();
    int32_t today = TodayAbsolute();
    standing->learned = IsLearned(days, ShownDay());
    standing->behind = BehindCount(days, today);
    standing->marking = HoldsUnfinishedMarks(days) || CycleFinished(days, days->first);
}

CalendarMark CalendarMarkOfDay(int32_t day)
{
    switch (MarkOfDay(CurrentLearned(), day, TodayAbsolute())) {
    case DayMark::Learned: return CalendarMark::Ticked;
    case DayMark::Behind: return CalendarMark::Empty;
    default: return CalendarMark::None;
    }
}

}  // namespace

void CommandLearned(HWND window)
{
    LearnedChange change = ToggleLearnedDay(ShownDay());
    SyncLearnedCheck(window);
    RedrawDateBand(window);
    if (change == LearnedChange::Finished)
        Congratulate(window, CurrentLearned());
}

void CommandNextUnlearned(HWND window)
{
    int32_t today = TodayAbsolute();
    int32_t day = NextUnlearnedDay(CurrentLearned(), today);
    GoToDay(window, day == today ? 0 : day);
}

void SyncLearnedCheck(HWND window)
{
    SetMenuCheck(GetMenu(window), MENU_CHECK_SET, IDM_LEARNED, IsLearned(CurrentLearned(), ShownDay()));
}

void ShowLearnedStanding()
{
    SetStandingSource(StandingOfShownDay);
    SetCalendarMarkSource(CalendarMarkOfDay);
}
