// Learned (Ctrl+L), Next Unlearned Day (Ctrl+U), and where the reader
// stands: in the date band, the Go menu's check and the calendar's marks.
#pragma once
#include <windows.h>
#include <cstdint>
#include "calendar/calendar_dialog.h"

void CommandLearned(HWND window);
void CommandNextUnlearned(HWND window);
// The Learned item checked while the day shown is learned.
void SyncLearnedCheck(HWND window);
// Installs the band's standing source.
void ShowLearnedStanding();
// The calendar's mark for a day.
CalendarMark LearnedMarkOfDay(int32_t day);
