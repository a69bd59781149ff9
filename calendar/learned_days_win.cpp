// Learned days in the registry: "Learned" for the three-chapter track,
// "Learned1" for the one-chapter track. A stored value that cannot be taken
// (damaged, of another type or cycle) is copied to its "...Aside" twin,
// type and bytes as they were, before anything is written over it.
#include "calendar/learned_days_win.h"

#include <windows.h>
#include <cstdlib>

#include "calendar/calendar.h"
#include "settings/settings.h"
#include "settings/settings_store_win.h"

namespace {

struct TrackRecord {
    const wchar_t* value;
    const wchar_t* aside;
    int track;
    LearnedDays days;
    bool loaded;      // read whole: only then is it written
    bool unsaved;     // changed since it was last written
    bool keepAside;   // the stored value is copied aside before it is written over
};

TrackRecord s_records[] = {
    {L"Learned", L"LearnedAside", 3, {}, false, false, false},
    {L"Learned1", L"Learned1Aside", 1, {}, false, false, false},
};

TrackRecord& RecordOf(int track)
{
    return s_records[track == 1 ? 1 : 0];
}

void LoadRecord(TrackRecord& r, int32_t today)
{
    DWORD type = 0;
    uint32_t size = 0;
    uint8_t* bytes = ReadTypedBytes(r.value, &type, &size);
    CycleSpec cycle = TrackCycle(r.track);
    if (bytes && type != REG_BINARY) {
        EmptyLearned(&r.days, cycle, today);
        r.keepAside = true;
    } else {
        r.keepAside = TakeStoredLearned(&r.days, bytes, size, cycle, today) == StoredLearned::KeptAside;
    }
    std::free(bytes);
    r.unsaved = false;
    r.loaded = true;
}

bool MoveStoredAside(TrackRecord& r)
{
    DWORD type = 0;
    uint32_t size = 0;
    uint8_t* old = ReadTypedBytes(r.value, &type, &size);
    if (!old)
        return true;
    int written = WriteTypedBytes(r.aside, type, old, size);
    std::free(old);
    return written;
}

void WriteRecord(TrackRecord& r)
{
    if (!r.loaded)
        return;
    if (r.keepAside && !MoveStoredAside(r))
        return;
    r.keepAside = false;
    uint8_t blob[LEARNED_BLOB_MAX];
    WriteLearnedBlob(&r.days, blob);
    if (WriteBytes(r.value, blob, uint32_t(LearnedBlobSize(&r.days))))
        r.unsaved = false;
}

TrackRecord& Current()
{
    TrackRecord& r = RecordOf(LearnedTrack());
    int32_t today = TodayAbsolute();
    if (!r.days.cycle.length)
        EmptyLearned(&r.days, TrackCycle(r.track), today);
    if (CycleTurned(&r.days, today)) {
        // The old cycle's marks stay stored until the new cycle's first
        // mark; then they go aside.
        if (HoldsUnfinishedMarks(&r.days)) {
            if (r.unsaved)
                WriteRecord(r);
            r.keepAside = true;
        }
        TurnCycle(&r.days, today);
    }
    return r;
}

}  // namespace

void LoadLearned()
{
    int32_t today = TodayAbsolute();
    for (TrackRecord& r : s_records) {
        r.loaded = false;
        LoadRecord(r, today);
    }
}

void SaveLearned()
{
    for (TrackRecord& r : s_records)
        if (r.unsaved)
            WriteRecord(r);
}

int LearnedTrack()
{
    return OnTrackOne() ? 1 : 3;
}

const LearnedDays* CurrentLearned()
{
    return &Current().days;
}

LearnedChange ToggleLearnedDay(int32_t day)
{
    TrackRecord& r = Current();
    LearnedChange change = ToggleLearned(&r.days, day);
    r.unsaved = true;
    WriteRecord(r);
    return change;
}
