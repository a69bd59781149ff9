// quorin-cli search PATTERN [--any-spelling] [--whole-words] [--from LESSON]:
// Search Again pressed over and over from the top of a lesson, one line per
// hit, until the first hit comes round again. Each search starts just below
// the previous hit, as it does when the hit is on the view's top line.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "calendar/calendar.h"
#include "calendar/schedule.h"
#include "content/lesson_store.h"
#include "search/matcher.h"
#include "search/search_walk.h"
#include "search/spelling_matcher.h"
#include "settings/settings.h"
#include "text/letter_code.h"
#include "tools/cli/commands.h"
#include "tools/cli/lesson_prefetch.h"
#include "tools/cli/reading_text.h"

namespace {

constexpr int MAX_STEPS = 100000;


// A point, cantillation mark, maqaf, geresh or gershayim of pointed text.
bool IsHebrewMark(long c)
{
    return (c >= 0x591 && c <= 0x5C7) || c == 0x5F3 || c == 0x5F4;
}

// Reading-order UTF-8 to the stored pattern, through the same conversion
// the search box's text takes. With takeMarks, the marks of pointed text go
// in as a paste into the box puts them (their low eight bits), for Any
// spelling to pass over.
bool MakePattern(const char* utf8, bool takeMarks, uint8_t* pattern)
{
    std::string code;
    std::string_view rest(utf8);
    for (size_t length = 0; !rest.empty(); rest.remove_prefix(length)) {
        long c = DecodeUtf8(rest, length);
        int byte = c < 0 ? -1 : LetterCodeOfCodePoint(static_cast<char32_t>(c));
        if (takeMarks && IsHebrewMark(c)) byte = static_cast<int>(c & 0xFF);
        if (byte < 0) return false;
        code += static_cast<char>(byte);
    }
    if (code.size() > SEARCH_PATTERN_MAX) return false;
    FlipReadingOrder(code);
    char16_t wide[SEARCH_PATTERN_MAX + 1] = {};
    for (size_t i = 0; i < code.size(); ++i) wide[i] = CodePointOfLetterCode(static_cast<uint8_t>(code[i]));
    ConvertSearchTextTo(wide, 0x5D0, pattern);
    return pattern[0] != 0;
}

void PrintHit(const SearchHit& hit, const uint8_t* text, int32_t day)
{
    std::string_view found(reinterpret_cast<const char*>(text + hit.offset - hit.length + 1), hit.length);
    std::printf("lesson %d offset %u length %u day %d %s\n", hit.lesson, hit.offset, hit.length, day,
                ReadingUtf8(found).c_str());
}

}  // namespace

int CmdSearch(int argc, char** argv)
{
    uint8_t pattern[SEARCH_PATTERN_MAX + 1] = {};
    long from = LessonOfDay(3, TodayAbsolute());
    uint32_t options = 0;
    if (TakeFlag(argc, argv, "--any-spelling")) options |= SEARCH_ANY_SPELLING;
    if (TakeFlag(argc, argv, "--whole-words")) options |= SEARCH_WHOLE_WORDS;
    bool ok = argc == 2 ||
              (argc == 4 && !std::strcmp(argv[2], "--from") && ParseNumber(argv[3], 1, LESSON_COUNT, &from));
    int lesson = static_cast<int>(from);
    if (!ok || !MakePattern(argv[1], options & SEARCH_ANY_SPELLING, pattern)) {
        std::fprintf(stderr,
                     "quorin-cli search: expected a Hebrew pattern of 1..%d characters (with * and ?; "
                     "vowel points only with --any-spelling), optionally --any-spelling and --whole-words, "
                     "and optionally --from LESSON (1..%d)\n",
                     SEARCH_PATTERN_MAX, LESSON_COUNT);
        return 2;
    }
    // The helpers first: a new thread takes a while to run.
    StartPrefetch(lesson, pattern, options);
    uint8_t* view = LoadLesson(lesson, nullptr);
    int32_t day = NearestDayOfLesson(lesson);
    uint16_t start = 0;
    SearchHit first{};
    int steps = 0;
    for (; steps < MAX_STEPS; ++steps) {
        SearchHit hit{};
        if (!WalkLessons(pattern, view, start, lesson, LoadPrefetched, &hit, options)) break;
        if (hit.text) {
            std::free(view);
            view = hit.text;
            lesson = hit.lesson;
            day = hit.day;
        }
        if (steps && hit.lesson == first.lesson && hit.offset == first.offset) break;
        if (!steps) first = hit;
        PrintHit(hit, view, day);
        // Nobody reads on (a closed pipe, a full disk): stop walking.
        if (std::ferror(stdout)) break;
        start = static_cast<uint16_t>(hit.offset - hit.length);
    }
    StopPrefetch();
    std::free(view);
    if (std::ferror(stdout)) return 2;
    if (!steps) {
        std::puts("Not Found!");
        return 1;
    }
    std::printf("%d hits\n", steps);
    return 0;
}
