#include "calendar/learned_days.h"

#include <gtest/gtest.h>
#include <utility>
#include <vector>

#include "calendar/calendar.h"
#include "calendar/schedule.h"

namespace {

const CycleSpec THREE = TrackCycle(3);
const CycleSpec ONE = TrackCycle(1);
constexpr int32_t CYCLE_2006 = 732531;   // 8 August 2006, a first day on both tracks

LearnedDays Fresh(CycleSpec cycle, int32_t today)
{
    LearnedDays days;
    EmptyLearned(&days, cycle, today);
    return days;
}

std::vector<uint8_t> Blob(const LearnedDays& days)
{
    std::vector<uint8_t> out(LearnedBlobSize(&days));
    WriteLearnedBlob(&days, out.data());
    return out;
}

TEST(LearnedDays, CyclesOfBothTracksStartWhereTheScheduleDoes)
{
    EXPECT_EQ(CYCLES_EPOCH_DAY, AbsoluteFromGregorian(4, 29, 1984));
    for (CycleSpec cycle : {THREE, ONE}) {
        int chapters = cycle.track == 3 ? 3 : 1;
        int32_t first = CycleFirstDay(cycle, CYCLE_2006 + 5000);
        EXPECT_EQ(LessonOfDay(chapters, first), 1);
        EXPECT_EQ(CycleFirstDay(cycle, first), first);
        EXPECT_EQ(CycleFirstDay(cycle, first + cycle.length - 1), first);
        EXPECT_EQ(CycleFirstDay(cycle, first - 1), first - cycle.length);
        EXPECT_EQ(CycleFirstDay(cycle, CYCLE_2006), CYCLE_2006);
    }
}

// The walk: T-3 and T-2 learned, T-1 behind, today not yet.
TEST(LearnedDays, BehindRunsFromTheFirstMarkToYesterday)
{
    for (CycleSpec cycle : {THREE, ONE}) {
        int32_t today = CYCLE_2006 + 100;
        LearnedDays days = Fresh(cycle, today);
        EXPECT_EQ(NextUnlearnedDay(&days, today), today);
        EXPECT_EQ(ToggleLearned(&days, today - 3), LearnedChange::Marked);
        EXPECT_EQ(ToggleLearned(&days, today - 2), LearnedChange::Marked);
        EXPECT_EQ(BehindCount(&days, today), 1);
        EXPECT_EQ(NextUnlearnedDay(&days, today), today - 1);
        EXPECT_EQ(MarkOfDay(&days, today - 4, today), DayMark::None);   // before the learner began
        EXPECT_EQ(MarkOfDay(&days, today - 3, today), DayMark::Learned);
        EXPECT_EQ(MarkOfDay(&days, today - 1, today), DayMark::Behind);
        EXPECT_EQ(MarkOfDay(&days, today, today), DayMark::None);
        // Past midnight yesterday's today is behind too.
        EXPECT_EQ(BehindCount(&days, today + 1), 2);
        EXPECT_EQ(ToggleLearned(&days, today - 1), LearnedChange::Marked);
        EXPECT_EQ(NextUnlearnedDay(&days, today + 1), today);
        // Learning ahead puts nothing behind.
        EXPECT_EQ(ToggleLearned(&days, today - 3), LearnedChange::Unmarked);
        LearnedDays ahead = Fresh(cycle, today);
        ToggleLearned(&ahead, today + 5);
        EXPECT_EQ(BehindCount(&ahead, today), 0);
    }
}

TEST(LearnedDays, TheCyclesEdges)
{
    int32_t first = CYCLE_2006;
    int32_t last = first + THREE.length - 1;
    LearnedDays days = Fresh(THREE, last);
    EXPECT_EQ(days.first, first);
    ToggleLearned(&days, first);
    EXPECT_TRUE(IsLearned(&days, first));
    EXPECT_FALSE(IsLearned(&days, last));
    EXPECT_EQ(BehindCount(&days, first), 0);
    EXPECT_EQ(BehindCount(&days, last), THREE.length - 2);
    EXPECT_EQ(NextUnlearnedDay(&days, last), first + 1);
    // The same reading a cycle earlier or later is the same place.
    EXPECT_TRUE(IsLearned(&days, first + THREE.length));
    EXPECT_EQ(MarkOfDay(&days, first + THREE.length, last), DayMark::None);
    EXPECT_EQ(MarkOfDay(&days, first - 1, last), DayMark::None);
    ToggleLearned(&days, last);
    EXPECT_TRUE(IsLearned(&days, last));
    EXPECT_TRUE(IsLearned(&days, first - 1));
}

// Midnight between the last day of a cycle and the first of the next.
TEST(LearnedDays, ACycleTurnsAtMidnight)
{
    int32_t last = CYCLE_2006 - 1;
    LearnedDays days = Fresh(ONE, last);
    ToggleLearned(&days, last - 2);
    EXPECT_FALSE(CycleTurned(&days, last));
    EXPECT_TRUE(CycleTurned(&days, last + 1));
    EXPECT_TRUE(HoldsUnfinishedMarks(&days));
    TurnCycle(&days, last + 1);
    EXPECT_EQ(days.first, CYCLE_2006);
    EXPECT_FALSE(HoldsUnfinishedMarks(&days));
    EXPECT_EQ(BehindCount(&days, last + 1), 0);
    EXPECT_EQ(NextUnlearnedDay(&days, last + 1), last + 1);
}

TEST(LearnedDays, FinishingACycleIsSaidOnceAndRecorded)
{
    for (CycleSpec cycle : {THREE, ONE}) {
        int32_t today = CYCLE_2006 + 20;
        LearnedDays days = Fresh(cycle, today);
        for (int i = 0; i < cycle.length - 1; ++i) ASSERT_EQ(ToggleLearned(&days, days.first + i), LearnedChange::Marked);
        EXPECT_EQ(ToggleLearned(&days, days.first - 1), LearnedChange::Finished);
        EXPECT_EQ(BehindCount(&days, today), 0);
        ToggleLearned(&days, today);
        EXPECT_EQ(ToggleLearned(&days, today), LearnedChange::Marked);
        EXPECT_FALSE(HoldsUnfinishedMarks(&days));
        TurnCycle(&days, today + cycle.length);
        EXPECT_EQ(days.finishedCount, 1);
        EXPECT_EQ(days.finished[0], CYCLE_2006);
        EXPECT_FALSE(IsLearned(&days, today));
    }
    // A full list lets the oldest go.
    LearnedDays days = Fresh(THREE, CYCLE_2006);
    for (int c = 0; c <= MAX_FINISHED_CYCLES; ++c) {
        TurnCycle(&days, CYCLE_2006 + c * THREE.length);
        for (int i = 0; i < THREE.length; ++i) ToggleLearned(&days, days.first + i);
    }
    EXPECT_EQ(days.finishedCount, MAX_FINISHED_CYCLES);
    EXPECT_EQ(days.finished[0], CYCLE_2006 + THREE.length);
    EXPECT_EQ(days.finished[MAX_FINISHED_CYCLES - 1], days.first);
}

TEST(LearnedDays, RecordsGoBackAsTheyCame)
{
    for (CycleSpec cycle : {THREE, ONE}) {
        LearnedDays days = Fresh(cycle, CYCLE_2006 + 3000);
        ToggleLearned(&days, days.first);
        ToggleLearned(&days, days.first + cycle.length - 1);
        days.finished[0] = days.first - cycle.length;
        days.finishedCount = 1;
        std::vector<uint8_t> blob = Blob(days);
        EXPECT_EQ(blob.size(), 9 + (cycle.length + 7) / 8 + 4u);
        LearnedDays back;
        ASSERT_TRUE(ReadLearnedBlob(&back, blob.data(), blob.size(), cycle));
        EXPECT_EQ(Blob(back), blob);
        EXPECT_FALSE(ReadLearnedBlob(&back, blob.data(), blob.size(), cycle.track == 3 ? ONE : THREE));
    }
}

TEST(LearnedDays, DamagedRecordsAreRefused)
{
    LearnedDays days = Fresh(THREE, CYCLE_2006);
    ToggleLearned(&days, CYCLE_2006);
    days.finished[0] = CYCLE_2006 - 2 * 339;
    days.finished[1] = CYCLE_2006 - 339;
    days.finishedCount = 2;
    const std::vector<uint8_t> good = Blob(days);
    LearnedDays out = Fresh(THREE, CYCLE_2006);
    for (size_t n = 0; n < good.size(); ++n) EXPECT_FALSE(ReadLearnedBlob(&out, good.data(), n, THREE)) << n;
    std::vector<uint8_t> longer = good;
    longer.push_back(0);
    EXPECT_FALSE(ReadLearnedBlob(&out, longer.data(), longer.size(), THREE));
    auto refused = [&](size_t at, uint8_t value) {
        std::vector<uint8_t> bad = good;
        bad[at] = value;
        return !ReadLearnedBlob(&out, bad.data(), bad.size(), THREE);
    };
    EXPECT_TRUE(refused(0, 2));                 // version
    EXPECT_TRUE(refused(1, 1));                 // track
    EXPECT_TRUE(refused(2, 0xF9));              // another length
    EXPECT_TRUE(refused(4, good[4] + 1));       // not a cycle's first day
    EXPECT_TRUE(refused(7, 0x80));              // far outside the calendar
    EXPECT_TRUE(refused(8 + 42, 0x08));         // a bit past day 339
    EXPECT_TRUE(refused(8 + 43, 13));           // more finished cycles than kept
    std::swap(days.finished[0], days.finished[1]);
    std::vector<uint8_t> unsorted = Blob(days);
    EXPECT_FALSE(ReadLearnedBlob(&out, unsorted.data(), unsorted.size(), THREE));
    EXPECT_EQ(out.first, CYCLE_2006);
    EXPECT_FALSE(IsLearned(&out, CYCLE_2006));
}

// What start-up makes of the stored value: nothing stored, today's cycle,
// an earlier one (kept aside only when marks would go), a later one, junk.
TEST(LearnedDays, StoredRecordsAreTakenTurnedOrKeptAside)
{
    int32_t today = CYCLE_2006 + 10;
    LearnedDays days;
    EXPECT_EQ(TakeStoredLearned(&days, nullptr, 0, THREE, today), StoredLearned::Absent);
    LearnedDays now = Fresh(THREE, today);
    ToggleLearned(&now, today - 1);
    std::vector<uint8_t> blob = Blob(now);
    EXPECT_EQ(TakeStoredLearned(&days, blob.data(), blob.size(), THREE, today), StoredLearned::Taken);
    EXPECT_TRUE(IsLearned(&days, today - 1));

    LearnedDays earlier = Fresh(THREE, today - 339);
    for (int i = 0; i < 339; ++i) ToggleLearned(&earlier, earlier.first + i);
    blob = Blob(earlier);
    EXPECT_EQ(TakeStoredLearned(&days, blob.data(), blob.size(), THREE, today), StoredLearned::Turned);
    EXPECT_EQ(days.first, CYCLE_2006);
    EXPECT_TRUE(CycleFinished(&days, CYCLE_2006 - 339));
    EXPECT_FALSE(IsLearned(&days, today));
    ToggleLearned(&earlier, earlier.first);
    earlier.finishedCount = 0;
    blob = Blob(earlier);
    EXPECT_EQ(TakeStoredLearned(&days, blob.data(), blob.size(), THREE, today), StoredLearned::KeptAside);
    EXPECT_EQ(days.first, CYCLE_2006);

    LearnedDays later = Fresh(THREE, today + 339);
    ToggleLearned(&later, today);
    blob = Blob(later);
    EXPECT_EQ(TakeStoredLearned(&days, blob.data(), blob.size(), THREE, today), StoredLearned::KeptAside);
    EXPECT_FALSE(IsLearned(&days, today));
    EXPECT_EQ(TakeStoredLearned(&days, blob.data(), blob.size(), ONE, today), StoredLearned::KeptAside);
    EXPECT_EQ(days.cycle.length, 1017);
    EXPECT_EQ(days.finishedCount, 0);
}

}  // namespace
