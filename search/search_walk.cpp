#include "search/search_walk.h"

#include <cstdlib>
#include "calendar/portion_schedule.h"
#include "calendar/portion_text.h"
#include "calendar/schedule.h"
#include "content/lesson_store.h"
#include "search/spelling_matcher.h"
#include "text/rows.h"
#include "text/text_view.h"

namespace {

uint8_t* LoadQuietly(int lesson)
{
    return LoadLesson(lesson, nullptr);
}

int HitInView(const uint8_t* pattern, uint32_t options, const uint8_t* viewText, uint16_t start, int lesson,
              SearchHit* hit)
{
    if (!viewText) return 0;
    uint16_t length = 0;
    uint16_t offset = FindInTextWith(viewText, start, pattern, options, &length);
    if (!offset) return 0;
    *hit = {nullptr, static_cast<uint16_t>(lesson), offset, length, 0};
    return 1;
}

// Portions share lessons with their neighbours: the walk keeps the last two
// decoded so each lesson is decoded about once.
struct LessonCache {
    int number[2];
    uint8_t* text[2];
    uint8_t* Get(int lesson)
    {
        for (int i = 0; i < 2; ++i)
            if (text[i] && number[i] == lesson) return text[i];
        std::free(text[1]);
        number[1] = number[0];
        text[1] = text[0];
        number[0] = lesson;
        text[0] = LoadLesson(lesson, nullptr);
        return text[0];
    }
    ~LessonCache() { std::free(text[0]), std::free(text[1]); }
};

template <typename Load, typename DayOf>
int Walk(const uint8_t* pattern, uint32_t options, const uint8_t* viewText, uint16_t start, int current, int count,
         Load load, DayOf dayOf, SearchHit* hit)
{
    if (!pattern || !*pattern) return 0;
    if (HitInView(pattern, options, viewText, start, current, hit)) return 1;

    // Counted as well as compared, so a stored number outside the cycle
    // cannot keep the scan going for ever.
    int i = current;
    for (int visited = 0; visited < count; ++visited) {
        if (++i > count) i = 1;
        if (i == current) break;
        uint8_t* text = load(i);
        if (!text) continue;
        uint16_t length = 0;
        uint16_t offset = FindInTextWith(text, 0, pattern, options, &length);
        if (!offset) {
            std::free(text);
            continue;
        }
        *hit = {text, static_cast<uint16_t>(i), offset, length, dayOf(i)};
        return 1;
    }
    return HitInView(pattern, options, viewText, 0, current, hit);
}
}  // namespace

int WalkLessons(const uint8_t* pattern, const uint8_t* viewText, uint16_t start, int currentLesson,
                LessonLoader load, SearchHit* hit, uint32_t options)
{
    if (!load) load = LoadQuietly;
    return Walk(pattern, options, viewText, start, currentLesson, LESSON_COUNT, load, NearestDayOfLesson, hit);
}

int WalkPortions(const uint8_t* pattern, const uint8_t* viewText, uint16_t start, int currentPortion, int32_t near,
                 SearchHit* hit, uint32_t options)
{
    LessonCache cache = {};
    auto load = [&](int portion) {
        BlockRange r = BlocksOfPortion(portion);
        int first = LessonOfBlock(r.first), last = LessonOfBlock(r.first + r.count - 1);
        uint8_t* a = cache.Get(first);
        uint8_t* b = last != first ? cache.Get(last) : nullptr;
        if (last != first) a = cache.Get(first);  // again: taking the second may have let it go
        return a ? BuildPortionText(portion, a, b, nullptr) : nullptr;
    };
    auto dayOf = [near](int portion) { return DayOfPortionInCycle(portion, near); };
    return Walk(pattern, options, viewText, start, currentPortion, PORTION_COUNT, load, dayOf, hit);
}

uint16_t SearchStartOffset(const TextView* view)
{
    const LineRecord* lines = view->lines;
    if (!lines) return 0;
    const LineRecord* top = lines;
    unsigned rows = 0;
    while (top->style && rows < view->firstRow) {
        rows += RowsOf(*top);
        ++top;
    }
    // A line's span includes its hanging label, as for seeking and the
    // highlight, so a hit in the top line's label is not skipped.
    unsigned end = view->highlightEnd;
    bool hitOnTop = top->offset <= end && end <= LineSpanEnd(view, top);
    if (!hitOnTop && view->firstRow < view->maxFirstRow)
        return static_cast<uint16_t>(LineSpanEnd(view, top) - 1);
    if (view->highlightStart == top->offset) {
        // Past the last line there is nothing left of this lesson.
        if (!top->style || !top[1].style) return 0xFFFF;
        return static_cast<uint16_t>(LineSpanEnd(view, top + 1));
    }
    return static_cast<uint16_t>(view->highlightStart - 1);
}
