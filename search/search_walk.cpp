#include "search/search_walk.h"

#include <cstdlib>
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

}  // namespace

int WalkLessons(const uint8_t* pattern, const uint8_t* viewText, uint16_t start, int currentLesson,
                LessonLoader load, SearchHit* hit, uint32_t options)
{
    if (!pattern || !*pattern) return 0;
    if (!load) load = LoadQuietly;
    if (HitInView(pattern, options, viewText, start, currentLesson, hit)) return 1;

    // Counted as well as compared, so a stored lesson outside the cycle
    // cannot keep the scan going for ever.
    int i = currentLesson;
    for (int visited = 0; visited < LESSON_COUNT; ++visited) {
        if (++i > LESSON_COUNT) i = 1;
        if (i == currentLesson) break;
        uint8_t* text = load(i);
        if (!text) continue;
        uint16_t length = 0;
        uint16_t offset = FindInTextWith(text, 0, pattern, options, &length);
        if (!offset) {
            std::free(text);
            continue;
        }
        *hit = {text, static_cast<uint16_t>(i), offset, length, NearestDayOfLesson(i)};
        return 1;
    }
    return HitInView(pattern, options, viewText, 0, currentLesson, hit);
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
