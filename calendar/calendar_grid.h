// The month calendar's state and arithmetic: which month and day are shown
// and marked, where the month buttons, year arrows and day cells lie, and
// how clicks and keys move between them. Portable; calendar_dialog.cpp
// draws it.
#pragma once
#include <cstdint>
#include "base/date_rec.h"

constexpr int MONTH_SLOTS = 13;
constexpr uint8_t DIRTY_BUTTONS = 0x01;
constexpr uint8_t DIRTY_YEAR = 0x04;
constexpr uint8_t DIRTY_SEAM = 0x08;   // the gap between the Adar I / II halves

struct MonthButton {
    uint16_t top, left, bottom, right;
    const uint8_t* name;   // letter code; null ends the table
};

struct CalendarGeometry {
    int w, h;    // client right and bottom
    int T;       // bold font height
    int GT, RH, CW, GW, GL;
    int HT;
    int MT, BW, BH, ML;
};

struct CalendarState {
    DateRec shown;
    DateRec marked;
    int32_t resultDay;
    uint8_t leap;
    uint8_t firstWeekday;   // of day 1, 0 = Sunday
    uint8_t weekRows;       // as the latest grid painting counted
    uint8_t monthLength;
    uint8_t dirty;
    char yearText[7];
    CalendarGeometry g;
    MonthButton buttons[MONTH_SLOTS + 1];
    MonthButton commonPair[2];
    MonthButton leapPair[2];
    int leftArrowX, rightArrowX, arrowWidth;   // arrowWidth 0 until first painted
    bool keyboardDay;   // the arrow keys moved the shown day: it is framed, and Enter takes it
};

enum class CalendarKey { PreviousYear, NextYear, FirstMonth, LastMonth, NextMonth, PreviousMonth };

// Zeroed state with the month button names in place.
void ResetCalendar(CalendarState* s);
// day 0 is today. initial marks the day and sets the Adar pair in any case.
void SetShownDay(CalendarState* s, int32_t day, bool initial);
void LayoutCalendar(CalendarState* s, int w, int h, int boldHeight);
// After the shown month or year changed in place.
void ApplyShownMonth(CalendarState* s);

// The month (1..13) whose button holds the point, or 0.
int MonthButtonAt(const CalendarState* s, int x, int y);
// -1 for the left arrow, +1 for the right, 0 for neither.
int YearArrowAt(const CalendarState* s, int x, int y);
void ChangeYear(CalendarState* s, int delta);
// The day of the month in the cell under the point, or 0.
int DayAt(const CalendarState* s, int x, int y);
// Column and row (1..6) of a day's cell; false outside the month.
bool DayCell(const CalendarState* s, int day, int* column, int* row);
int WeekRowsNeeded(const CalendarState* s);
void MoveByKey(CalendarState* s, CalendarKey key);
// The arrow keys: the shown day moves by delta days, into the next or
// previous month and year where it leaves the shown one.
void StepShownDay(CalendarState* s, int delta);
// Takes a clicked day: the result moves by as many days, the day is marked.
void ChooseDay(CalendarState* s, int day);
