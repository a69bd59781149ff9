// quorin-cli day ABS / today: a day's dates, lesson and Hebrew date text;
// today follows it with the lesson itself.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "calendar/calendar.h"
#include "calendar/date_text.h"
#include "calendar/schedule.h"
#include "settings/settings.h"
#include "text/letter_code.h"
#include "tools/cli/commands.h"
#include "tools/cli/reading_text.h"

namespace {

void PrintDay(int32_t day, int track)
{
    DateRec g = GregorianFromAbsolute(day);
    DateRec h = HebrewFromAbsolute(day);
    uint8_t text[DATE_TEXT_SIZE] = {};
    int32_t length = FormatHebrewDate(&h, text);
    std::printf("%d %d-%d-%d %d-%d-%d %s %d %s\n", day, g.year, g.month, g.day, h.year, h.month, h.day,
                track == TRACK_ONE ? "portion" : "lesson", ReadingOfDay(track, day), ReadingUtf8({reinterpret_cast<const char*>(text), size_t(length)}).c_str());
}

}  // namespace

int CmdDay(int argc, char** argv)
{
    long day;
    int track;
    if (!TakeTrackOption(argc, argv, &track) || argc != 2 ||
        !ParseNumber(argv[1], FIRST_SUPPORTED_DAY, LAST_SUPPORTED_DAY, &day)) {
        std::fprintf(stderr, "quorin-cli day: expected one absolute day number from %d to %d, optionally --track 1|3\n",
                     FIRST_SUPPORTED_DAY, LAST_SUPPORTED_DAY);
        return 2;
    }
    PrintDay(static_cast<int32_t>(day), track);
    return 0;
}

int CmdToday(int argc, char** argv)
{
    int width, track;
    bool html = TakeFlag(argc, argv, "--html");
    if (!TakeTrackOption(argc, argv, &track) || !TakeWidthOption(argc, argv, &width) || argc != 1) {
        std::fprintf(stderr, "quorin-cli today: takes only --track 1|3, --width N (%d..%d) or --html\n",
                     READING_MIN_WIDTH, READING_MAX_WIDTH);
        return 2;
    }
    int32_t day = TodayAbsolute();
    if (html) return PrintDayPage(day, track, ReadingOfDay(track, day), "today");
    PrintDay(day, track);
    // The day's line stays first, as "day" prints it; the lesson follows.
    std::putchar('\n');
    std::fflush(stdout);
    return PrintLessonForReading(track, ReadingOfDay(track, day), width, "today");
}
