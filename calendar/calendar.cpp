// Day arithmetic after Dershowitz and Reingold: the proleptic Gregorian
// calendar and the molad-based Hebrew calendar with its postponements.
#include "calendar/calendar.h"

namespace {

constexpr int32_t GREGORIAN_MONTH_LENGTHS[2][13] = {
    {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
    {0, 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
};

// Hebrew month at which the month search starts, by Gregorian month.
constexpr int32_t HEBREW_START_MONTH[13] = {0, 9, 10, 11, 12, 1, 2, 3, 4, 7, 7, 7, 8};

constexpr int32_t HEBREW_EPOCH_OFFSET = 1373429;
constexpr int32_t PARTS_PER_HOUR = 1080;

// Floor division keeps the formulas right for years and days below 1 too;
// where they are positive it is the same as plain division.
int32_t FloorDiv(int32_t a, int32_t b)
{
    int32_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}


// A year's length decides Heshvan and Kislev: 353/383 both short, 355/385
// both long.
int32_t MonthLengthIn(int32_t month, bool leap, int32_t yearLength)
{
    switch (month) {
    case 2: case 4: case 6: case 10: case 13:
        return 29;
    case 12:
        return leap ? 30 : 29;
    case 8:
        return yearLength % 10 == 5 ? 30 : 29;
    case 9:
        return yearLength % 10 == 3 ? 29 : 30;
    default:
        return 30;
    }
}

// What the month arithmetic needs of one Hebrew year, worked out once.
struct HebrewYear {
    int32_t elapsed;  // HebrewElapsedDays
    int32_t length;
    bool leap;
};

HebrewYear HebrewYearOf(int32_t year)
{
    int32_t elapsed = HebrewElapsedDays(year);
    return HebrewYear{elapsed, HebrewElapsedDays(year + 1) - elapsed, IsHebrewLeapYear(year)};
}

int32_t AbsoluteInYear(const HebrewYear& y, int32_t month, int32_t day)
{
    int32_t s = day;
    if (month < 7) {
        for (int32_t i = 7, last = y.leap ? 13 : 12; i <= last; ++i) s += MonthLengthIn(i, y.leap, y.length);
        for (int32_t i = 1; i < month; ++i) s += MonthLengthIn(i, y.leap, y.length);
    } else {
        for (int32_t i = 7; i < month; ++i) s += MonthLengthIn(i, y.leap, y.length);
    }
    return y.elapsed + s - HEBREW_EPOCH_OFFSET;
}

}  // namespace

int32_t FloorMod(int32_t a, int32_t b)
{
    return a - b * FloorDiv(a, b);
}

int32_t TodayAbsolute()
{
    DateRec d = LocalDate();
    return AbsoluteFromGregorian(d.month, d.day, d.year);
}

bool IsGregorianLeapYear(int32_t year)
{
    return FloorMod(year, 4) == 0 && (FloorMod(year, 100) != 0 || FloorMod(year, 400) == 0);
}

int32_t GregorianDayOfYear(int32_t month, int32_t day, int32_t year)
{
    int32_t n = day + 31 * (month - 1);
    if (month > 2) {
        n -= (4 * month + 23) / 10;
        if (IsGregorianLeapYear(year)) n += 1;
    }
    return n;
}

int32_t AbsoluteFromGregorian(int32_t month, int32_t day, int32_t year)
{
    int32_t t = year - 1;
    return GregorianDayOfYear(month, day, year) + 365 * t + FloorDiv(t, 4) - FloorDiv(t, 100) +
           FloorDiv(t, 400);
}

DateRec GregorianFromAbsolute(int32_t absolute)
{
    int32_t d0 = absolute - 1;
    int32_t k400 = FloorDiv(d0, 146097);
    int32_t d1 = FloorMod(d0, 146097);
    int32_t k100 = d1 / 36524;
    int32_t d2 = d1 % 36524;
    int32_t k4 = d2 / 1461;
    int32_t d3 = d2 % 1461;
    int32_t k1 = d3 / 365;
    int32_t year = 400 * k400 + 100 * k100 + 4 * k4 + k1;
    // The last day of a leap year (of the 400- or the 4-year span) overflows
    // the division by one whole year.
    if (k100 == 4 || k1 == 4) return DateRec{12, 31, year};

    year += 1;
    int32_t rest = d3 % 365 + 1;
    const int32_t* lengths = GREGORIAN_MONTH_LENGTHS[IsGregorianLeapYear(year) ? 1 : 0];
    int32_t month = 1;
    while (lengths[month] < rest) {
        rest -= lengths[month];
        ++month;
    }
    return DateRec{month, rest, year};
}

bool IsHebrewLeapYear(int32_t year)
{
    return FloorMod(static_cast<int32_t>((7LL * year + 1) % 19), 19) < 7;
}

int32_t LastHebrewMonth(int32_t year)
{
    return IsHebrewLeapYear(year) ? 13 : 12;
}

int32_t HebrewElapsedDays(int32_t year)
{
    int32_t c = FloorMod(year - 1, 19);
    int32_t months = 235 * FloorDiv(year - 1, 19) + 12 * c + (7 * c + 1) / 19;
    int32_t parts = 204 + 793 * FloorMod(months, PARTS_PER_HOUR);
    int32_t hours = 5 + 12 * months + 793 * FloorDiv(months, PARTS_PER_HOUR) + parts / PARTS_PER_HOUR;
    int32_t day = 1 + 29 * months + FloorDiv(hours, 24);
    int32_t p = PARTS_PER_HOUR * FloorMod(hours, 24) + parts % PARTS_PER_HOUR;

    int32_t weekday = FloorMod(day, 7);
    bool lastYearLeap = FloorMod(7 * year - 6, 19) < 7;
    if (p >= 19440 || (weekday == 2 && p >= 9924 && !IsHebrewLeapYear(year)) ||
        (weekday == 1 && p >= 16789 && lastYearLeap))
        day += 1;

    weekday = FloorMod(day, 7);
    if (weekday == 0 || weekday == 3 || weekday == 5) day += 1;
    return day;
}

int32_t HebrewYearLength(int32_t year)
{
    return HebrewElapsedDays(year + 1) - HebrewElapsedDays(year);
}

bool IsLongHeshvan(int32_t year)
{
    return HebrewYearLength(year) % 10 == 5;
}

bool IsShortKislev(int32_t year)
{
    return HebrewYearLength(year) % 10 == 3;
}

int32_t HebrewMonthLength(int32_t month, int32_t year)
{
    return MonthLengthIn(month, IsHebrewLeapYear(year), HebrewYearLength(year));
}

int32_t AbsoluteFromHebrew(int32_t month, int32_t day, int32_t year)
{
    return AbsoluteInYear(HebrewYearOf(year), month, day);
}

DateRec HebrewFromAbsolute(int32_t absolute)
{
    DateRec g = GregorianFromAbsolute(absolute);
    int32_t month = HEBREW_START_MONTH[g.month];
    int32_t year = g.year + 3760;
    while (absolute >= AbsoluteFromHebrew(7, 1, year + 1)) ++year;
    HebrewYear info = HebrewYearOf(year);

    // The table's start month can lie after the true month far from the
    // present (before September 873, after April 6774); the search only goes
    // forward, so start such a day from the beginning of its year instead.
    if (absolute < AbsoluteInYear(info, month, 1)) month = 7;

    int32_t last = info.leap ? 13 : 12;
    while (AbsoluteInYear(info, month, MonthLengthIn(month, info.leap, info.length)) < absolute)
        month = month % last + 1;

    return DateRec{month, absolute - AbsoluteInYear(info, month, 1) + 1, year};
}
