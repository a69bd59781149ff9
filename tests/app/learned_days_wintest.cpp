// Learned and Next Unlearned Day driven by their keys, across a restart,
// and the "Learned" value against hostile contents.
#include "tests/app/reader_fixture.h"

#include <cstdlib>
#include <vector>

#include "app/learned_commands.h"
#include "resources/resource.h"
#include "calendar/learned_days.h"
#include "calendar/learned_days_win.h"

namespace reader_test {
namespace {

struct Stored {
    DWORD type = REG_NONE;
    std::vector<uint8_t> bytes;
    bool operator==(const Stored&) const = default;
};

Stored StoredValue(const wchar_t* name)
{
    Stored out;
    uint32_t size = 0;
    uint8_t* bytes = ReadTypedBytes(name, &out.type, &size);
    if (bytes)
        out.bytes.assign(bytes, bytes + size);
    else
        out.type = REG_NONE;
    std::free(bytes);
    return out;
}

std::vector<uint8_t> Blob(const LearnedDays& days)
{
    std::vector<uint8_t> out(LearnedBlobSize(&days));
    WriteLearnedBlob(&days, out.data());
    return out;
}

class Learned : public ReaderTest {
protected:
    HACCEL table = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_ACCELERATORS));

    // A key with Ctrl held, through the program's accelerator table.
    void Ctrl(WPARAM key)
    {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_CONTROL] = 0x80;
        SetKeyboardState(keys);
        MSG msg = {window, WM_KEYDOWN, key, 1};
        TranslateAcceleratorW(window, table, &msg);
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
        Pump();
    }
    void Walk(int track);
};

// The walk on a track: back three days, T-3 and T-2 learned, Today,
// Ctrl+U shows T-1; after a restart the marks and Ctrl+U's answer hold.
void Learned::Walk(int track)
{
    int32_t today = TodayNumber();
    CycleSpec cycle = TrackCycle(track);
    if (CycleFirstDay(cycle, today - 3) != CycleFirstDay(cycle, today))
        GTEST_SKIP() << "today is one of the cycle's first three days";
    PresetWindow();
    Preset(L"Track", DWORD(track));
    Start();
    ASSERT_EQ(g_settings.Day, today);
    for (int i = 0; i < 3; ++i) Key(VK_LEFT);
    ASSERT_EQ(g_settings.Day, today - 3);
    Ctrl('L');
    Key(VK_RIGHT);
    Ctrl('L');
    Ctrl(VK_HOME);
    ASSERT_EQ(g_settings.Day, today);
    Ctrl('U');
    EXPECT_EQ(g_settings.Day, today - 1);
    EXPECT_EQ(BehindCount(CurrentLearned(), today), 1);
    Ctrl('L');
    EXPECT_EQ(BehindCount(CurrentLearned(), today), 0);
    Ctrl('L');   // unmarked again

    Restart();
    EXPECT_EQ(CurrentLearned()->cycle.length, cycle.length);
    EXPECT_TRUE(IsLearned(CurrentLearned(), today - 3));
    EXPECT_TRUE(IsLearned(CurrentLearned(), today - 2));
    EXPECT_FALSE(IsLearned(CurrentLearned(), today - 1));
    Ctrl('U');
    EXPECT_EQ(g_settings.Day, today - 1);
    SendMessageW(window, WM_INITMENUPOPUP, WPARAM(GetMenu(window)), 1);
    EXPECT_FALSE(GetMenuState(GetMenu(window), IDM_LEARNED, MF_BYCOMMAND) & MF_CHECKED);
    Key(VK_LEFT);
    SendMessageW(window, WM_INITMENUPOPUP, WPARAM(GetMenu(window)), 1);
    EXPECT_TRUE(GetMenuState(GetMenu(window), IDM_LEARNED, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(BoxCloser::texts.empty());
}

TEST_F(Learned, MarksTwoDaysAndCatchesUpOnTheMissedOneAcrossARestart)
{
    Walk(3);
}

// The same on the one-chapter track, whose marks are its own.
TEST_F(Learned, TheOneChapterTrackKeepsMarksOfItsOwn)
{
    Walk(1);
    if (IsSkipped())
        return;
    Close();
    EXPECT_EQ(StoredValue(L"Learned").type, DWORD(REG_NONE));
    EXPECT_EQ(StoredValue(L"Learned1").type, DWORD(REG_BINARY));
    Preset(L"Track", 3);
    Start();
    EXPECT_FALSE(IsLearned(CurrentLearned(), TodayNumber() - 3));
    Close();
    Preset(L"Track", 1);
    Start();
    EXPECT_TRUE(IsLearned(CurrentLearned(), TodayNumber() - 3));
}

// Each stored value the reader cannot take: it starts with no marks and
// says nothing, leaves the other settings and the value alone at closing,
// and moves the value aside, type and bytes, before its first mark is written.
TEST_F(Learned, HostileStoredValuesAreKeptAside)
{
    int32_t today = TodayNumber();
    LearnedDays later;
    EmptyLearned(&later, TrackCycle(3), today + 339);
    ToggleLearned(&later, today);
    LearnedDays otherTrack;
    EmptyLearned(&otherTrack, TrackCycle(1), today);
    ToggleLearned(&otherTrack, today);
    std::vector<uint8_t> valid = Blob(later);
    std::vector<uint8_t> longer = valid;
    longer.push_back(0);
    const uint8_t number[4] = {5, 0, 0, 0};
    const wchar_t text[] = L"every day";
    std::vector<Stored> hostile = {
        {REG_DWORD, {number, number + 4}},
        {REG_SZ, {reinterpret_cast<const uint8_t*>(text), reinterpret_cast<const uint8_t*>(text) + sizeof text}},
        {REG_BINARY, {1, 3, 0x53}},
        {REG_BINARY, longer},
        {REG_BINARY, valid},
        {REG_BINARY, Blob(otherTrack)},
    };
    const uint8_t bookmarks[] = {12, 0, 0, 0};
    for (const Stored& value : hostile) {
        SCOPED_TRACE(value.bytes.size());
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Lumivex");
        PresetWindow();
        PresetBytes(L"Bookmarks", bookmarks, sizeof bookmarks);
        WriteTypedBytes(L"Learned", value.type, value.bytes.data(), uint32_t(value.bytes.size()));
        Start();
        EXPECT_FALSE(IsLearned(CurrentLearned(), today));
        EXPECT_EQ(BehindCount(CurrentLearned(), today), 0);
        Close();
        EXPECT_EQ(StoredValue(L"Learned"), value);
        EXPECT_EQ(StoredValue(L"Bookmarks").bytes, std::vector<uint8_t>(bookmarks, bookmarks + 4));
        EXPECT_EQ(StoredValue(L"LearnedAside").type, DWORD(REG_NONE));

        Start();
        Ctrl('L');
        Close();
        EXPECT_EQ(StoredValue(L"LearnedAside"), value);
        Stored now = StoredValue(L"Learned");
        LearnedDays back;
        ASSERT_EQ(now.type, DWORD(REG_BINARY));
        ASSERT_TRUE(ReadLearnedBlob(&back, now.bytes.data(), now.bytes.size(), TrackCycle(3)));
        EXPECT_TRUE(IsLearned(&back, today));
    }
    EXPECT_TRUE(BoxCloser::texts.empty());
}

// The last day of a cycle learned: one message with the cycle's dates, not
// again for the same cycle, and the cycle stays on the stored list.
TEST_F(Learned, FinishingACycleCongratulatesOnce)
{
    int32_t today = TodayNumber();
    LearnedDays days;
    EmptyLearned(&days, TrackCycle(3), today);
    for (int i = 0; i < 339; ++i)
        if (days.first + i != today)
            ToggleLearned(&days, days.first + i);
    std::vector<uint8_t> blob = Blob(days);
    PresetWindow();
    PresetBytes(L"Learned", blob.data(), DWORD(blob.size()));
    Start();
    Ctrl('L');
    ASSERT_EQ(BoxCloser::titles.size(), 1u);
    EXPECT_EQ(BoxCloser::titles[0], L"Cycle finished");
    Ctrl('L');
    Ctrl('L');
    EXPECT_EQ(BoxCloser::titles.size(), 1u);
    Close();
    LearnedDays stored;
    std::vector<uint8_t> back = StoredValue(L"Learned").bytes;
    ASSERT_TRUE(ReadLearnedBlob(&stored, back.data(), back.size(), TrackCycle(3)));
    EXPECT_TRUE(CycleFinished(&stored, days.first));
}

}  // namespace
}  // namespace reader_test
