// Gregorian, absolute and Hebrew day arithmetic. Pure integer functions with
// no state; only LocalDate reads the clock.
//
// Absolute day 1 is 1 January of year 1 (proleptic Gregorian), a Monday;
// day mod 7 gives the weekday with 0 = Sunday. Hebrew months run 1 Nisan ..
// 12 Adar (Adar I in a leap year), 13 Adar II, and the year number changes at
// month 7, Tishri.
#pragma once
#include <cstdint>
#include "base/date_rec.h"

// The days the schedule and the date pickers offer: 1 September 873 through
// 30 April 6774.
constexpr int32_t FIRST_SUPPORTED_DAY = 318736;
constexpr int32_t LAST_SUPPORTED_DAY = 2473907;

bool IsGregorianLeapYear(int32_t year);
int32_t GregorianDayOfYear(int32_t month, int32_t day, int32_t year);
int32_t AbsoluteFromGregorian(int32_t month, int32_t day, int32_t year);
DateRec GregorianFromAbsolute(int32_t absolute);

bool IsHebrewLeapYear(int32_t year);
int32_t LastHebrewMonth(int32_t year);
int32_t HebrewElapsedDays(int32_t year);
int32_t HebrewYearLength(int32_t year);
bool IsLongHeshvan(int32_t year);
bool IsShortKislev(int32_t year);
int32_t HebrewMonthLength(int32_t month, int32_t year);
int32_t AbsoluteFromHebrew(int32_t month, int32_t day, int32_t year);
DateRec HebrewFromAbsolute(int32_t absolute);

// Today's Gregorian date from the local clock, and as an absolute day.
DateRec LocalDate();
int32_t TodayAbsolute();

// The remainder of a floored division: never negative for b > 0.
int32_t FloorMod(int32_t a, int32_t b);
