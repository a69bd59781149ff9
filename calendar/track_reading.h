// What the reader shows for the chosen track: the lesson of the day (or the
// one chosen by number), or on the one-chapter track the day's portion.
// Portable.
#pragma once
#include <cstdint>
#include "settings/settings.h"

// The one-chapter track with a day shown: the day's portion is read. A lesson
// chosen by number has no day, so no portion: it is shown as it is.
bool ShowsDayPortion();

// The text of the shown reading (malloc'ed), or null with the store's reason.
uint8_t* LoadShownReading(int32_t* reason);

// The day of near's one-chapter cycle that starts the lesson's text.
int32_t DayOfLessonOnTrackOne(int lesson, int32_t near);
