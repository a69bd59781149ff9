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

int PrintLessonForReading(int lesson, int width, const char* command)
{
    uint8_t* text = LoadLesson(lesson, nullptr);
    if (!text) {
        std::fprintf(stderr, "quorin-cli %s: lesson %d does not load\n", command, lesson);
        return 2;
    }
    std::string page = FormatLessonForReading(text, width);
    std::fwrite(page.data(), 1, page.size(), stdout);
    std::free(text);
    return 0;
}

int PrintDayPage(int32_t day, int lesson, const char* command)
{
    uint8_t* text = LoadLesson(lesson, nullptr);
    if (!text) {
        std::fprintf(stderr, "quorin-cli %s: lesson %d does not load\n", command, lesson);
        return 2;
    }
    uint8_t* index = LoadLesson(INDEX_LESSON, nullptr);
    DayLine line = DescribeDay(day, index);
    line.lesson = lesson;
    std::string page = DayPage(line, text, nullptr);
    std::fwrite(page.data(), 1, page.size(), stdout);
    std::free(index);
    std::free(text);
    return 0;
}
