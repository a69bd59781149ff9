// quorin-cli lesson N [--raw]: one lesson as UTF-8 in reading order, a line
// per record, or its decompressed bytes unchanged.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "content/lesson_store.h"
#include "text/letter_code.h"
#include "tools/cli/commands.h"

namespace {

constexpr const char* RULE_LINE = "----------------";

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

void PrintReadingOrder(const uint8_t* text)
{
    for (size_t at = 0; text[at];) {
        uint8_t style = text[at];
        std::string record(reinterpret_cast<const char*>(text + at + 2));
        at += 2 + record.size() + 1;
        if ((style & 7) == 7) {
            std::puts(RULE_LINE);
            continue;
        }
        if (style & 0x10) FlipReadingOrder(record);
        size_t first = record.find_first_not_of(' ');
        std::puts(LetterCodeToUtf8(first == std::string::npos ? std::string() : record.substr(first)).c_str());
    }
}

}  // namespace

int CmdLesson(int argc, char** argv)
{
    bool raw = argc == 3 && !std::strcmp(argv[2], "--raw");
    int lesson;
    if ((argc != 2 && !raw) || !ParseLesson(argv[1], &lesson)) {
        std::fprintf(stderr, "quorin-cli lesson: expected a lesson number (1..339) and optionally --raw\n");
        return 2;
    }
    uint8_t* text = LoadLesson(lesson, nullptr);
    if (!text) {
        std::fprintf(stderr, "quorin-cli lesson: lesson %d does not load\n", lesson);
        return 2;
    }
    if (raw)
        std::fwrite(text, 1, TextSize(text), stdout);
    else
        PrintReadingOrder(text);
    std::free(text);
    return 0;
}
