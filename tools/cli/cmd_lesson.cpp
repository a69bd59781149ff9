// quorin-cli lesson N [--width N] [--raw]: one lesson laid out for reading
// (see reading_text.h), or its decompressed bytes unchanged.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

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
    if (html) return PrintDayPage(NearestDayOfLesson(lesson), lesson, "lesson");
    if (!raw) return PrintLessonForReading(lesson, width, "lesson");
    uint8_t* text = LoadLesson(lesson, nullptr);
    if (!text) {
        std::fprintf(stderr, "quorin-cli lesson: lesson %d does not load\n", lesson);
        return 2;
    }
    std::fwrite(text, 1, TextSize(text), stdout);
    std::free(text);
    return 0;
}
