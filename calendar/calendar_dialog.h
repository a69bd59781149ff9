// The month calendar dialog (resource 106).
#pragma once
#include <windows.h>
#include <cstdint>

// Shows the calendar over owner starting at day (0 = today); gives the
// chosen absolute day number, or 0 when the reader chose none.
int32_t RunCalendarDialog(HINSTANCE instance, HWND owner, int32_t day, const char16_t* faceName);

INT_PTR CALLBACK CalendarDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

struct CalendarState;
// The calendar's state while it is open, for tests.
const CalendarState* OpenCalendarState();
