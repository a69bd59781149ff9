// The month calendar dialog (resource 106).
#pragma once
#include <windows.h>
#include <cstdint>

// How a day's cell is marked: nothing, a ticked box (learned) or an empty
// one (behind).
enum class CalendarMark { None, Ticked, Empty };
using CalendarMarkSource = CalendarMark (*)(int32_t day);

// Shows the calendar over owner starting at day (0 = today); gives the
// chosen absolute day number, or 0 when the reader chose none. marks, when
// given, says how each day is marked.
int32_t RunCalendarDialog(HINSTANCE instance, HWND owner, int32_t day, const char16_t* faceName,
                          CalendarMarkSource marks = nullptr);

INT_PTR CALLBACK CalendarDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

struct CalendarState;
// The calendar's state while it is open, for tests.
const CalendarState* OpenCalendarState();
