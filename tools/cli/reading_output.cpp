// The reading layout on standard output: the width to wrap to and a lesson
// printed through it, shared by "today" and "lesson".
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "calendar/portion_schedule.h"
#include "calendar/portion_text.h"
#include "calendar/schedule.h"
#include "content/lesson_store.h"
#include "tools/cli/commands.h"
#include "tools/cli/lesson_html.h"
#include "tools/cli/reading_text.h"

namespace {

bool ParseWidth(const char* arg, int* width)
{
    long value;
    if (!ParseNumber(arg, READING_MIN_WIDTH, READING_MAX_WIDTH, &value)) return false;
    *width = static_cast<int>(value);
    return true;
}

// The terminal's own width when we print to one, else $COLUMNS, else 80.
int TerminalWidth()
{
    winsize size{};
    if (isatty(STDOUT_FILENO) && !ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) && size.ws_col)
        return std::clamp<int>(size.ws_col, READING_MIN_WIDTH, READING_MAX_WIDTH);
    int width;
    const char* columns = std::getenv("COLUMNS");
    if (columns && ParseWidth(columns, &width)) return width;
    return READING_DEFAULT_WIDTH;
}

}  // namespace

bool TakeWidthOption(int& argc, char** argv, int* width)
{
    *width = TerminalWidth();
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--width")) continue;
        if (i + 1 >= argc || !ParseWidth(argv[i + 1], width)) return false;
        for (int j = i; j + 2 <= argc; ++j) argv[j] = argv[j + 2];
        argc -= 2;
        return true;
    }
    return true;
}

namespace {

uint8_t* LoadReading(int track, int number, const char* command)
{
    uint8_t* text = track == TRACK_ONE ? LoadPortion(number, nullptr) : LoadLesson(number, nullptr);
    if (!text)
        std::fprintf(stderr, "quorin-cli %s: %s %d does not load\n", command, track == TRACK_ONE ? "portion" : "lesson",
                     number);
    return text;
}

}  // namespace

bool TakeTrackOption(int& argc, char** argv, int* track)
{
    *track = TRACK_THREE;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--track")) continue;
        if (i + 1 >= argc || (std::strcmp(argv[i + 1], "1") && std::strcmp(argv[i + 1], "3"))) return false;
        *track = argv[i + 1][0] - '0';
        for (int j = i; j + 2 <= argc; ++j) argv[j] = argv[j + 2];
        argc -= 2;
        return true;
    }
    return true;
}

int ReadingOfDay(int track, int32_t day)
{
    return track == TRACK_ONE ? PortionOfDay(day) : LessonOfDay(3, day);
}

int PrintLessonForReading(int track, int number, int width, const char* command)
{
    uint8_t* text = LoadReading(track, number, command);
    if (!text) return 2;
    std::string page = FormatLessonForReading(text, width);
    std::fwrite(page.data(), 1, page.size(), stdout);
    std::free(text);
    return 0;
}

int PrintDayPage(int32_t day, int track, int number, const char* command)
{
    uint8_t* text = LoadReading(track, number, command);
    if (!text) return 2;
    uint8_t* index = LoadLesson(INDEX_LESSON, nullptr);
    DayLine line = DescribeDay(day, index);
    line.lesson = track == TRACK_ONE ? LessonOfDay(3, day) : number;
    if (track == TRACK_ONE) NamePortion(line, number, text);
    std::string page = DayPage(line, text, nullptr);
    std::fwrite(page.data(), 1, page.size(), stdout);
    std::free(index);
    std::free(text);
    return 0;
}
