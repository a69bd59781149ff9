// quorin-cli export epub FILE [--from YYYY-MM-DD] [--days N] [--track 1|3]:
// the readings of N days from a given day (today and a whole cycle of the
// track unless told) as a book.
#include <cstdio>
#include <cstring>
#include <string>

#include "calendar/calendar.h"
#include "calendar/portion_schedule.h"
#include "calendar/schedule.h"
#include "tools/cli/commands.h"
#include "tools/cli/epub_book.h"

namespace {

// YYYY-MM-DD naming a real day, as an absolute day number.
bool ParseDate(const char* text, int32_t* day)
{
    if (std::strlen(text) != 10 || text[4] != '-' || text[7] != '-') return false;
    long y, m, d;
    std::string s(text);
    if (!ParseNumber(s.substr(0, 4).c_str(), 1, 9999, &y) || !ParseNumber(s.substr(5, 2).c_str(), 1, 12, &m) ||
        !ParseNumber(s.substr(8, 2).c_str(), 1, 31, &d))
        return false;
    *day = AbsoluteFromGregorian(int32_t(m), int32_t(d), int32_t(y));
    DateRec back = GregorianFromAbsolute(*day);
    return back.year == y && back.month == m && back.day == d;
}

int Refuse(const std::string& why)
{
    std::fprintf(stderr, "quorin-cli export: %s\n", why.c_str());
    return 2;
}

}  // namespace

int CmdExport(int argc, char** argv)
{
    const char* usage = "expected: export epub FILE [--from YYYY-MM-DD] [--days N] [--track 1|3]";
    int track;
    if (!TakeTrackOption(argc, argv, &track) || argc < 3 || std::strcmp(argv[1], "epub")) return Refuse(usage);
    const char* path = argv[2];
    int32_t first = TodayAbsolute();
    long days = track == TRACK_ONE ? PORTION_COUNT : LESSON_COUNT;
    for (int i = 3; i < argc; i += 2) {
        bool from = !std::strcmp(argv[i], "--from"), count = !std::strcmp(argv[i], "--days");
        if ((!from && !count) || i + 1 >= argc) return Refuse(usage);
        if (from && !ParseDate(argv[i + 1], &first))
            return Refuse(std::string("--from ") + argv[i + 1] + " is not a date (YYYY-MM-DD)");
        if (count && !ParseNumber(argv[i + 1], 1, EPUB_MAX_DAYS, &days))
            return Refuse(std::string("--days ") + argv[i + 1] + " is not a number of days from 1 to " +
                          std::to_string(EPUB_MAX_DAYS));
    }
    if (!*path) return Refuse(usage);
    if (first < FIRST_SUPPORTED_DAY || first + days - 1 > LAST_SUPPORTED_DAY)
        return Refuse("the days must lie from 0873-09-01 through 6774-04-30, the calendar's range");

    std::string error;
    return WriteEpub(path, first, int(days), track, error) ? 0 : Refuse(error);
}
