// A date as three signed numbers, Gregorian or Hebrew; the caller knows which.
#pragma once
#include <cstdint>

struct DateRec {
    int32_t month;
    int32_t day;
    int32_t year;
};
