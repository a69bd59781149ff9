// The month calendar opened through Calendar, driven with real messages.
#include "tests/support/dialog_driver.h"

#include "calendar/calendar.h"
#include "calendar/calendar_dialog.h"
#include "calendar/calendar_grid.h"
#include "resources/resource.h"
#include "text/letter_code.h"
#include "base/accessible_parts_win.h"
#include "tests/support/accessibility.h"

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

// Without the mouse: the arrows walk the days, over the year's turn between
// Elul and Tishrei, through the dialog's own message loop; Enter takes the
// day they reached.
TEST_F(CalendarDialog, ArrowsWalkTheDaysAndEnterTakesOne)
{
    PresetWindow();
    Preset(L"Flags", DEFAULT_FLAGS | FLAG_PIN);
    int32_t opened = AbsoluteFromHebrew(6, 28, 5784);
    Preset(L"Day", opened);
    Preset(L"Lesson", 1);
    Start();
    bool framed = false;
    Open([&](HWND dialog, const CalendarState*) {
        for (WPARAM key : {VK_RIGHT, VK_RIGHT, VK_DOWN, VK_LEFT, VK_UP, VK_DOWN, VK_RETURN})
            PostMessageW(dialog, WM_KEYDOWN, key, 0);
    });
    EXPECT_EQ(g_settings.Day, opened + 8);
    DateRec chosen = HebrewFromAbsolute(g_settings.Day);
    EXPECT_EQ(chosen.month, 7);
    EXPECT_EQ(chosen.year, 5785);
    // Alt with an arrow still browses months and leaves the days alone.
    Open([&](HWND dialog, const CalendarState* s) {
        SendMessageW(dialog, WM_SYSKEYDOWN, VK_LEFT, 0);
        framed = s->keyboardDay;
    });
    EXPECT_FALSE(framed);
    EXPECT_EQ(g_settings.Day, opened + 8);
}

// The year arrows, the month buttons and the days as a screen reader reads
// them: names, the marked and learned states, where they lie; choosing one.
TEST_F(CalendarDialog, PartsForScreenReaders)
{
    PresetWindow();
    Preset(L"Flags", DEFAULT_FLAGS | FLAG_PIN);
    int32_t today = reader_test::TodayNumber();
    DateRec hebrew = HebrewFromAbsolute(today);
    Preset(L"Day", today);
    Preset(L"Lesson", (today + 48) % 339 + 1);
    Start();
    Command(IDM_LEARNED);
    std::u16string band =
        ReadingUnicode(std::string_view(reinterpret_cast<const char*>(g_settings.dateText), g_settings.dateTextLength));
    const long months = LastHebrewMonth(hebrew.year), todayPart = 2 + months + hebrew.day;
    long count = 0, monthState = 0, dayState = 0, focusBefore = 0, focusAfter = 0, hit = 0;
    std::u16string arrow, month, day, description, dialogName;
    RECT box = {}, cell = {};
    HRESULT acted = E_FAIL;
    Open([&](HWND dialog, const CalendarState* s) {
        accessibility_test::ClientObject calendar(dialog);
        if (!calendar) return;
        count = calendar.Count();
        dialogName = calendar.Name(CHILDID_SELF);
        arrow = calendar.Name(1);
        month = calendar.Name(2 + hebrew.month);
        monthState = calendar.State(2 + hebrew.month);
        day = calendar.Name(todayPart);
        dayState = calendar.State(todayPart);
        description = calendar.Description(todayPart);
        focusBefore = calendar.Focus();
        SendMessageW(dialog, WM_KEYDOWN, hebrew.day > 1 ? VK_LEFT : VK_RIGHT, 0);
        focusAfter = calendar.Focus();
        box = calendar.Box(todayPart);
        int column = 0, row = 0;
        DayCell(s, hebrew.day, &column, &row);
        cell = {s->g.GL + column * s->g.CW, s->g.GT + row * s->g.RH, s->g.GL + (column + 1) * s->g.CW,
                s->g.GT + (row + 1) * s->g.RH};
        MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&cell), 2);
        hit = calendar.HitTest({(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2});
        acted = calendar.Act(2 + months + 1);
    }, 0);
    EXPECT_EQ(count, 2 + months + HebrewMonthLength(hebrew.month, hebrew.year));
    EXPECT_NE(dialogName.find(DecimalText(hebrew.year)), std::u16string::npos);
    EXPECT_EQ(arrow, u"Previous year");
    EXPECT_FALSE(month.empty());
    EXPECT_TRUE(monthState & STATE_SYSTEM_SELECTED);
    // The Hebrew date as the band writes it, then the Gregorian.
    EXPECT_EQ(day.rfind(band + u", ", 0), 0u);

    EXPECT_NE(day.find(DecimalText(GregorianFromAbsolute(today).year)), std::u16string::npos);
    EXPECT_TRUE(dayState & STATE_SYSTEM_SELECTED);
    EXPECT_TRUE(dayState & STATE_SYSTEM_CHECKED);
    EXPECT_EQ(description, u"learned");
    EXPECT_EQ(focusBefore, todayPart);
    EXPECT_EQ(focusAfter, hebrew.day > 1 ? todayPart - 1 : todayPart + 1);
    EXPECT_TRUE(EqualRect(&box, &cell));
    EXPECT_EQ(hit, todayPart);
    // The first day of the shown month, chosen by a screen reader.
    EXPECT_EQ(acted, S_OK);
    EXPECT_EQ(g_settings.Day, AbsoluteFromHebrew(hebrew.month, 1, hebrew.year));
}

}  // namespace
}  // namespace dialog_test
