#include <gtest/gtest.h>

#include <vector>

#include "calendar/calendar.h"

namespace {

bool SameDate(const DateRec& a, const DateRec& b)
{
    return a.month == b.month && a.day == b.day && a.year == b.year;
}

// Gregorian dates one day at a time, with month lengths looked up by name.
struct GregorianWalk {
    int32_t month = 1, day = 1, year = 1;

    static int32_t Length(int32_t m, int32_t y)
    {
        static const int32_t lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
        return m == 2 && leap ? 29 : lengths[m - 1];
    }
    void Next()
    {
        if (++day > Length(month, year)) {
            day = 1;
            if (++month > 12) month = 1, ++year;
        }
    }
};

TEST(GregorianCalendar, EveryDayOfYearsOneToNineThousandRoundTrips)
{
    ASSERT_EQ(AbsoluteFromGregorian(1, 1, 1), 1);
    EXPECT_EQ(AbsoluteFromGregorian(1, 1, 1) % 7, 1);  // a Monday
    GregorianWalk walk;
    for (int32_t a = 1; walk.year <= 9999; ++a, walk.Next()) {
        DateRec expected{walk.month, walk.day, walk.year};
        DateRec got = GregorianFromAbsolute(a);
        ASSERT_TRUE(SameDate(got, expected)) << "day " << a << ": " << got.year << "-" << got.month << "-"
                                             << got.day;
        ASSERT_EQ(AbsoluteFromGregorian(walk.month, walk.day, walk.year), a);
        ASSERT_EQ(GregorianDayOfYear(walk.month, walk.day, walk.year),
                  a - AbsoluteFromGregorian(1, 1, walk.year) + 1);
    }
}

TEST(GregorianCalendar, KnownDaysAndLastDaysOfLeapSpans)
{
    EXPECT_EQ(AbsoluteFromGregorian(3, 2, 2007), 732737);
    // 31 December 2004 ends a four-year span, 31 December 2000 a 400-year one.
    EXPECT_TRUE(SameDate(GregorianFromAbsolute(AbsoluteFromGregorian(12, 31, 2004)), DateRec{12, 31, 2004}));
    EXPECT_TRUE(SameDate(GregorianFromAbsolute(AbsoluteFromGregorian(12, 31, 2000)), DateRec{12, 31, 2000}));
    EXPECT_TRUE(SameDate(GregorianFromAbsolute(AbsoluteFromGregorian(1, 1, 2001)), DateRec{1, 1, 2001}));
    EXPECT_TRUE(IsGregorianLeapYear(2000));
    EXPECT_FALSE(IsGregorianLeapYear(1900));
    // Year 0 and before follow the same proleptic rules instead of wrapping.
    EXPECT_EQ(AbsoluteFromGregorian(12, 31, 0), 0);
    EXPECT_TRUE(SameDate(GregorianFromAbsolute(0), DateRec{12, 31, 0}));
    EXPECT_TRUE(SameDate(GregorianFromAbsolute(-365), DateRec{1, 1, 0}));
}

TEST(GregorianCalendar, SupportedSpanLimits)
{
    EXPECT_EQ(FIRST_SUPPORTED_DAY, AbsoluteFromGregorian(9, 1, 873));
    EXPECT_EQ(LAST_SUPPORTED_DAY, AbsoluteFromGregorian(4, 30, 6774));
}

// The Hebrew calendar by another route: the molad of Tishri carried from year
// to year as weekday-day count, hours and parts, and the four postponements in
// their classic form.
struct HebrewReference {
    static constexpr int32_t FIRST_YEAR = 1, LAST_YEAR = 14000;
    std::vector<int32_t> newYear;  // day count of 1 Tishri; count mod 7 = weekday, 0 = Sunday

    static bool Leap(int32_t y)
    {
        switch (y % 19) {
        case 3: case 6: case 8: case 11: case 14: case 17: case 0: return true;
        default: return false;
        }
    }

    HebrewReference()
    {
        newYear.resize(LAST_YEAR + 2);
        int64_t day = 1, hours = 5, parts = 204;  // molad BaHaRaD, Monday
        for (int32_t y = FIRST_YEAR; y <= LAST_YEAR + 1; ++y) {
            int32_t weekday = day % 7;
            bool late = hours > 9 || (hours == 9 && parts >= 204);
            bool lateMonday = hours > 15 || (hours == 15 && parts >= 589);
            int64_t rosh = day;
            if (hours >= 18) {
                rosh += 1;
                if (rosh % 7 == 0 || rosh % 7 == 3 || rosh % 7 == 5) rosh += 1;
            } else if (weekday == 0 || weekday == 3 || weekday == 5) {
                rosh += 1;
            } else if (weekday == 2 && late && !Leap(y)) {
                rosh += 2;
            } else if (weekday == 1 && lateMonday && Leap(y - 1)) {
                rosh += 1;
            }
            newYear[y] = static_cast<int32_t>(rosh);
            // 12 or 13 lunations of 29 days 12 hours 793 parts.
            int64_t months = Leap(y) ? 13 : 12;
            parts += 793 * months;
            hours += 12 * months + parts / 1080;
            parts %= 1080;
            day += 29 * months + hours / 24;
            hours %= 24;
        }
    }

    int32_t Length(int32_t y) const { return newYear[y + 1] - newYear[y]; }

    // Month lengths by year kind, in the order 7..12(13), 1..6.
    int32_t MonthLength(int32_t m, int32_t y) const
    {
        int32_t kind = Length(y) % 10;  // 3 deficient, 4 regular, 5 complete
        switch (m) {
        case 8: return kind == 5 ? 30 : 29;
        case 9: return kind == 3 ? 29 : 30;
        case 12: return Leap(y) ? 30 : 29;
        case 13: return 29;
        default: return m % 2 ? 30 : 29;  // Nisan 30, Iyyar 29, ... Tishri 30, Tevet 29, Shevat 30
        }
    }
};

const HebrewReference& Reference()
{
    static const HebrewReference ref;
    return ref;
}

TEST(HebrewCalendar, YearAndMonthLengthsAgreeWithTheMoladByWeekdays)
{
    const HebrewReference& ref = Reference();
    for (int32_t y = 3761; y <= 10000; ++y) {
        ASSERT_EQ(IsHebrewLeapYear(y), HebrewReference::Leap(y)) << y;
        ASSERT_EQ(LastHebrewMonth(y), HebrewReference::Leap(y) ? 13 : 12) << y;
        ASSERT_EQ(HebrewElapsedDays(y) % 7, ref.newYear[y] % 7) << y;
        ASSERT_EQ(HebrewYearLength(y), ref.Length(y)) << y;
        int32_t sum = 0;
        for (int32_t m = 1; m <= LastHebrewMonth(y); ++m) {
            ASSERT_EQ(HebrewMonthLength(m, y), ref.MonthLength(m, y)) << m << "/" << y;
            sum += HebrewMonthLength(m, y);
        }
        ASSERT_EQ(sum, ref.Length(y)) << y;
        ASSERT_EQ(AbsoluteFromHebrew(6, 29, y) + 1, AbsoluteFromHebrew(7, 1, y + 1)) << y;
    }
}

TEST(HebrewCalendar, KnownYears)
{
    EXPECT_EQ(AbsoluteFromHebrew(7, 1, 5768), AbsoluteFromGregorian(9, 13, 2007));
    EXPECT_EQ(AbsoluteFromHebrew(7, 1, 5785), AbsoluteFromGregorian(10, 3, 2024));
    EXPECT_EQ(AbsoluteFromHebrew(7, 1, 5786), AbsoluteFromGregorian(9, 23, 2025));
    EXPECT_EQ(AbsoluteFromHebrew(7, 1, 5787), AbsoluteFromGregorian(9, 12, 2026));

    struct { int32_t year, length, heshvan, kislev; } years[] = {
        {5767, 355, 30, 30}, {5768, 383, 29, 29}, {5771, 385, 30, 30}, {5786, 354, 29, 30}};
    for (auto& e : years) {
        EXPECT_EQ(HebrewYearLength(e.year), e.length) << e.year;
        EXPECT_EQ(HebrewMonthLength(8, e.year), e.heshvan) << e.year;
        EXPECT_EQ(HebrewMonthLength(9, e.year), e.kislev) << e.year;
    }
    EXPECT_EQ(HebrewMonthLength(12, 5768), 30);  // Adar I
    EXPECT_EQ(HebrewMonthLength(13, 5768), 29);
    EXPECT_EQ(HebrewMonthLength(12, 5767), 29);
    EXPECT_EQ(HebrewMonthLength(0, 5767), 30);
    EXPECT_EQ(HebrewMonthLength(14, 5767), 30);
    EXPECT_EQ(HebrewMonthLength(-3, 5767), 30);
}

TEST(HebrewCalendar, MonthSearchFromTheGregorianMonth)
{
    struct { int32_t gm, gd, gy; DateRec hebrew; } days[] = {
        {3, 2, 2007, {12, 12, 5767}},
        {1, 1, 2063, {9, 30, 5823}},   // early January, still Kislev
        {12, 1, 2024, {8, 30, 5785}},  // early December, still Heshvan
        {11, 1, 2024, {7, 30, 5785}},  // early November, still Tishri
        {9, 10, 2025, {6, 17, 5785}},  // September before the new year: Elul
        {10, 2, 2024, {6, 29, 5784}},
    };
    for (auto& e : days) {
        DateRec got = HebrewFromAbsolute(AbsoluteFromGregorian(e.gm, e.gd, e.gy));
        EXPECT_TRUE(SameDate(got, e.hebrew))
            << e.gy << "-" << e.gm << "-" << e.gd << " gave " << got.year << "-" << got.month << "-" << got.day;
    }
}

// Walks Hebrew dates day by day from 1 Tishri of `year` with the reference
// month lengths and checks every `stride`th day in [from, to]. The result's
// day comes from AbsoluteFromHebrew of the month's first day, so this checks
// that direction too.
void CheckHebrewDays(int32_t year, int32_t from, int32_t to, int32_t stride)
{
    const HebrewReference& ref = Reference();
    // The reference counts days from its own epoch; 1 Tishri 5768 was
    // 13 September 2007.
    int32_t offset = AbsoluteFromGregorian(9, 13, 2007) - ref.newYear[5768];
    int32_t a = ref.newYear[year] + offset;
    ASSERT_LE(a, from);
    int32_t month = 7, day = 1;
    for (; a <= to; ++a) {
        if (a >= from && (a - from) % stride == 0) {
            DateRec got = HebrewFromAbsolute(a);
            ASSERT_TRUE(SameDate(got, DateRec{month, day, year}))
                << "day " << a << " gave " << got.year << "-" << got.month << "-" << got.day << ", not " << year
                << "-" << month << "-" << day;
        }
        if (++day > ref.MonthLength(month, year)) {
            day = 1;
            if (month == 6) ++year, month = 7;
            else month = month == (HebrewReference::Leap(year) ? 13 : 12) ? 1 : month + 1;
        }
    }
}

TEST(HebrewCalendar, EveryDayOfTheSupportedSpanIsExact)
{
    CheckHebrewDays(4633, FIRST_SUPPORTED_DAY, LAST_SUPPORTED_DAY, 1);
}

TEST(HebrewCalendar, DaysOutsideTheSupportedSpanAreExactToo)
{
    // The search once gave a wrong month and a day of 0 or less out here.
    CheckHebrewDays(3761, AbsoluteFromGregorian(1, 1, 1), FIRST_SUPPORTED_DAY - 1, 5);
    CheckHebrewDays(4633, FIRST_SUPPORTED_DAY - 40, FIRST_SUPPORTED_DAY - 1, 1);
    CheckHebrewDays(10534, LAST_SUPPORTED_DAY + 1, LAST_SUPPORTED_DAY + 40, 1);
    CheckHebrewDays(10534, LAST_SUPPORTED_DAY + 1, AbsoluteFromGregorian(12, 31, 9999), 5);
}

TEST(LocalClock, GivesAPlausibleDate)
{
    DateRec today = LocalDate();
    EXPECT_GE(today.year, 2024);
    EXPECT_GE(today.month, 1);
    EXPECT_LE(today.month, 12);
    EXPECT_GE(today.day, 1);
    EXPECT_LE(today.day, GregorianWalk::Length(today.month, today.year));
}

}  // namespace
