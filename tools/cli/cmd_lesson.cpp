// quorin-cli lesson N / portion N [--width N] [--raw]: one lesson (or one
// day's portion of the one-chapter track) laid out for reading (see
// reading_text.h), or its bytes unchanged.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "calendar/calendar.h"
#include "calendar/portion_schedule.h"
#include "calendar/portion_text.h"
#include "calendar/schedule.h"
#include "content/lesson_store.h"
#include "text/letter_code.h"
#include "tools/cli/commands.h"
#include "tools/cli/reading_text.h"

namespace {


// Bytes up to and including the zero that ends the records.
size_t TextSize(const uint8_t* text)
{
    size_t at = 0;
    while (text[at]) at += 2 + std::strlen(reinterpret_cast<const char*>(text + at + 2)) + 1;
    return at + 1;
}

int PrintRaw(uint8_t* text, const char* what, int number)
{
    if (!text) {
        std::fprintf(stderr, "quorin-cli %s: %s %d does not load\n", what, what, number);
        return 2;
    }
    std::fwrite(text, 1, TextSize(text), stdout);
    std::free(text);
    return 0;
}

}  // namespace

int CmdLesson(int argc, char** argv)
{
    int width;
    bool widthOk = TakeWidthOption(argc, argv, &width);
    bool raw = TakeFlag(argc, argv, "--raw");
    bool html = TakeFlag(argc, argv, "--html");
    // Numbers past the cycle are lessons too; they say they do not load.
    long number = 0;
    bool lessonOk = argc >= 2 && ParseNumber(argv[1], 1, 0x7FFF, &number) && number != INDEX_LESSON;
    int lesson = static_cast<int>(number);
    if (!widthOk || argc != 2 || !lessonOk || (raw && html)) {
        std::fprintf(stderr,
                     "quorin-cli lesson: expected a lesson number (1..339), optionally --width N (%d..%d), "
                     "--raw or --html\n",
                     READING_MIN_WIDTH, READING_MAX_WIDTH);
        return 2;
    }
    if (html) return PrintDayPage(NearestDayOfLesson(lesson), TRACK_THREE, lesson, "lesson");
    if (!raw) return PrintLessonForReading(TRACK_THREE, lesson, width, "lesson");
    return PrintRaw(LoadLesson(lesson, nullptr), "lesson", lesson);
}

int CmdPortion(int argc, char** argv)
{
    int width;
    bool widthOk = TakeWidthOption(argc, argv, &width);
    bool raw = TakeFlag(argc, argv, "--raw");
    bool html = TakeFlag(argc, argv, "--html");
    long number = 0;
    if (!widthOk || argc != 2 || !ParseNumber(argv[1], 1, PORTION_COUNT, &number) || (raw && html)) {
        std::fprintf(stderr,
                     "quorin-cli portion: expected a portion number (1..%d), optionally --width N (%d..%d), "
                     "--raw or --html\n",
                     PORTION_COUNT, READING_MIN_WIDTH, READING_MAX_WIDTH);
        return 2;
    }
    int portion = static_cast<int>(number);
    if (html) return PrintDayPage(DayOfPortionInCycle(portion, TodayAbsolute()), TRACK_ONE, portion, "portion");
    if (!raw) return PrintLessonForReading(TRACK_ONE, portion, width, "portion");
    return PrintRaw(LoadPortion(portion, nullptr), "portion", portion);
}
