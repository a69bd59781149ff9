// Today's date from the C library's local time (native builds).
#include <ctime>
#include "calendar/calendar.h"

DateRec LocalDate()
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return DateRec{local.tm_mon + 1, local.tm_mday, local.tm_year + 1900};
}
