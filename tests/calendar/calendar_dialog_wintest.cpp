// The month calendar opened through Calendar, driven with real messages.
#include "tests/support/dialog_driver.h"

#include "calendar/calendar.h"
#include "calendar/calendar_dialog.h"
#include "calendar/calendar_grid.h"
#include "resources/resource.h"

namespace dialog_test {
namespace {

class CalendarDialog : public DialogTest {
protected:
    void Open(std::function<void(HWND dialog, const CalendarState* s)> script, UINT end = IDCANCEL)
    {
        DialogDriver::Next([script](HWND dialog) {
            UpdateWindow(dialog);   // painted once, so the arrows have their place
            script(dialog, OpenCalendarState());
        }, end);
        Command(IDM_CALENDAR);
    }
};

void ClickDay(HWND dialog, const CalendarState* s, int day)
{
    int column = 0, row = 0;
    DayCell(s, day, &column, &row);
    int x = s->g.GL + column * s->g.CW + s->g.CW / 2;
    int y = s->g.GT + row * s->g.RH + s->g.RH / 2;
    SendMessageW(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
}

TEST_F(CalendarDialog, ClosingWithoutAChoiceChangesNothing)
{
    PresetWindow();
    Preset(L"Flags", DEFAULT_FLAGS | FLAG_PIN);
    Preset(L"Day", 732737);
    Preset(L"Lesson", 207);
    Start();
    DateRec marked = {};
    for (UINT end : {UINT(IDOK), UINT(IDCANCEL), UINT(WM_CLOSE)}) {
        Open([&](HWND, const CalendarState* s) { marked = s->marked; }, end);
        EXPECT_EQ(g_settings.Day, 732737);
        EXPECT_EQ(g_settings.Lesson, 207);
    }
    DateRec opened = HebrewFromAbsolute(732737);
    EXPECT_EQ(marked.day, opened.day);
    EXPECT_EQ(marked.month, opened.month);
}

TEST_F(CalendarDialog, AClickedDayIsShown)
{
    PresetWindow();
    Preset(L"Flags", DEFAULT_FLAGS | FLAG_PIN);
    Preset(L"Day", 732737);
    Preset(L"Lesson", 207);
    Start();
    DateRec opened = HebrewFromAbsolute(732737);
    int day = opened.day == 1 ? 2 : 1;
    Open([&](HWND dialog, const CalendarState* s) { ClickDay(dialog, s, day); }, 0);
    int32_t chosen = AbsoluteFromHebrew(opened.month, day, opened.year);
    EXPECT_EQ(g_settings.Day, chosen);
    EXPECT_EQ(g_settings.Lesson, (chosen + 48) % 339 + 1);
}

TEST_F(CalendarDialog, AltKeysAndYearArrowsBrowse)
{
    PresetWindow();
    Preset(L"Flags", DEFAULT_FLAGS | FLAG_PIN);
    Preset(L"Day", AbsoluteFromHebrew(6, 10, 5784));
    Preset(L"Lesson", 1);
    Start();
    int month = 0, year = 0, afterArrow = 0, afterBox = 0;
    int32_t chosen = 0;
    Open([&](HWND dialog, const CalendarState* s) {
        SendMessageW(dialog, WM_SYSKEYDOWN, VK_LEFT, 0);
        month = s->shown.month;
        year = s->shown.year;
        // The right arrow: a year on; the year box between: nothing.
        int y = s->g.HT + 2;
        SendMessageW(dialog, WM_LBUTTONDOWN, 0, MAKELPARAM(s->rightArrowX + 2, y));
        afterArrow = s->shown.year;
        SendMessageW(dialog, WM_LBUTTONDOWN, 0, MAKELPARAM(s->g.w / 2, y));
        afterBox = s->shown.year;
        ClickDay(dialog, s, 3);
        chosen = AbsoluteFromHebrew(s->shown.month, 3, s->shown.year);
    }, 0);
    EXPECT_EQ(month, 7);
    EXPECT_EQ(year, 5785);
    EXPECT_EQ(afterArrow, 5786);
    EXPECT_EQ(afterBox, 5786);
    EXPECT_EQ(g_settings.Day, chosen);
}

}  // namespace
}  // namespace dialog_test
