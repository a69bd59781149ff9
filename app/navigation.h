// Moving between days and lessons in the main view.
#pragma once
#include <windows.h>
#include <cstdint>
#include "settings/settings.h"

// A day no absolute day number reaches: keep day and lesson, just show it.
constexpr int32_t KEEP_DAY = int32_t(0xF4FFF500);

// day: an absolute day number, 0 for today, or KEEP_DAY.
void GoToDay(HWND window, int32_t day);
// A lesson by number, belonging to no day.
void GoToLesson(HWND window, int lesson);
// Next (+1) or previous (-1) day, or lesson when no day is shown.
// The other track, at the same date; a lesson chosen by number becomes the
// day of its first chapter on the one-chapter track.
void SwitchTrack(HWND window);
// On the one-chapter track a day is always shown (start-up and switching).
void EnsureTrackDay();

void StepDay(HWND window, int step);
// A left click at the packed client coordinates.
void OnViewClick(HWND window, LPARAM point);
// Calendar over the main window; goes to the chosen day when it is new.
void ChooseDayFromCalendar(HWND window);
