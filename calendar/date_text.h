// The short Hebrew date shown in the date band, in the letter code and in
// visual (left-to-right) order: year, month name, day.
#pragma once
#include <cstdint>
#include "base/date_rec.h"

// Room the caller gives: DATE_TEXT_SIZE bytes. The longest text is 17 bytes
// and its terminator, 18 from the year 11000 on.
constexpr int HEBREW_DATE_TEXT_MAX = 18;

// Writes the zero-terminated text of a Hebrew date into buffer and gives its
// length, or gives 0 and leaves buffer untouched when the date cannot be
// written (missing pointers, month outside the year, day outside 1..30,
// year below 1).
int32_t FormatHebrewDate(const DateRec* date, uint8_t* buffer);

// The name of a Hebrew month (1..12, or 1..13 in a leap year) as the date
// text writes it, in the letter code; empty outside the year.
const char* HebrewMonthName(int32_t month, bool leap);
