// The registry side of the settings: values of the wrong type, too long or
// missing, what shutdown writes back, and the window placement.
#include "tests/app/reader_fixture.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/lifetime.h"
#include "app/navigation.h"
#include "settings/window_placement_win.h"
#include "tests/rationed_malloc.h"

namespace reader_test {
namespace {

using SettingsStore = ReaderTest;

TEST_F(SettingsStore, ValuesOfOtherTypesAndLengths)
{
    PresetWindow();
    PresetText(L"FontSize", L"18");                                  // digits as text
    PresetText(L"FontName", L"An extremely long face name that goes on and on");
    uint8_t pattern[40];
    memset(pattern, 'b', sizeof pattern);
    PresetBytes(L"SearchString", pattern, sizeof pattern);           // no zero, too long
    Preset(L"Day", 0x7FFFFFF0);                                      // beyond the calendar
    Start();
    EXPECT_EQ(g_settings.FontSize, 18);
    EXPECT_EQ(std::char_traits<char16_t>::length(g_settings.FontName), 31u);
    EXPECT_EQ(strlen(reinterpret_cast<char*>(g_settings.SearchString)), 33u);
    EXPECT_EQ(g_settings.Day, TodayNumber());
    Close();

    // A short pattern stored without its zero byte is read no further than it goes.
    PresetBytes(L"SearchString", "abc", 3);
    Start();
    EXPECT_STREQ(reinterpret_cast<char*>(g_settings.SearchString), "abc");
}

TEST_F(SettingsStore, ReadersAndWriters)
{
    EXPECT_EQ(ReadNumber(SETTINGS_KEY, L"Missing", 77), 77);
    EXPECT_EQ(ReadText(L"Missing"), nullptr);
    uint8_t fallback = 0;
    uint32_t size = 99;
    EXPECT_EQ(ReadBytes(L"Missing", &fallback, &size), &fallback);
    EXPECT_EQ(size, 99u);

    EXPECT_EQ(WriteByteString(L"SearchString", reinterpret_cast<const uint8_t*>("xyz")), 1);
    uint8_t* bytes = ReadBytes(L"SearchString", nullptr, &size);
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(memcmp(bytes, "xyz", 4), 0);
    free(bytes);

    // An empty binary value is a value: a buffer, not the fallback.
    EXPECT_EQ(WriteBytes(L"Bookmarks", "", 0), 1);
    bytes = ReadBytes(L"Bookmarks", &fallback, &size);
    EXPECT_NE(bytes, &fallback);
    EXPECT_EQ(size, 0u);
    if (bytes != &fallback)
        free(bytes);

    EXPECT_EQ(WriteText(L"FontName", L"Frank Ruehl CLM"), 1);
    wchar_t* name = ReadText(L"FontName");
    ASSERT_NE(name, nullptr);
    EXPECT_STREQ(name, L"Frank Ruehl CLM");
    free(name);
}

TEST_F(SettingsStore, ShutdownWritesWhatChangedAndKeepsWhatIsEmpty)
{
    PresetWindow();
    PresetBytes(L"SearchString", "pq", 3);
    Start();
    GoToLesson(window, 100);
    Key(VK_DOWN);
    Key(VK_DOWN);
    g_settings.SearchString[0] = 0;   // the reader cleared the pattern
    Close();
    EXPECT_EQ(ReadNumber(SETTINGS_KEY, L"Lesson", 0), 100);
    EXPECT_EQ(ReadNumber(SETTINGS_KEY, L"Day", -1), 0);
    EXPECT_EQ(ReadNumber(SETTINGS_KEY, L"LastPosition", 0), 2);
    EXPECT_TRUE(ReadNumber(SETTINGS_KEY, L"Flags", 0) & FLAG_PIN);
    uint32_t size = 0;
    uint8_t* kept = ReadBytes(L"SearchString", nullptr, &size);
    ASSERT_NE(kept, nullptr);
    EXPECT_STREQ(reinterpret_cast<char*>(kept), "pq");
    free(kept);

    // The pin brings the same lesson back, at the same row.
    Start();
    EXPECT_EQ(g_settings.Lesson, 100);
    EXPECT_EQ(g_settings.dateTextLength, 0);
    EXPECT_EQ(FirstRow(), 2);
}

TEST_F(SettingsStore, LastPositionBeyondTheLessonShowsItsEnd)
{
    PresetPinned(0, 30);
    Preset(L"LastPosition", 60000);
    Start();
    EXPECT_EQ(FirstRow(), View()->maxFirstRow);
    EXPECT_GT(View()->rowsDrawn, 0);
}

TEST_F(SettingsStore, PlacementRoundTrips)
{
    PresetWindow(600, 480);
    Preset(L"Left", 90);
    Preset(L"Top", 70);
    Start();
    ExpectWindowSize(600, 480);

    // Maximised: reopens maximised, and restoring gives the earlier size
    // and place, however often it was closed maximised.
    ShowWindow(window, SW_MAXIMIZE);
    Pump();
    Restart();
    Restart();
    Restart();
    EXPECT_EQ(ReadNumber(SETTINGS_KEY, L"showCmd", 0), SW_SHOWMAXIMIZED);
    EXPECT_EQ(ReadNumber(SETTINGS_KEY, L"Left", 0), 90);
    EXPECT_EQ(ReadNumber(SETTINGS_KEY, L"Top", 0), 70);
    EXPECT_TRUE(IsZoomed(window));
    ShowWindow(window, SW_RESTORE);
    Pump();
    ExpectWindowSize(600, 480);
    RECT r;
    GetWindowRect(window, &r);
    EXPECT_EQ(r.left, 90);
    EXPECT_EQ(r.top, 70);

    // Minimised: stored as the restored window, never the parking place.
    ShowWindow(window, SW_MINIMIZE);
    Pump();
    Close();
    EXPECT_EQ(ReadNumber(SETTINGS_KEY, L"showCmd", 0), SW_SHOWNORMAL);
    EXPECT_GT(ReadNumber(SETTINGS_KEY, L"Left", -1), -1000);
    EXPECT_EQ(ReadNumber(SETTINGS_KEY, L"Width", 0), 600);

    // A stored minimised state wins over the shortcut's.
    Preset(L"showCmd", SW_SHOWMINIMIZED);
    Start(SW_SHOWNORMAL);
    EXPECT_TRUE(IsIconic(window));
}

TEST_F(SettingsStore, TheEndOfTheSessionSavesOnce)
{
    PresetPinned(732530, 339);
    Start();
    Key(VK_RIGHT);
    EXPECT_TRUE(Send(WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF));
    EXPECT_EQ(ReadNumber(SETTINGS_KEY, L"Day", 0), 732530);   // asked, not yet ending
    Send(WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_EQ(ReadNumber(SETTINGS_KEY, L"Day", 0), 732531);
    EXPECT_TRUE(quitPosted);
    // Whatever comes after saves nothing over it.
    MoveWindow(window, 200, 150, 500, 400, TRUE);
    g_settings.Day = 1;
    Send(WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    Close();
    EXPECT_EQ(ReadNumber(SETTINGS_KEY, L"Day", 0), 732531);
    EXPECT_EQ(ReadNumber(SETTINGS_KEY, L"Left", 0), 20);
    EXPECT_EQ(ReadNumber(SETTINGS_KEY, L"Width", 0), 640);
}

TEST_F(SettingsStore, APlaceOffEveryScreenOpensOnTheNearestOne)
{
    // Closed on a monitor that is no longer there.
    PresetWindow(600, 480);
    Preset(L"Left", DWORD(-30000));
    Preset(L"Top", DWORD(25000));
    Start();
    ASSERT_TRUE(IsWindowVisible(window));
    ExpectWindowSize(600, 480);
    MONITORINFO monitor = {sizeof monitor};
    ASSERT_TRUE(GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONULL), &monitor));
    RECT r, inside;
    GetWindowRect(window, &r);
    IntersectRect(&inside, &r, &monitor.rcWork);
    EXPECT_TRUE(EqualRect(&inside, &r));
    // Where it opened is what is stored next.
    Close();
    EXPECT_EQ(ReadNumber(SETTINGS_KEY, L"Left", 0), r.left);
    EXPECT_EQ(ReadNumber(SETTINGS_KEY, L"Top", 0), r.top);
}

TEST_F(SettingsStore, KeepOnScreenMovesOnlyWhatCannotBeReached)
{
    const RECT work = {0, 0, 1000, 800};
    struct Case {
        RECT placed, expected;   // left, top, width, height
    } cases[] = {
        {{100, 50, 400, 300}, {100, 50, 400, 300}},      // inside
        {{-300, 50, 400, 300}, {-300, 50, 400, 300}},    // over the left edge, caption in reach
        {{900, 700, 400, 300}, {900, 700, 400, 300}},    // over the bottom right corner, caption in reach
        {{-380, 50, 400, 300}, {0, 50, 400, 300}},       // too little left to take hold of
        {{100, -5, 400, 300}, {100, 0, 400, 300}},       // caption above the screen
        {{100, 790, 400, 300}, {100, 500, 400, 300}},    // caption below the screen
        {{5000, -5000, 400, 300}, {600, 0, 400, 300}},   // off every screen
        {{-10, -10, 3000, 2000}, {0, 0, 1000, 800}},     // larger than the screen
        {{INT_MAX, INT_MAX, INT_MAX, INT_MAX}, {0, 0, 1000, 800}},
        {{INT_MIN, INT_MIN, 400, 300}, {0, 0, 400, 300}},
    };
    for (const Case& c : cases) {
        RECT got = KeepOnScreen(c.placed, work, 40);
        EXPECT_TRUE(EqualRect(&got, &c.expected))
            << c.placed.left << "," << c.placed.top << " gave " << got.left << "," << got.top << " " << got.right
            << "x" << got.bottom;
    }
}

TEST_F(SettingsStore, RunningOutOfMemoryWhileLoadingWritesNothingBack)
{
    // Each allocation of the loading fails in turn, then the program ends:
    // what was not loaded must not be written over the stored values.
    Preset(L"Flags", DEFAULT_FLAGS | FLAG_PIN);
    Preset(L"Day", 732737);
    Preset(L"Lesson", 207);
    const uint8_t marks[] = {12, 0, 3, 0, 0, 0};
    PresetBytes(L"Bookmarks", marks, sizeof marks);
    bool refused = true;
    for (int allowed = 0; allowed < 50 && refused; ++allowed) {
        ResetProgramState(GetModuleHandleW(nullptr));
        rationed::FailAfter(allowed);
        LoadSettings();
        refused = rationed::Refused();
        ShutDown();
        Pump();
        EXPECT_EQ(uint32_t(ReadNumber(SETTINGS_KEY, L"Flags", 0)), DEFAULT_FLAGS | FLAG_PIN) << allowed;
        EXPECT_EQ(ReadNumber(SETTINGS_KEY, L"Day", 0), 732737) << allowed;
        EXPECT_EQ(ReadNumber(SETTINGS_KEY, L"Lesson", 0), 207) << allowed;
        uint32_t size = 0;
        uint8_t* stored = ReadBytes(L"Bookmarks", nullptr, &size);
        ASSERT_NE(stored, nullptr) << allowed;
        EXPECT_EQ(std::vector<uint8_t>(stored, stored + size), std::vector<uint8_t>(marks, marks + sizeof marks))
            << allowed;
        free(stored);
    }
    EXPECT_FALSE(refused);
}

}  // namespace
}  // namespace reader_test
