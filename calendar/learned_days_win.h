// The learned days' registry values, one record per track, and what the
// commands ask of them.
#pragma once
#include <cstdint>
#include "calendar/learned_days.h"

// Both tracks' records, at start-up.
void LoadLearned();
// Every change is written at once; at shutdown whatever a failed write
// left, and only for records that were read whole.
void SaveLearned();

// The track whose marks are in use: 3 or 1.
int LearnedTrack();
// That track's record, in today's cycle: a turn at midnight starts the new
// cycle empty and keeps the old marks aside when they were not finished.
const LearnedDays* CurrentLearned();
// Marks or unmarks a day's reading on the track in use and writes it.
LearnedChange ToggleLearnedDay(int32_t day);
