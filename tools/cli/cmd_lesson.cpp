// quorin-cli lesson N [--width N] [--raw]: one lesson laid out for reading
// (see reading_text.h), or its decompressed bytes unchanged.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "content/lesson_store.h"
#include "text/letter_code.h"
#include "tools/cli/commands.h"
#include "tools/cli/reading_text.h"

namespace {

bool ParseLesson(const char* arg, int* lesson)
{
    if (*arg < '0' || *arg > '9') return false;
    char* end;
    errno = 0;
    long value = std::strtol(arg, &end, 10);
    if (*end || errno || value < 1 || value > 0x7FFF || value == INDEX_LESSON) return false;
    *lesson = static_cast<int>(value);
    return true;
}

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
    bool raw = argc == 3 && !std::strcmp(argv[2], "--raw");
    int lesson;
    if (!widthOk || (argc != 2 && !raw) || !ParseLesson(argv[1], &lesson)) {
        std::fprintf(stderr,
                     "quorin-cli lesson: expected a lesson number (1..339), optionally --width N (%d..%d) "
                     "or --raw\n",
                     READING_MIN_WIDTH, READING_MAX_WIDTH);
        return 2;
    }
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
