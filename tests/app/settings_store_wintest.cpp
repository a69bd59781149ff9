// The registry side of the settings: values of the wrong type, too long or
// missing, what shutdown writes back, and the window placement.
#include "tests/app/reader_fixture.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/lifetime.h"
#include "app/navigation.h"
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
    Start();
    ExpectWindowSize(600, 480);

    // Maximised: reopens maximised, and restoring gives the earlier size.
    ShowWindow(window, SW_MAXIMIZE);
    Pump();
    Restart();
    EXPECT_EQ(ReadNumber(SETTINGS_KEY, L"showCmd", 0), SW_SHOWMAXIMIZED);
    EXPECT_TRUE(IsZoomed(window));
    ShowWindow(window, SW_RESTORE);
    Pump();
    ExpectWindowSize(600, 480);

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
