// The three-chapter daily cycle: day to lesson, lesson to nearest day, and
// the current-day part of g_settings.
#pragma once
#include <cstdint>

constexpr int32_t CYCLE_ANCHOR_DAY = 732531;  // 8 August 2006, lesson 1
constexpr int LESSON_COUNT = 339;
constexpr int CHAPTER_COUNT = 1017;

constexpr int SELECT_STARTUP = 0;
constexpr int SELECT_NAVIGATION = 1;

// chapters is 3 for the daily three-chapter cycle, anything else for the
// one-chapter cycle.
uint16_t LessonOfDay(int chapters, int32_t day);

// The Hebrew date and its text of g_settings.Day, and its portion, into
// g_settings.
void DeriveDayDate();

// day 0 means today. Start-up mode leaves a pinned day alone and sends the
// view to the top when the day changes; navigation always pins.
void SelectDay(int32_t day, int mode);

// The day within 169 days of today on which lesson falls.
int32_t NearestDayOfLesson(int lesson);
