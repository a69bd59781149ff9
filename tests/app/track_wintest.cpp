// The one-chapter track in the reader: the choice, what the view shows and
// copies, a search hit, the date kept across a switch, and the stored values.
#include "tests/app/reader_fixture.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "calendar/portion_schedule.h"
#include "calendar/portion_text.h"
#include "calendar/schedule.h"
#include "content/lesson_store.h"
#include "output/clipboard_win.h"
#include "resources/resource.h"
#include "settings/bookmarks.h"
#include "text/letter_code.h"

namespace reader_test {
namespace {

using Track = ReaderTest;

constexpr int32_t SOME_DAY = 739959;  // 9 December 2026

bool ViewHolds(uint8_t* expected)
{
    const uint8_t* shown = g_state.mainView->text;
    size_t n = 0;
    while (expected[n] || expected[n + 1]) ++n;
    bool same = shown && std::memcmp(shown, expected, n + 2) == 0;
    std::free(expected);
    return same;
}

std::u16string Utf16(const char* utf8)
{
    std::string code;
    Utf8ToLetterCode(utf8, code);
    std::u16string out;
    for (unsigned char c : code) out += c >= 0x61 && c <= 0x7B ? char16_t(0x5D0 + c - 0x61) : char16_t(c);
    return out;
}

std::u16string ClipboardText()
{
    size_t n = 0;
    uint8_t* data = ReadClipboard(&n, 0);
    std::u16string s(reinterpret_cast<char16_t*>(data), n / 2);
    std::free(data);
    return s;
}

DWORD StoredNumber(const wchar_t* name, DWORD missing)
{
    DWORD value = missing, size = sizeof value;
    RegGetValueW(HKEY_CURRENT_USER, L"Software\\Lumivex\\Quorin-3-Chapter-Hebrew", name, RRF_RT_REG_DWORD, nullptr,
                 &value, &size);
    return value;
}

TEST_F(Track, SwitchingShowsTheDaysChapterAndKeepsTheDate)
{
    int32_t day = DayOfPortionInCycle(108, SOME_DAY);
    PresetPinned(day, LessonOfDay(3, day));
    Start();
    EXPECT_TRUE(ViewHolds(LoadLesson(LessonOfDay(3, day), nullptr)));
    Command(IDM_ONE_CHAPTER);
    EXPECT_EQ(g_settings.Track, TRACK_ONE);
    EXPECT_EQ(g_settings.Day, day);
    EXPECT_EQ(GetMenuState(GetMenu(window), IDM_ONE_CHAPTER, MF_BYCOMMAND) & MF_CHECKED, UINT(MF_CHECKED));
    EXPECT_TRUE(ViewHolds(LoadPortion(108, nullptr)));

    Command(IDM_NEXT_DAY);
    EXPECT_EQ(g_settings.Day, day + 1);
    EXPECT_TRUE(ViewHolds(LoadPortion(109, nullptr)));
    Key(VK_LEFT);
    Key(VK_LEFT);
    EXPECT_TRUE(ViewHolds(LoadPortion(107, nullptr)));

    // Copy takes the chapter under its headings, not the lesson's titles.
    Command(IDM_COPY);
    std::u16string copied = ClipboardText();
    size_t section = copied.find(Utf16("סדר תפילות כל השנה"));
    EXPECT_LT(section, copied.find(Utf16("נוסח הקדיש")));
    EXPECT_NE(copied.find(Utf16("נוסח הקדיש")), std::u16string::npos);
    EXPECT_EQ(copied.find(Utf16("וזהו נוסח כל הברכות האמצעיות")), std::u16string::npos);

    Command(IDM_ONE_CHAPTER);
    EXPECT_EQ(g_settings.Track, TRACK_THREE);
    EXPECT_EQ(g_settings.Day, day - 1);
    EXPECT_TRUE(ViewHolds(LoadLesson(LessonOfDay(3, day - 1), nullptr)));
}

TEST_F(Track, SearchAgainGoesToTheDayWhoseChapterHoldsTheHit)
{
    int32_t day = DayOfPortionInCycle(160, SOME_DAY);
    PresetPinned(day, LessonOfDay(3, day));
    Preset(L"Track", TRACK_ONE);
    std::string pattern;
    Utf8ToLetterCode("נוסח ההגדה", pattern);
    FlipReadingOrder(pattern);
    PresetBytes(L"SearchString", pattern.c_str(), DWORD(pattern.size() + 1));
    Start();
    EXPECT_TRUE(ViewHolds(LoadPortion(160, nullptr)));
    Command(IDM_SEARCH_AGAIN);
    EXPECT_EQ(g_settings.Day, day + 6);
    EXPECT_TRUE(ViewHolds(LoadPortion(166, nullptr)));
    const uint8_t* text = View()->text;
    ASSERT_LT(View()->highlightStart, View()->highlightEnd);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(text) + View()->highlightStart,
                          View()->highlightEnd - View()->highlightStart),
              pattern);
    EXPECT_TRUE(BoxCloser::texts.empty());
}

TEST_F(Track, StoredChoiceAndBookmarksBesideTheOthers)
{
    PresetPinned(SOME_DAY, LessonOfDay(3, SOME_DAY));
    Preset(L"Track", 7);  // not a track: three chapters, and left as it is
    Start();
    EXPECT_EQ(g_settings.Track, TRACK_THREE);
    Restart();
    EXPECT_EQ(StoredNumber(L"Track", 0), 7u);
    DWORD size = 0;
    EXPECT_NE(RegGetValueW(HKEY_CURRENT_USER, L"Software\\Lumivex\\Quorin-3-Chapter-Hebrew", L"Bookmarks1",
                           RRF_RT_ANY, nullptr, nullptr, &size),
              ERROR_SUCCESS);

    Command(IDM_BOOKMARK);  // lesson bookmark
    Command(IDM_ONE_CHAPTER);
    EXPECT_EQ(GetMenuState(GetMenu(window), IDM_BOOKMARK, MF_BYCOMMAND) & MF_CHECKED, 0u);
    Command(IDM_BOOKMARK);  // portion bookmark
    Restart();
    EXPECT_EQ(StoredNumber(L"Track", 0), DWORD(TRACK_ONE));
    EXPECT_EQ(g_settings.Track, TRACK_ONE);
    ASSERT_EQ(g_bookmarksOneChapter.count, 1);
    EXPECT_EQ(g_bookmarksOneChapter.entries[0], PortionOfDay(SOME_DAY));
    ASSERT_EQ(g_bookmarks.count, 1);
    EXPECT_EQ(g_bookmarks.entries[0], LessonOfDay(3, SOME_DAY));
    EXPECT_EQ(GetMenuState(GetMenu(window), IDM_BOOKMARK, MF_BYCOMMAND) & MF_CHECKED, UINT(MF_CHECKED));
}

// A lesson chosen by number has no day; the one-chapter track shows the day
// of its first chapter.
TEST_F(Track, LessonByNumberBecomesTheDayOfItsFirstChapter)
{
    PresetPinned(0, 56);
    Preset(L"Track", TRACK_ONE);
    Start();
    EXPECT_EQ(g_settings.Portion, 165);
    EXPECT_GT(g_settings.dateTextLength, 0);
    EXPECT_TRUE(ViewHolds(LoadPortion(165, nullptr)));
}

}  // namespace
}  // namespace reader_test
