// quorin-cli search PATTERN [--from LESSON]: Search Again pressed over and
// over from the top of a lesson, one line per hit, until the first hit
// comes round again. Each search starts just below the previous hit, as it
// does when the hit is on the view's top line.
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
#include "settings/settings.h"
#include "text/letter_code.h"
#include "tools/cli/commands.h"
#include "tools/cli/lesson_prefetch.h"
#include "tools/cli/reading_text.h"

namespace {

constexpr int MAX_STEPS = 100000;


// Reading-order UTF-8 to the stored pattern, through the same conversion
// the search box's text takes.
bool MakePattern(const char* utf8, uint8_t* pattern)
{
    std::string code;
    if (!Utf8ToLetterCode(utf8, code) || code.size() > SEARCH_PATTERN_MAX) return false;
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
    bool ok = argc == 2 ||
              (argc == 4 && !std::strcmp(argv[2], "--from") && ParseNumber(argv[3], 1, LESSON_COUNT, &from));
    int lesson = static_cast<int>(from);
    if (!ok || !MakePattern(argv[1], pattern)) {
        std::fprintf(stderr,
                     "quorin-cli search: expected a Hebrew pattern of 1..%d characters (with * and ?) "
                     "and optionally --from LESSON (1..%d)\n",
                     SEARCH_PATTERN_MAX, LESSON_COUNT);
        return 2;
    }
    // The helpers first: a new thread takes a while to run.
    StartPrefetch(lesson, pattern);
    uint8_t* view = LoadLesson(lesson, nullptr);
    int32_t day = NearestDayOfLesson(lesson);
    uint16_t start = 0;
    SearchHit first{};
    int steps = 0;
    for (; steps < MAX_STEPS; ++steps) {
        SearchHit hit{};
        if (!WalkLessons(pattern, view, start, lesson, LoadPrefetched, &hit)) break;
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
