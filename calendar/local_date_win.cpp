// Today's date from the Windows local clock.
#include <windows.h>
#include "calendar/calendar.h"

DateRec LocalDate()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return DateRec{now.wMonth, now.wDay, now.wYear};
}
