#include "calendar/learned_days.h"

#include <cstring>
#include "calendar/calendar.h"
#include "calendar/schedule.h"

// The stored record, little-endian:
//   0     version (1)
//   1     track (3 or 1)
//   2..3  days in the cycle
//   4..7  the cycle's first day (absolute day number)
//   8..   one bit per day, day first + i in bit i % 8 of byte i / 8; the
//         bits past the cycle's end are 0
//   then  the count of finished cycles, and their first days (4 bytes each,
//         oldest first)
// Any other size, or a field out of place, and the record is not taken.

static_assert((CYCLE_ANCHOR_DAY - CYCLES_EPOCH_DAY) % CHAPTER_COUNT == 0 &&
                  (CYCLE_ANCHOR_DAY - CYCLES_EPOCH_DAY) % LESSON_COUNT == 0,
              "both tracks count their cycles from the same day");

namespace {

constexpr uint8_t BLOB_VERSION = 1;
constexpr size_t BLOB_HEADER = 8;

int BitBytes(CycleSpec cycle)
{
    return (cycle.length + 7) / 8;
}

bool Bit(const LearnedDays* days, int i)
{
    return days->bits[i / 8] >> (i % 8) & 1;
}

int PlaceOf(const LearnedDays* days, int32_t day)
{
    return FloorMod(day - days->first, days->cycle.length);
}

bool InCycle(const LearnedDays* days, int32_t day)
{
    return day >= days->first && day - days->first < days->cycle.length;
}

int FirstMarked(const LearnedDays* days)
{
    for (int i = 0; i < days->cycle.length; ++i)
        if (Bit(days, i)) return i;
    return -1;
}

int LearnedCount(const LearnedDays* days)
{
    int n = 0;
    for (int i = 0; i < days->cycle.length; ++i) n += Bit(days, i);
    return n;
}

// The place of the oldest day behind, or -1. Behind: from the first marked
// day up to yesterday, not learned.
int OldestBehind(const LearnedDays* days, int32_t today)
{
    if (!InCycle(days, today)) return -1;
    int from = FirstMarked(days);
    if (from < 0) return -1;
    for (int i = from; i < today - days->first; ++i)
        if (!Bit(days, i)) return i;
    return -1;
}

// The list stays sorted; when full, the oldest finished cycle gives way.
void AddFinished(LearnedDays* days, int32_t first)
{
    int n = days->finishedCount;
    if (n == MAX_FINISHED_CYCLES) {
        std::memmove(days->finished, days->finished + 1, (n - 1) * sizeof(int32_t));
        --n;
    }
    int at = n;
    while (at > 0 && days->finished[at - 1] > first) {
        days->finished[at] = days->finished[at - 1];
        --at;
    }
    days->finished[at] = first;
    days->finishedCount = static_cast<uint8_t>(n + 1);
}

void Put32(uint8_t* out, int32_t value)
{
    auto v = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(v >> (8 * i));
}

int32_t Get32(const uint8_t* in)
{
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= uint32_t(in[i]) << (8 * i);
    return static_cast<int32_t>(v);
}

bool IsCycleStart(CycleSpec cycle, int32_t day)
{
    return day >= FIRST_SUPPORTED_DAY && day <= LAST_SUPPORTED_DAY &&
           FloorMod(day - CYCLES_EPOCH_DAY, cycle.length) == 0;
}

}  // namespace

CycleSpec TrackCycle(int track)
{
    if (track == 1) return {1, CHAPTER_COUNT};
    return {3, LESSON_COUNT};
}

int32_t CycleFirstDay(CycleSpec cycle, int32_t day)
{
    return day - FloorMod(day - CYCLES_EPOCH_DAY, cycle.length);
}

void EmptyLearned(LearnedDays* days, CycleSpec cycle, int32_t today)
{
    *days = {};
    days->cycle = cycle;
    days->first = CycleFirstDay(cycle, today);
}

bool CycleTurned(const LearnedDays* days, int32_t today)
{
    return CycleFirstDay(days->cycle, today) != days->first;
}

void TurnCycle(LearnedDays* days, int32_t today)
{
    days->first = CycleFirstDay(days->cycle, today);
    std::memset(days->bits, 0, sizeof days->bits);
}

bool HoldsUnfinishedMarks(const LearnedDays* days)
{
    return FirstMarked(days) >= 0 && !CycleFinished(days, days->first);
}

bool IsLearned(const LearnedDays* days, int32_t day)
{
    return Bit(days, PlaceOf(days, day));
}

bool CycleFinished(const LearnedDays* days, int32_t first)
{
    for (int i = 0; i < days->finishedCount; ++i)
        if (days->finished[i] == first) return true;
    return false;
}

LearnedChange ToggleLearned(LearnedDays* days, int32_t day)
{
    int i = PlaceOf(days, day);
    days->bits[i / 8] ^= static_cast<uint8_t>(1 << (i % 8));
    if (!Bit(days, i)) return LearnedChange::Unmarked;
    // The congratulation comes once: a cycle finished, unmarked and marked
    // again is already on the list.
    if (LearnedCount(days) < days->cycle.length || CycleFinished(days, days->first)) return LearnedChange::Marked;
    AddFinished(days, days->first);
    return LearnedChange::Finished;
}

int BehindCount(const LearnedDays* days, int32_t today)
{
    int i = OldestBehind(days, today);
    if (i < 0) return 0;
    int n = 0;
    for (; i < today - days->first; ++i) n += !Bit(days, i);
    return n;
}

int32_t NextUnlearnedDay(const LearnedDays* days, int32_t today)
{
    int i = OldestBehind(days, today);
    return i < 0 ? today : days->first + i;
}

DayMark MarkOfDay(const LearnedDays* days, int32_t day, int32_t today)
{
    if (!InCycle(days, day)) return DayMark::None;
    if (IsLearned(days, day)) return DayMark::Learned;
    int from = OldestBehind(days, today);
    if (from >= 0 && day - days->first >= from && day < today) return DayMark::Behind;
    return DayMark::None;
}

size_t LearnedBlobSize(const LearnedDays* days)
{
    return BLOB_HEADER + BitBytes(days->cycle) + 1 + 4 * size_t(days->finishedCount);
}

void WriteLearnedBlob(const LearnedDays* days, uint8_t* out)
{
    out[0] = BLOB_VERSION;
    out[1] = days->cycle.track;
    out[2] = static_cast<uint8_t>(days->cycle.length);
    out[3] = static_cast<uint8_t>(days->cycle.length >> 8);
    Put32(out + 4, days->first);
    int bytes = BitBytes(days->cycle);
    std::memcpy(out + BLOB_HEADER, days->bits, bytes);
    uint8_t* list = out + BLOB_HEADER + bytes;
    list[0] = days->finishedCount;
    for (int i = 0; i < days->finishedCount; ++i) Put32(list + 1 + 4 * i, days->finished[i]);
}

bool ReadLearnedBlob(LearnedDays* days, const uint8_t* bytes, size_t size, CycleSpec cycle)
{
    size_t listAt = BLOB_HEADER + BitBytes(cycle);
    if (!bytes || size < listAt + 1) return false;
    if (bytes[0] != BLOB_VERSION || bytes[1] != cycle.track || (bytes[2] | bytes[3] << 8) != cycle.length)
        return false;
    int count = bytes[listAt];
    if (count > MAX_FINISHED_CYCLES || size != listAt + 1 + 4 * size_t(count)) return false;
    LearnedDays read = {};
    read.cycle = cycle;
    read.first = Get32(bytes + 4);
    if (!IsCycleStart(cycle, read.first)) return false;
    std::memcpy(read.bits, bytes + BLOB_HEADER, BitBytes(cycle));
    // Bits past the cycle's end mean the record was made for something else.
    if (cycle.length % 8 && read.bits[cycle.length / 8] >> (cycle.length % 8)) return false;
    for (int i = 0; i < count; ++i) {
        int32_t first = Get32(bytes + listAt + 1 + 4 * i);
        if (!IsCycleStart(cycle, first) || (i > 0 && first <= read.finished[i - 1])) return false;
        read.finished[i] = first;
    }
    read.finishedCount = static_cast<uint8_t>(count);
    *days = read;
    return true;
}

StoredLearned TakeStoredLearned(LearnedDays* days, const uint8_t* bytes, size_t size, CycleSpec cycle,
                                int32_t today)
{
    EmptyLearned(days, cycle, today);
    if (!bytes) return StoredLearned::Absent;
    LearnedDays stored;
    if (!ReadLearnedBlob(&stored, bytes, size, cycle)) return StoredLearned::KeptAside;
    if (stored.first == days->first) {
        *days = stored;
        return StoredLearned::Taken;
    }
    // A cycle still to come: the clock went back. Its marks are kept whole.
    if (stored.first > days->first) return StoredLearned::KeptAside;
    bool losing = HoldsUnfinishedMarks(&stored);
    TurnCycle(&stored, today);
    *days = stored;
    return losing ? StoredLearned::KeptAside : StoredLearned::Turned;
}
