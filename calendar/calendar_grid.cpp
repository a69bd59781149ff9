#include "calendar/calendar_grid.h"
#include "calendar/date_text.h"

#include <cstdio>
#include "calendar/calendar.h"

namespace {

// Button names in the letter code, display order. Most are the date text's
// month names; Av gets its two-word form and Adar II a short label.
const uint8_t* Name(const char* s)
{
    return reinterpret_cast<const uint8_t*>(s);
}

// The buttons use the date text's month names, but for month 5's longer
// two-word name and Adar II's short label.
constexpr const char* MONTH_5_BUTTON = "ba nhqo";  // מנחם אב
constexpr const char* ADAR_II = "'b";  // ב'

void CopyPair(CalendarState* s)
{
    const MonthButton* pair = s->leap ? s->leapPair : s->commonPair;
    s->buttons[11] = pair[0];
    s->buttons[12] = pair[1];
}

uint16_t U16(int v)
{
    return static_cast<uint16_t>(v);
}

bool Inside(const MonthButton& b, int x, int y)
{
    return b.left <= x && x <= b.right && b.top <= y && y <= b.bottom;
}

}  // namespace

void ResetCalendar(CalendarState* s)
{
    *s = {};
    for (int i = 0; i < 11; ++i) s->buttons[i].name = Name(i == 4 ? MONTH_5_BUTTON : HebrewMonthName(i + 1, false));
    s->commonPair[0].name = Name(HebrewMonthName(12, false));
    s->leapPair[0].name = Name(HebrewMonthName(12, true));
    s->leapPair[1].name = Name(ADAR_II);
}

void SetShownDay(CalendarState* s, int32_t day, bool initial)
{
    uint8_t wasLeap = s->leap;
    bool force = initial;
    if (!day) {
        day = TodayAbsolute();
        force = true;
    }
    s->resultDay = day;
    s->shown = HebrewFromAbsolute(day);
    s->firstWeekday = static_cast<uint8_t>(FloorMod(day - s->shown.day + 1, 7));
    s->leap = IsHebrewLeapYear(s->shown.year) ? 1 : 0;
    if (s->leap != wasLeap || force) {
        CopyPair(s);
        s->dirty |= DIRTY_BUTTONS;
        if (initial) s->marked = s->shown;
        if (s->leap) s->dirty |= DIRTY_SEAM;
    }
    s->monthLength = static_cast<uint8_t>(HebrewMonthLength(s->shown.month, s->shown.year));
    std::snprintf(s->yearText, sizeof s->yearText, " %d ", s->shown.year);
}

void LayoutCalendar(CalendarState* s, int w, int h, int boldHeight)
{
    CalendarGeometry& g = s->g;
    g.w = w;
    g.h = h;
    g.T = boldHeight;
    int W = w + 1, H = h + 1;
    g.GT = 3 * H / 9;
    g.RH = (h - g.GT) / 7;
    g.CW = W / 8;
    g.GW = 7 * g.CW + 1;
    g.GL = (W - g.GW) / 2;
    g.HT = 2;
    g.MT = boldHeight + 6;
    g.BW = (7 * W / 8) / 4;
    g.BH = (g.GT - g.MT - 4) / 3;
    g.ML = (W - (4 * g.BW + 1)) / 2;
    for (int k = 1; k <= 12; ++k) {
        int r = (k - 1) / 4, c = (k - 1) % 4;
        MonthButton& b = s->buttons[k - 1];
        b.left = U16(g.ML + (3 - c) * g.BW);
        b.right = U16(b.left + g.BW);
        b.top = U16(g.MT + r * g.BH);
        b.bottom = U16(b.top + g.BH);
    }
    uint16_t top = U16(g.MT + 2 * g.BH), bottom = U16(g.MT + 3 * g.BH);
    s->commonPair[0] = {top, U16(g.ML), bottom, U16(g.ML + g.BW), s->commonPair[0].name};
    s->leapPair[0] = {top, U16(g.ML + g.BW / 4), bottom, U16(g.ML + g.BW), s->leapPair[0].name};
    s->leapPair[1] = {top, U16(g.ML), bottom, U16(g.ML + g.BW / 4), s->leapPair[1].name};
    if (s->leap) CopyPair(s);
}

void ApplyShownMonth(CalendarState* s)
{
    if (s->shown.day == 30 && HebrewMonthLength(s->shown.month, s->shown.year) < 30) s->shown.day = 29;
    SetShownDay(s, AbsoluteFromHebrew(s->shown.month, s->shown.day, s->shown.year), false);
    s->dirty |= DIRTY_BUTTONS;
}

int MonthButtonAt(const CalendarState* s, int x, int y)
{
    for (int i = 0; i < MONTH_SLOTS && s->buttons[i].name; ++i)
        if (Inside(s->buttons[i], x, y)) return i + 1;
    return 0;
}

int YearArrowAt(const CalendarState* s, int x, int y)
{
    const CalendarGeometry& g = s->g;
    if (y < g.HT || y > g.HT + g.T || !s->arrowWidth) return 0;
    if (s->leftArrowX <= x && x <= s->leftArrowX + s->arrowWidth) return -1;
    if (s->rightArrowX <= x && x <= s->rightArrowX + s->arrowWidth) return 1;
    return 0;
}

void ChangeYear(CalendarState* s, int delta)
{
    // Adar II has 29 days, so the month it becomes needs no shorter day.
    s->shown.year += delta;
    if (s->shown.month == 13) s->shown.month = 12;
    ApplyShownMonth(s);
    s->dirty |= DIRTY_YEAR;
}

int DayAt(const CalendarState* s, int x, int y)
{
    const CalendarGeometry& g = s->g;
    if (g.CW <= 0 || g.RH <= 0) return 0;
    int dx = x - g.GL;
    int dy = y - (g.GT + g.RH);
    if (dx < 0 || dx >= 7 * g.CW || dy < 0 || dy > s->weekRows * g.RH) return 0;
    int day = dx / g.CW + 7 * (dy / g.RH) - s->firstWeekday + 1;
    return day >= 1 && day <= s->monthLength ? day : 0;
}

bool DayCell(const CalendarState* s, int day, int* column, int* row)
{
    if (day < 1 || day > s->monthLength) return false;
    int p = s->firstWeekday + day - 1;
    *column = p % 7;
    *row = p / 7 + 1;
    return true;
}

int WeekRowsNeeded(const CalendarState* s)
{
    return s->firstWeekday == 6 && s->monthLength == 30 ? 6 : 5;
}

void MoveByKey(CalendarState* s, CalendarKey key)
{
    int last = LastHebrewMonth(s->shown.year);
    int month = s->shown.month;
    int year = s->shown.year;
    switch (key) {
    case CalendarKey::PreviousYear: --year; break;
    case CalendarKey::NextYear: ++year; break;
    case CalendarKey::FirstMonth: month = 1; break;
    case CalendarKey::LastMonth: month = last; break;
    case CalendarKey::NextMonth:
        month = month >= last ? 1 : month + 1;
        if (month == 7) ++year;
        break;
    case CalendarKey::PreviousMonth:
        month = month <= 1 ? last : month - 1;
        if (month == 6) --year;
        break;
    }
    s->shown.month = month;
    if (year != s->shown.year) {
        s->shown.year = year;
        if (s->shown.month > LastHebrewMonth(year)) s->shown.month = 12;
        s->dirty |= DIRTY_BUTTONS | DIRTY_YEAR;
    }
    ApplyShownMonth(s);
}

void StepShownDay(CalendarState* s, int delta)
{
    DateRec was = s->shown;
    SetShownDay(s, s->resultDay + delta, false);
    s->keyboardDay = true;
    if (s->shown.month != was.month || s->shown.year != was.year) s->dirty |= DIRTY_BUTTONS;
    if (s->shown.year != was.year) s->dirty |= DIRTY_YEAR;
}

void ChooseDay(CalendarState* s, int day)
{
    s->resultDay += day - s->shown.day;
    s->marked = {s->shown.month, day, s->shown.year};
    s->shown.day = day;
}
