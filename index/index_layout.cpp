#include "index/index_layout.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

void* (*g_indexAllocate)(size_t) = std::malloc;

namespace {

bool Visible(const IndexLine& line)
{
    return line.flags & INDEX_FLAG_VISIBLE;
}

// Lines hold their entry's key on every line of its caption, at one indent.
bool SameEntry(const IndexLine& a, const IndexLine& b)
{
    return a.key == b.key && a.indent == b.indent && a.flags && b.flags;
}

void Reveal(IndexView* view, IndexLine& line)
{
    if (Visible(line)) return;
    line.flags |= INDEX_FLAG_VISIBLE;
    view->visibleLines++;
    if (line.key & INDEX_KEY_BRANCH) line.flags &= static_cast<uint8_t>(~INDEX_FLAG_OPEN);
}

// Reveals the entry whose lines start at i; gives the line after it.
uint32_t RevealEntry(IndexView* view, uint32_t i)
{
    uint16_t key = view->lines[i].key;
    while (view->lines[i].flags && view->lines[i].key == key) Reveal(view, view->lines[i++]);
    return i;
}

// Zeroed memory from the chooser's allocator.
void* AllocateZeroed(size_t size)
{
    void* block = g_indexAllocate(size);
    if (block) std::memset(block, 0, size);
    return block;
}

bool Grow(IndexView* view)
{
    uint32_t capacity = view->capacity + INDEX_GROWTH;
    auto* lines = static_cast<IndexLine*>(AllocateZeroed((capacity + 1) * sizeof(IndexLine)));
    if (!lines) return false;
    std::memcpy(lines, view->lines, (view->capacity + 1) * sizeof(IndexLine));
    std::free(view->lines);
    view->lines = lines;
    view->capacity = capacity;
    return true;
}

// How many bytes of the reading-order caption at run go on one line, and
// their width: whole words where a space allows, never less than one byte.
int FitLine(const IndexMeasure* m, const uint8_t* run, int remaining, int room, int* width)
{
    int count = remaining;
    *width = room;
    m->measureFit(m->context, run, width, &count);
    if (count <= 0) {
        count = 1;
        *width = 0x7FFF;
        m->measureFit(m->context, run, width, &count);
        return 1;
    }
    if (run[count] && run[count] != ' ') {
        for (int space = count - 1; space >= 1; --space)
            if (run[space] == ' ') {
                count = space;
                *width = room;
                m->measureFit(m->context, run, width, &count);
                break;
            }
    }
    return count;
}

int LayoutRecord(IndexView* view, const IndexMeasure* m, const IndexRecord& r, int height, uint32_t* n)
{
    int indent = r.level * view->indentStep;
    if (indent >= view->width) indent = 0;
    int room = std::max(view->width - indent, 0);

    // The caption is stored in display order; lines are broken in reading order.
    auto* run = static_cast<uint8_t*>(g_indexAllocate(r.length + 1));
    if (!run) return -2;
    for (size_t i = 0; i < r.length; ++i) run[i] = r.caption[r.length - 1 - i];
    run[r.length] = 0;

    size_t captionStart = static_cast<size_t>(r.caption - view->text);
    size_t pos = 0;
    while (run[pos]) {
        while (run[pos] == ' ') ++pos;
        if (!run[pos]) break;
        if (*n == view->capacity && !Grow(view)) {
            std::free(run);
            return -2;
        }
        int width = 0;
        int count = FitLine(m, run + pos, static_cast<int>(r.length - pos), room, &width);
        IndexLine& line = view->lines[(*n)++];
        line.offset = static_cast<uint16_t>(captionStart + r.length - pos - count);
        line.length = static_cast<uint16_t>(count);
        line.x = static_cast<int16_t>(view->left + view->width - indent - width);
        line.width = static_cast<uint16_t>(width);
        line.height = static_cast<uint16_t>(height);
        line.key = r.key;
        line.flags = r.flags;
        line.indent = static_cast<uint16_t>(indent);
        if (Visible(line)) view->visibleLines++;
        pos += count;
    }
    std::free(run);
    return 0;
}

}  // namespace

IndexView* NewIndexView(uint8_t* text, const FontBlock* font, int width, int height)
{
    // The view owns the text from here on, also when it cannot be made.
    auto* view = static_cast<IndexView*>(AllocateZeroed(sizeof(IndexView)));
    if (!view) {
        std::free(text);
        return nullptr;
    }
    view->lines = static_cast<IndexLine*>(AllocateZeroed((INDEX_FIRST_CAPACITY + 1) * sizeof(IndexLine)));
    if (!view->lines) {
        std::free(view);
        std::free(text);
        return nullptr;
    }
    view->capacity = INDEX_FIRST_CAPACITY;
    view->text = text;
    if (font) view->font = *font;
    view->width = width;
    view->height = height;
    view->indentStep = INDEX_INDENT;
    return view;
}

void FreeIndexView(IndexView* view)
{
    if (!view) return;
    std::free(view->lines);
    std::free(view->text);
    std::free(view);
}

int LayoutIndex(IndexView* view, const IndexMeasure* m)
{
    view->visibleLines = 0;
    view->maxTop = 0;
    if (!view->text) {
        view->lineCount = 0;
        view->lines[0] = {};
        return 0;
    }
    IndexRecord r;
    const uint8_t* p = view->text;
    if (!view->text[2] || !view->text[4]) return 1;

    uint16_t style = 1;
    int height = m->selectFont(m->context, style);
    uint32_t n = 0;
    while (const uint8_t* next = ReadIndexRecord(p, &r)) {
        if ((r.flags & INDEX_FLAG_STYLE) != style) {
            style = r.flags & INDEX_FLAG_STYLE;
            height = m->selectFont(m->context, style);
        }
        if (LayoutRecord(view, m, r, height, &n) < 0) {
            view->lineCount = n;
            view->lines[n] = {};
            return -2;
        }
        p = next;
    }
    view->lines[n] = {};
    view->lineCount = n;
    ComputeMaxTop(view);
    return 0;
}

void ComputeMaxTop(IndexView* view)
{
    if (!view->visibleLines || !view->lineCount) return;
    // Hidden lines take no room on the page, so only visible ones count.
    int budget = view->height;
    int fit = 0;
    for (uint32_t i = view->lineCount; i-- > 0;) {
        const IndexLine& line = view->lines[i];
        if (!Visible(line)) continue;
        if (line.height > budget) break;
        budget -= line.height;
        ++fit;
    }
    view->maxTop = static_cast<uint16_t>(view->visibleLines - fit);
}

void RevealLesson(IndexView* view, int lesson)
{
    IndexLine* lines = view->lines;
    uint32_t i = 0;
    while (lines[i].flags &&
           ((lines[i].key & INDEX_KEY_LESSON) != lesson || (lines[i].key & INDEX_KEY_BRANCH)))
        ++i;
    if (!lines[i].flags || Visible(lines[i])) return;

    uint32_t next = RevealEntry(view, i);
    if (lines[next].flags) RevealEntry(view, next);

    uint16_t indent = lines[i].indent;
    for (uint32_t a = i; a-- > 0;) {
        if (lines[a].indent >= indent) continue;
        indent = lines[a].indent;
        for (uint32_t b = a + 1; b-- > 0 && lines[b].key == lines[a].key;) Reveal(view, lines[b]);
    }
    ComputeMaxTop(view);
}

int ToggleBranch(IndexView* view, uint32_t line)
{
    IndexLine* lines = view->lines;
    // Work on the whole entry: a click may land on any line of its caption.
    uint32_t first = line;
    while (first > 0 && SameEntry(lines[first - 1], lines[line])) --first;
    uint32_t last = line;
    while (SameEntry(lines[last + 1], lines[line])) ++last;

    bool wasOpen = lines[first].flags & INDEX_FLAG_OPEN;
    for (uint32_t i = first; i <= last; ++i) lines[i].flags ^= INDEX_FLAG_OPEN;

    uint16_t before = view->visibleLines;
    uint16_t d = lines[last + 1].indent;
    if (lines[last + 1].flags && d > lines[first].indent) {
        for (uint32_t q = last + 1; lines[q].flags && lines[q].indent >= d; ++q) {
            IndexLine& child = lines[q];
            if (wasOpen && Visible(child)) {
                child.flags &= static_cast<uint8_t>(~INDEX_FLAG_VISIBLE);
                view->visibleLines--;
            } else if (!wasOpen && !Visible(child) && child.indent == d) {
                child.flags |= INDEX_FLAG_VISIBLE;
                view->visibleLines++;
            }
        }
    }
    if (view->visibleLines != before) ComputeMaxTop(view);
    int bits = lines[first].key & INDEX_KEY_LESSON;
    return bits ? -bits : -1;
}

uint32_t FirstPageLine(IndexView* view)
{
    if (view->visibleLines < view->topLine) view->topLine = view->maxTop;
    uint32_t i = 0;
    for (unsigned seen = 0; view->lines[i].flags && seen < view->topLine; ++i)
        if (Visible(view->lines[i])) ++seen;
    return i;
}

int HitTestIndex(IndexView* view, int x, int y)
{
    if (!view->text || !view->lineCount) return 0;
    if (x < view->left || x > view->left + view->width || y < view->top || y > view->top + view->height)
        return 0;
    uint32_t i = FirstPageLine(view);
    int edge = view->top;
    int budget = view->height;
    for (; view->lines[i].flags; ++i) {
        const IndexLine& line = view->lines[i];
        if (!Visible(line)) continue;
        if (line.height > budget) return -1;
        if (y <= edge + line.height) {
            if (line.x <= x && x <= line.x + line.width + view->indentStep) {
                if (line.key & INDEX_KEY_LINK) return line.key & INDEX_KEY_LESSON;
                return ToggleBranch(view, i);
            }
            if (!(line.key & INDEX_KEY_BRANCH) || x < line.x + line.width) return 0;
            return ToggleBranch(view, i);
        }
        edge += line.height;
        budget -= line.height;
    }
    return -1;
}

int MoveTopLine(IndexView* view, int delta)
{
    int top = std::clamp(view->topLine + delta, 0, static_cast<int>(view->maxTop));
    if (top == view->topLine) return 0;
    view->topLine = static_cast<uint16_t>(top);
    return 1;
}

IndexOpenState* SnapshotOpenState(const IndexView* view)
{
    auto* state = static_cast<IndexOpenState*>(g_indexAllocate((view->visibleLines + 1u) * sizeof(IndexOpenState)));
    if (!state) return nullptr;
    size_t n = 0;
    for (uint32_t i = 0; i < view->lineCount && n < view->visibleLines; ++i) {
        const IndexLine& line = view->lines[i];
        if (!Visible(line) || !line.key || (n && state[n - 1].key == line.key)) continue;
        state[n++] = {line.key, static_cast<uint8_t>(line.flags & INDEX_FLAG_OPEN ? 1 : 0)};
    }
    state[n] = {};
    return state;
}

void RestoreOpenState(IndexView* view, const IndexOpenState* state)
{
    IndexLine* lines = view->lines;
    uint32_t from = 0;
    for (; state->key; ++state) {
        uint32_t i = from;
        while (lines[i].flags && lines[i].key != state->key) ++i;
        if (!lines[i].flags) continue;
        for (; lines[i].flags && lines[i].key == state->key; ++i) {
            if (!Visible(lines[i])) {
                lines[i].flags |= INDEX_FLAG_VISIBLE;
                view->visibleLines++;
            }
            if (state->open) lines[i].flags |= INDEX_FLAG_OPEN;
        }
        from = i;
    }
    ComputeMaxTop(view);
}
