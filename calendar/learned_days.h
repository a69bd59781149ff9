// Days learned in the current cycle of a track: the cycle's first day, one
// bit per day of it, and the first days of the cycles finished before.
// Kept in the registry as a small binary record (layout in learned_days.cpp).
#pragma once
#include <cstddef>
#include <cstdint>

// 29 April 1984 (27 Nisan 5744): both tracks began a cycle that day.
constexpr int32_t CYCLES_EPOCH_DAY = 724395;
constexpr int MAX_CYCLE_DAYS = 1017;
constexpr int MAX_FINISHED_CYCLES = 12;
constexpr int LEARNED_BITS_BYTES = (MAX_CYCLE_DAYS + 7) / 8;
constexpr size_t LEARNED_BLOB_MAX = 9 + LEARNED_BITS_BYTES + 4 * MAX_FINISHED_CYCLES;

struct CycleSpec {
    uint8_t track;     // chapters a day: 3 or 1
    uint16_t length;   // days in one cycle: 339 or 1017
};

// 1 is the one-chapter track; anything else the three-chapter one.
CycleSpec TrackCycle(int track);
// The first day of the cycle that holds day.
int32_t CycleFirstDay(CycleSpec cycle, int32_t day);

struct LearnedDays {
    CycleSpec cycle;
    int32_t first;                          // first day of the cycle the bits belong to
    uint8_t bits[LEARNED_BITS_BYTES];       // bit i: day first + i learned
    uint8_t finishedCount;
    int32_t finished[MAX_FINISHED_CYCLES];  // first days of finished cycles, oldest first
};

// Nothing learned in the cycle that holds today; no finished cycles.
void EmptyLearned(LearnedDays* days, CycleSpec cycle, int32_t today);

// Whether today has left the record's cycle (at midnight, or after a long
// rest), and the step into today's cycle: nothing marked, the finished
// cycles kept.
bool CycleTurned(const LearnedDays* days, int32_t today);
void TurnCycle(LearnedDays* days, int32_t today);
// Marks that would be lost by a turn: some day learned in a cycle that is
// not among the finished ones.
bool HoldsUnfinishedMarks(const LearnedDays* days);

// A day's reading is learned when its place in the record's cycle is:
// a day of another cycle answers for the same reading in this one.
bool IsLearned(const LearnedDays* days, int32_t day);

enum class LearnedChange { Unmarked, Marked, Finished };
// Marks day's reading, or unmarks it when marked. Finished: that mark made
// every day of the cycle learned, the first time for this cycle; the cycle
// is then in the finished list.
LearnedChange ToggleLearned(LearnedDays* days, int32_t day);
bool CycleFinished(const LearnedDays* days, int32_t first);

// Days of the cycle from its first marked day up to yesterday that are not
// learned. Today is not behind until it is over.
int BehindCount(const LearnedDays* days, int32_t today);
// The oldest day behind, or today when none is.
int32_t NextUnlearnedDay(const LearnedDays* days, int32_t today);

enum class DayMark { None, Learned, Behind };
// How the calendar marks a day: only days of the record's cycle get one.
DayMark MarkOfDay(const LearnedDays* days, int32_t day, int32_t today);

size_t LearnedBlobSize(const LearnedDays* days);
// Writes LearnedBlobSize bytes.
void WriteLearnedBlob(const LearnedDays* days, uint8_t* out);
// True when bytes are exactly a record of the given track's cycles;
// days is then that record, otherwise left alone.
bool ReadLearnedBlob(LearnedDays* days, const uint8_t* bytes, size_t size, CycleSpec cycle);

enum class StoredLearned {
    Absent,      // nothing stored: an empty record
    Taken,       // the stored record of today's cycle
    Turned,      // an earlier cycle with nothing to lose: today's cycle, its finished list kept
    KeptAside,   // damaged, another track or cycle, or marks a turn would drop: the stored bytes
                 // must be kept elsewhere before this record is written over them
};
// The record the reader starts with, from the stored bytes (null when none).
StoredLearned TakeStoredLearned(LearnedDays* days, const uint8_t* bytes, size_t size, CycleSpec cycle,
                                int32_t today);
