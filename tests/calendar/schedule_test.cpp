#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "calendar/calendar.h"
#include "calendar/date_text.h"
#include "calendar/schedule.h"
#include "settings/settings.h"

namespace {

int32_t Today()
{
    DateRec d = LocalDate();
    return AbsoluteFromGregorian(d.month, d.day, d.year);
}

class Schedule : public ::testing::Test {
protected:
    void SetUp() override { g_settings = Settings{}; }
    void TearDown() override { g_settings = Settings{}; }

    // A shown day whose derived fields are deliberately off, so that any
    // recomputation shows.
    void ShowMarkedDay(int32_t day, uint32_t flags)
    {
        g_settings.Day = day;
        g_settings.Lesson = 5;
        g_settings.LastPosition = 9;
        g_settings.Flags = flags;
        g_settings.date = DateRec{1, 2, 3};
        std::memcpy(g_settings.dateText, "marker", 7);
        g_settings.dateTextLength = 6;
    }
    void ExpectMarkedDayKept(int32_t day)
    {
        EXPECT_EQ(g_settings.Day, day);
        EXPECT_EQ(g_settings.Lesson, 5);
        EXPECT_EQ(g_settings.LastPosition, 9);
        EXPECT_EQ(g_settings.date.year, 3);
        EXPECT_STREQ(reinterpret_cast<const char*>(g_settings.dateText), "marker");
        EXPECT_EQ(g_settings.dateTextLength, 6);
    }
};

TEST(LessonOfDay, CycleAnchorsAndRecurrences)
{
    EXPECT_EQ(LessonOfDay(3, 732737), 207);  // 2 March 2007
    EXPECT_EQ(LessonOfDay(3, CYCLE_ANCHOR_DAY), 1);
    EXPECT_EQ(LessonOfDay(3, CYCLE_ANCHOR_DAY - 1), 339);
    EXPECT_EQ(LessonOfDay(3, 739957), 308);  // 7 December 2026
    EXPECT_EQ(LessonOfDay(3, AbsoluteFromGregorian(7, 13, 2007)), 1);
    EXPECT_EQ(LessonOfDay(3, AbsoluteFromGregorian(6, 16, 2008)), 1);
    EXPECT_EQ(LessonOfDay(3, AbsoluteFromGregorian(3, 1, 2025)), 1);
    EXPECT_EQ(LessonOfDay(3, AbsoluteFromGregorian(2, 3, 2026)), 1);
    EXPECT_EQ(LessonOfDay(1, CYCLE_ANCHOR_DAY), 1);
    EXPECT_EQ(LessonOfDay(1, CYCLE_ANCHOR_DAY + 1016), 1017);
    EXPECT_EQ(LessonOfDay(1, CYCLE_ANCHOR_DAY + 1017), 1);
}

TEST_F(Schedule, NavigationStoresTheDayItsDateTextAndLesson)
{
    g_settings.LastPosition = 12;
    g_settings.Flags = FLAG_DAY_UNCHANGED;
    SelectDay(732737, SELECT_NAVIGATION);

    EXPECT_EQ(g_settings.Day, 732737);
    EXPECT_EQ(g_settings.Lesson, 207);
    EXPECT_EQ(g_settings.date.month, 12);
    EXPECT_EQ(g_settings.date.day, 12);
    EXPECT_EQ(g_settings.date.year, 5767);
    uint8_t text[DATE_TEXT_SIZE];
    int32_t length = FormatHebrewDate(&g_settings.date, text);
    ASSERT_GT(length, 0);
    EXPECT_EQ(g_settings.dateTextLength, length);
    EXPECT_STREQ(reinterpret_cast<const char*>(g_settings.dateText), reinterpret_cast<const char*>(text));
    EXPECT_EQ(g_settings.Flags, FLAG_PIN | FLAG_DAY_CHANGED);
    EXPECT_EQ(g_settings.LastPosition, 12);  // only start-up sends the view to the top
}

TEST_F(Schedule, NavigationStaysInsideTheCalendarsSpan)
{
    // A step past either end stays on the end day, which keeps its date.
    SelectDay(LAST_SUPPORTED_DAY + 1, SELECT_NAVIGATION);
    EXPECT_EQ(g_settings.Day, LAST_SUPPORTED_DAY);
    EXPECT_GT(g_settings.dateTextLength, 0);
    SelectDay(INT32_MIN, SELECT_NAVIGATION);
    EXPECT_EQ(g_settings.Day, FIRST_SUPPORTED_DAY);
}

TEST_F(Schedule, StartUpKeepsAPinnedDayUntouched)
{
    ShowMarkedDay(732737, DEFAULT_FLAGS | FLAG_PIN);
    SelectDay(0, SELECT_STARTUP);
    ExpectMarkedDayKept(732737);
    EXPECT_EQ(g_settings.Flags, DEFAULT_FLAGS | FLAG_PIN);
}

TEST_F(Schedule, SelectingTheShownDayOnlyPinsIt)
{
    ShowMarkedDay(732737, DEFAULT_FLAGS);
    SelectDay(732737, SELECT_NAVIGATION);
    ExpectMarkedDayKept(732737);
    EXPECT_EQ(g_settings.Flags, DEFAULT_FLAGS | FLAG_PIN);

    // Start-up on an unpinned stored day that is still today keeps the
    // reading position.
    int32_t today = Today();
    ShowMarkedDay(today, DEFAULT_FLAGS | FLAG_PIN);
    g_settings.Flags &= ~FLAG_PIN;
    SelectDay(0, SELECT_STARTUP);
    if (Today() != today) GTEST_SKIP() << "midnight passed";
    ExpectMarkedDayKept(today);
}

TEST_F(Schedule, TodayUnpinsAndMovesToTodaysLesson)
{
    int32_t today = Today();
    ShowMarkedDay(732737, DEFAULT_FLAGS | FLAG_PIN);
    SelectDay(0, SELECT_NAVIGATION);
    if (Today() != today) GTEST_SKIP() << "midnight passed";
    EXPECT_EQ(g_settings.Day, today);
    EXPECT_EQ(g_settings.Lesson, LessonOfDay(3, today));
    EXPECT_EQ(g_settings.Flags & FLAG_PIN, 0u);
    EXPECT_EQ(g_settings.LastPosition, 9);

    // At start-up a new day also puts the view back at the top.
    ShowMarkedDay(732737, DEFAULT_FLAGS);
    SelectDay(0, SELECT_STARTUP);
    if (Today() != today) GTEST_SKIP() << "midnight passed";
    EXPECT_EQ(g_settings.Day, today);
    EXPECT_EQ(g_settings.LastPosition, 0);
    EXPECT_EQ(g_settings.date.year, HebrewFromAbsolute(today).year);
}

TEST(NearestDayOfLesson, StaysWithinHalfACycleOfToday)
{
    int32_t today = Today();
    int lesson = LessonOfDay(3, today);
    auto ahead = [&](int n) { return (lesson - 1 + n + LESSON_COUNT) % LESSON_COUNT + 1; };
    int32_t same = NearestDayOfLesson(lesson);
    int32_t plus169 = NearestDayOfLesson(ahead(169));
    int32_t plus170 = NearestDayOfLesson(ahead(170));
    int32_t minus1 = NearestDayOfLesson(ahead(-1));
    if (Today() != today) GTEST_SKIP() << "midnight passed";
    EXPECT_EQ(same, today);
    EXPECT_EQ(plus169, today + 169);
    EXPECT_EQ(plus170, today - 169);
    EXPECT_EQ(minus1, today - 1);
    for (int n = 0; n < LESSON_COUNT; ++n) {
        int32_t day = NearestDayOfLesson(ahead(n));
        EXPECT_EQ(LessonOfDay(3, day), ahead(n));
        EXPECT_LE(std::abs(day - today), 169);
    }
}

}  // namespace
