// The table of contents over arbitrary index texts: the record reader, the
// bookmarks branch in front, the layout with a deterministic measure at a
// box size from the input, and the clicks, scrolling and open state on top.
// Input: width, height, character width, bookmark count and lessons, text.
#include <cstdlib>
#include <cstring>
#include <vector>
#include "index/index_layout.h"
#include "index/index_text.h"
#include "settings/bookmarks.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

struct Measure {
    int charWidth;
    int height;
};

int SelectFont(void* context, uint16_t style)
{
    auto* m = static_cast<Measure*>(context);
    return m->height + (style & 3);
}

void MeasureFit(void* context, const uint8_t* bytes, int* width, int* count)
{
    auto* m = static_cast<Measure*>(context);
    int n = 0;
    while (n < *count && bytes[n] && (n + 1) * m->charWidth <= *width) ++n;
    *count = n;
    *width = n * m->charWidth;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Taker in{data, size};
    int width = static_cast<int16_t>(in.Take(2));
    int height = static_cast<int16_t>(in.Take(2));
    Measure measure{static_cast<int>(in.Take(1) % 40), static_cast<int>(in.Take(1) % 50)};
    std::vector<uint16_t> marks(in.Take(1) % 8);
    for (uint16_t& m : marks) m = static_cast<uint16_t>(in.Take(2));
    marks.push_back(0);
    int clickX = static_cast<int16_t>(in.Take(2));
    int clickY = static_cast<int16_t>(in.Take(2));
    int lesson = static_cast<int>(in.Take(2));
    if (in.size > 30000) return 0;

    // The index text as the store hands it over, ended by five zero bytes.
    uint8_t* index = CopyWithZeros(in.data, in.size, 5);
    for (const uint8_t* p = index; p;) {
        IndexRecord r;
        p = ReadIndexRecord(p, &r);
        if (p && (p <= index || p > index + in.size + 5)) abort();
    }
    BookmarkList list{};
    InstallBookmarks(&list, reinterpret_cast<const uint8_t*>(marks.data()), marks.size() * 2);
    uint8_t* text = AddBookmarkBranch(index, &list);
    FreeBookmarkList(&list);
    free(index);
    if (!text) return 0;

    IndexView* view = NewIndexView(text, nullptr, width, height);
    const IndexMeasure m{&measure, SelectFont, MeasureFit};
    if (LayoutIndex(view, &m) == 0) {
        RevealLesson(view, lesson);
        IndexOpenState* state = SnapshotOpenState(view);
        for (uint32_t line = 0; line < view->lineCount && line < 64; line += 3) ToggleBranch(view, line);
        HitTestIndex(view, clickX, clickY);
        MoveTopLine(view, clickY);
        FirstPageLine(view);
        RestoreOpenState(view, state);
        free(state);
        MoveTopLine(view, -clickX);
        FirstPageLine(view);
        if (view->lines[view->lineCount].key != 0 || view->lines[view->lineCount].length != 0) abort();
    }
    FreeIndexView(view);
    return 0;
}
