// The month calendar dialog (resource 106).
#pragma once
#include <windows.h>
#include <cstdint>

// How a day's cell is marked: nothing, a ticked box (learned) or an empty
// one (behind).
enum class CalendarMark { None, Ticked, Empty };
using CalendarMarkSource = CalendarMark (*)(int32_t day);

// Where the calendar asks how a day is marked (none: no marks), installed
// by the window that opens it.
void SetCalendarMarkSource(CalendarMarkSource marks);

// Shows the calendar over owner starting at day (0 = today); gives the
// chosen absolute day number, or 0 when the reader chose none.
int32_t RunCalendarDialog(HINSTANCE instance, HWND owner, int32_t day, const char16_t* faceName);

INT_PTR CALLBACK CalendarDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

struct CalendarState;
// The calendar's state while it is open, for tests.
const CalendarState* OpenCalendarState();
