#include "calendar/calendar_grid.h"

#include <gtest/gtest.h>
#include "calendar/calendar.h"

namespace {

// A calendar opened on a Hebrew date and laid out at 320 x 320, bold 16.
CalendarState Open(int month, int day, int year)
{
    CalendarState s;
    ResetCalendar(&s);
    SetShownDay(&s, AbsoluteFromHebrew(month, day, year), true);
    LayoutCalendar(&s, 320, 320, 16);
    s.weekRows = static_cast<uint8_t>(WeekRowsNeeded(&s));
    return s;
}

// Middle of a day's cell.
void CellCentre(const CalendarState& s, int day, int* x, int* y)
{
    int column = 0, row = 0;
    ASSERT_TRUE(DayCell(&s, day, &column, &row));
    *x = s.g.GL + column * s.g.CW + s.g.CW / 2;
    *y = s.g.GT + row * s.g.RH + s.g.RH / 2;
}

}  // namespace

TEST(CalendarGrid, LayoutOfTheExample)
{
    CalendarState s = Open(13, 1, 5784);   // a leap year: Adar I and II split
    const CalendarGeometry& g = s.g;
    EXPECT_EQ(g.GT, 107);
    EXPECT_EQ(g.RH, 30);
    EXPECT_EQ(g.CW, 40);
    EXPECT_EQ(g.GW, 281);
    EXPECT_EQ(g.GL, 20);
    EXPECT_EQ(g.MT, 22);
    EXPECT_EQ(g.BW, 70);
    EXPECT_EQ(g.BH, 27);
    EXPECT_EQ(g.ML, 20);
    const MonthButton& nisan = s.buttons[0];
    EXPECT_EQ(nisan.left, 230);
    EXPECT_EQ(nisan.right, 300);
    EXPECT_EQ(nisan.top, 22);
    EXPECT_EQ(nisan.bottom, 49);
    EXPECT_EQ(s.buttons[12].left, 20);
    EXPECT_EQ(s.buttons[12].right, 37);
    EXPECT_EQ(s.buttons[11].left, 37);
    EXPECT_EQ(s.buttons[11].right, 90);
    EXPECT_EQ(s.buttons[11].top, 76);
    EXPECT_EQ(s.buttons[11].bottom, 103);
    // A shared edge belongs to the earlier month.
    EXPECT_EQ(MonthButtonAt(&s, 230, 30), 1);
    EXPECT_EQ(MonthButtonAt(&s, 30, 80), 13);
    EXPECT_EQ(MonthButtonAt(&s, 37, 80), 12);
}

TEST(CalendarGrid, AdarSplitsAndJoinsWithTheYear)
{
    CalendarState s = Open(12, 1, 5783);   // common year: one Adar, no slot 13
    EXPECT_EQ(s.buttons[12].name, nullptr);
    EXPECT_EQ(s.buttons[11].left, 20);
    s.dirty = 0;
    ChangeYear(&s, 1);
    EXPECT_TRUE(s.leap);
    EXPECT_NE(s.buttons[12].name, nullptr);
    EXPECT_EQ(s.buttons[11].left, 37);
    EXPECT_TRUE(s.dirty & DIRTY_SEAM);
    EXPECT_TRUE(s.dirty & DIRTY_BUTTONS);
    // From Adar II into a common year: Adar.
    s.shown.month = 13;
    ApplyShownMonth(&s);
    ChangeYear(&s, 1);
    EXPECT_EQ(s.shown.month, 12);
    EXPECT_EQ(s.buttons[12].name, nullptr);
}

TEST(CalendarGrid, KeysAcrossMonthsAndYears)
{
    CalendarState s = Open(6, 10, 5784);
    MoveByKey(&s, CalendarKey::NextMonth);
    EXPECT_EQ(s.shown.month, 7);
    EXPECT_EQ(s.shown.year, 5785);
    MoveByKey(&s, CalendarKey::PreviousMonth);
    EXPECT_EQ(s.shown.month, 6);
    EXPECT_EQ(s.shown.year, 5784);
    MoveByKey(&s, CalendarKey::LastMonth);
    EXPECT_EQ(s.shown.month, 13);
    MoveByKey(&s, CalendarKey::NextMonth);
    EXPECT_EQ(s.shown.month, 1);
    EXPECT_EQ(s.shown.year, 5784);
    MoveByKey(&s, CalendarKey::PreviousMonth);
    EXPECT_EQ(s.shown.month, 13);
    // A year later month 13 is gone: 12.
    MoveByKey(&s, CalendarKey::NextYear);
    EXPECT_EQ(s.shown.month, 12);
    EXPECT_EQ(s.shown.year, 5785);
    MoveByKey(&s, CalendarKey::FirstMonth);
    EXPECT_EQ(s.shown.month, 1);
    // The result follows the shown day; the mark stays where it opened.
    EXPECT_EQ(s.resultDay, AbsoluteFromHebrew(1, 10, 5785));
    EXPECT_EQ(s.marked.month, 6);
    EXPECT_EQ(s.marked.year, 5784);
}

// The arrow keys walk day by day and week by week across months and years
// (the Hebrew year turns between Elul and Tishrei); the mark stays put.
TEST(CalendarGrid, ArrowStepsCrossMonthsAndYears)
{
    CalendarState s = Open(6, 29, 5784);
    s.dirty = 0;
    StepShownDay(&s, 1);
    EXPECT_TRUE(s.keyboardDay);
    EXPECT_EQ(s.shown.month, 7);
    EXPECT_EQ(s.shown.day, 1);
    EXPECT_EQ(s.shown.year, 5785);
    EXPECT_EQ(s.dirty & (DIRTY_BUTTONS | DIRTY_YEAR), DIRTY_BUTTONS | DIRTY_YEAR);
    EXPECT_EQ(s.resultDay, AbsoluteFromHebrew(7, 1, 5785));
    EXPECT_EQ(s.monthLength, HebrewMonthLength(7, 5785));
    s.dirty = 0;
    StepShownDay(&s, -7);
    EXPECT_EQ(s.shown.month, 6);
    EXPECT_EQ(s.shown.day, 23);
    StepShownDay(&s, 1);
    EXPECT_EQ(s.dirty & DIRTY_BUTTONS, DIRTY_BUTTONS);
    s.dirty = 0;
    StepShownDay(&s, 1);   // within the month nothing above the grid is redrawn
    EXPECT_EQ(s.dirty, 0);
    EXPECT_EQ(s.marked.month, 6);
    EXPECT_EQ(s.marked.day, 29);
    // Into a leap year: Adar splits in two.
    CalendarState leap = Open(6, 29, 5783);
    StepShownDay(&leap, 1);
    EXPECT_EQ(leap.leap, 1);
    EXPECT_EQ(leap.buttons[12].name, leap.leapPair[1].name);
}

TEST(CalendarGrid, DayThirtyBecomesTwentyNine)
{
    // Kislev 30 exists in some years only.
    int year = 5784;
    while (HebrewMonthLength(9, year) != 30) ++year;
    CalendarState s = Open(9, 30, year);
    int other = year + 1;
    while (HebrewMonthLength(9, other) != 29) ++other;
    ChangeYear(&s, other - year);
    EXPECT_EQ(s.shown.day, 29);
    EXPECT_EQ(s.shown.year, other);
}

TEST(CalendarGrid, WhatADayClickHits)
{
    CalendarState s = Open(1, 15, 5784);
    int x = 0, y = 0;
    CellCentre(s, 1, &x, &y);
    EXPECT_EQ(DayAt(&s, x, y), 1);
    CellCentre(s, s.monthLength, &x, &y);
    EXPECT_EQ(DayAt(&s, x, y), s.monthLength);
    // The heading row, a cell before day 1, after the last, the right border.
    EXPECT_EQ(DayAt(&s, x, s.g.GT + 5), 0);
    if (s.firstWeekday > 0) {
        EXPECT_EQ(DayAt(&s, s.g.GL + 5, s.g.GT + s.g.RH + 5), 0);
    }
    EXPECT_EQ(DayAt(&s, s.g.GL + 7 * s.g.CW, y), 0);
    int column = 0, row = 0;
    DayCell(&s, s.monthLength, &column, &row);
    if (column < 6) {
        EXPECT_EQ(DayAt(&s, x + s.g.CW, y), 0);
    }
    ChooseDay(&s, 20);
    EXPECT_EQ(s.resultDay, AbsoluteFromHebrew(1, 20, 5784));
    EXPECT_EQ(s.marked.day, 20);
}

TEST(CalendarGrid, SixWeekRowsOnlyForAThirtyDayMonthFromSaturday)
{
    // Find a 30-day month whose first day is a Saturday.
    for (int year = 5780; year < 5800; ++year)
        for (int month = 1; month <= LastHebrewMonth(year); ++month) {
            if (HebrewMonthLength(month, year) != 30 || AbsoluteFromHebrew(month, 1, year) % 7 != 6) continue;
            CalendarState s = Open(month, 1, year);
            EXPECT_EQ(WeekRowsNeeded(&s), 6);
            int column = 0, row = 0;
            DayCell(&s, 30, &column, &row);
            EXPECT_EQ(row, 6);
            return;
        }
    FAIL() << "no such month found";
}
