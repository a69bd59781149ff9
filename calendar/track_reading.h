// What the reader shows for the chosen track: the lesson of the day (or the
// one chosen by number), or on the one-chapter track the day's portion.
// Portable.
#pragma once
#include <cstdint>

// g_settings.Track as it acts: 1 only when it is 1.
bool OnTrackOne();

// The portion of g_settings.Day.
int ShownPortion();

// The text of the shown reading (malloc'ed), or null with the store's reason.
uint8_t* LoadShownReading(int32_t* reason);

// The day of near's one-chapter cycle that starts the lesson's text.
int32_t DayOfLessonOnTrackOne(int lesson, int32_t near);
