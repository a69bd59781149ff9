#include "app/selection_win.h"

#include <windowsx.h>

#include "base/globals.h"
#include "app/navigation.h"
#include "text/document_view_win.h"
#include "text/page_render_win.h"
#include "text/rows.h"
#include "text/selection.h"
#include "text/text_format.h"
#include "text/style_fonts_win.h"

namespace {

// Scrolling as the keys do it, the scroll bar kept in step.
void Scroll(HWND window, int rows)
{
    ScrollRows(g_state.mainView, rows, 1, 1);
    UpdateScrollBar(window);
}

// A line's reading range: its stored segment (label included) mapped.
void LineReading(const TextView* v, const LineRecord* line, unsigned* first, unsigned* last)
{
    RecordSpan span;
    if (!RecordAt(v->text, line->offset, &span)) {
        *first = *last = line->offset;
        return;
    }
    unsigned lo = line->offset, hi = IsRule(line) ? lo : LineSpanEnd(v, line);
    if (hi > span.end) hi = span.end;
    unsigned a = ReadingBoundary(span, lo), b = ReadingBoundary(span, hi);
    *first = a < b ? a : b;
    *last = a < b ? b : a;
}

// The stored boundary nearest to x on a line, within its main text.
unsigned StoredBoundaryAt(TextView* v, const LineRecord* line, int x)
{
    const uint8_t* run = v->text + line->offset;
    if (line->hang && !(line->style & STYLE_REVERSED)) {
        while (*run && *run != ' ') ++run;
        while (*run == ' ') ++run;
    }
    unsigned base = static_cast<unsigned>(run - v->text);
    int n = line->count;
    if (n <= 0 || x <= line->x) return x <= line->x ? base : base + n;
    if (x >= line->x + line->boxWidth) return base + n;
    const char16_t* s = MapToDisplay(run, &g_conversionBuffer, n);
    if (!s) return base;
    HGDIOBJ kept = SelectStyleFont(v, line->style);
    int edges[512];
    if (n > 512) n = 512;
    SIZE size = {};
    int fit = 0;
    GetTextExtentExPointW(v->dc, reinterpret_cast<const wchar_t*>(s), n, 0x7FFFFFF, &fit, edges, &size);
    SelectObject(v->dc, kept);
    int dx = x - line->x, i = 0, left = 0;
    // Past the middle of a character the boundary after it is the nearer one.
    while (i < fit && dx > (left + edges[i]) / 2) left = edges[i++];
    return base + i;
}

// The reading boundary under a point: on the page's line at y, or the
// nearest line above or below.
bool ReadingBoundaryAt(TextView* v, int x, int y, unsigned* boundary)
{
    if (!v || !v->text || !v->lines) return false;
    int top, room;
    LineRecord* line = FindFirstVisibleLine(v, &top, &room);
    LineRecord* chosen = nullptr;
    for (; line->style && room >= line->height; ++line) {
        int rows = RowsOf(*line);
        if (!IsRule(line)) {
            chosen = line;
            if (y < top + rows * line->height) break;
        }
        top += rows * line->height;
        room -= rows * line->height;
    }
    if (!chosen) return false;
    RecordSpan span;
    if (!RecordAt(v->text, chosen->offset, &span)) return false;
    *boundary = ReadingBoundary(span, StoredBoundaryAt(v, chosen, x));
    return true;
}

void Repaint(HWND window)
{
    if (g_state.mainView) DrawPage(g_state.mainView, 1);
    // The accessible value follows what is shown and chosen.
    NotifyWinEvent(EVENT_OBJECT_SELECTIONWITHIN, window, OBJID_CLIENT, CHILDID_SELF);
}

void SetSelection(HWND window, unsigned anchor, unsigned end)
{
    TextView* v = g_state.mainView;
    g_state.selectText = v->text;
    g_state.selectAnchor = static_cast<uint16_t>(anchor);
    g_state.selectStart = static_cast<uint16_t>(anchor < end ? anchor : end);
    g_state.selectEnd = static_cast<uint16_t>(anchor < end ? end : anchor);
    Repaint(window);
}

bool Live()
{
    const TextView* v = g_state.mainView;
    return v && v->text && g_state.selectText == v->text;
}

}  // namespace

bool SelectionButtonDown(HWND window, WPARAM keys, LPARAM point)
{
    TextView* v = g_state.mainView;
    int x = GET_X_LPARAM(point), y = GET_Y_LPARAM(point);
    if (!v || !v->text || !InGutteredBox(v, x, y)) return false;
    unsigned at;
    if ((keys & MK_SHIFT) && Live() && ReadingBoundaryAt(v, x, y, &at)) {
        // Shift+click moves the far end; the press is no click any more.
        SetSelection(window, g_state.selectAnchor, at);
        g_state.dragging = true;
        g_state.dragged = true;
    } else {
        g_state.dragging = true;
        g_state.dragged = false;
    }
    g_state.dragFrom = {x, y};
    SetCapture(window);
    return true;
}

void SelectionMouseMove(HWND window, LPARAM point)
{
    if (!g_state.dragging || !g_state.mainView) return;
    int x = GET_X_LPARAM(point), y = GET_Y_LPARAM(point);
    TextView* v = g_state.mainView;
    if (!g_state.dragged) {
        if (abs(x - g_state.dragFrom.x) <= GetSystemMetrics(SM_CXDRAG) &&
            abs(y - g_state.dragFrom.y) <= GetSystemMetrics(SM_CYDRAG))
            return;
        unsigned from;
        if (!ReadingBoundaryAt(v, g_state.dragFrom.x, g_state.dragFrom.y, &from)) return;
        g_state.dragged = true;
        g_state.selectText = v->text;
        g_state.selectAnchor = static_cast<uint16_t>(from);
    }
    // Dragging past the top or the bottom of the box scrolls a line.
    if (y < v->top && v->firstRow > 0) Scroll(window, -1);
    else if (y > v->top + v->height) Scroll(window, 1);
    unsigned at;
    if (ReadingBoundaryAt(v, x, y, &at)) SetSelection(window, g_state.selectAnchor, at);
}

void SelectionCaptureLost(HWND window)
{
    if (GetCapture() != window) g_state.dragging = false;
}

void SelectionButtonUp(HWND window, LPARAM point)
{
    if (!g_state.dragging) return;
    g_state.dragging = false;
    ReleaseCapture();
    if (g_state.dragged) return;
    ClearSelection(window);
    OnViewClick(window, MAKELPARAM(g_state.dragFrom.x, g_state.dragFrom.y));
}

void SelectLines(HWND window, int lines)
{
    TextView* v = g_state.mainView;
    if (!v || !v->text || !v->lines || !lines) return;
    int y, room;
    LineRecord* top = FindFirstVisibleLine(v, &y, &room);
    unsigned first, last;
    if (!Live() || g_state.selectStart == g_state.selectEnd) {
        // A new selection starts where the top visible line starts to read.
        LineReading(v, top, &first, &last);
        g_state.selectText = v->text;
        g_state.selectAnchor = g_state.selectStart = g_state.selectEnd = static_cast<uint16_t>(first);
    }
    // The anchor's line, and the line the selection now ends in (the one
    // before the anchor's while it is empty).
    int count = 0, anchorLine = -1, end = -1;
    for (const LineRecord* l = v->lines; l->style; ++l, ++count) {
        if (IsRule(l)) continue;
        LineReading(v, l, &first, &last);
        if (anchorLine < 0 && last > g_state.selectAnchor) anchorLine = count;
        if (first < g_state.selectEnd) end = count;
    }
    if (anchorLine < 0) return;
    if (g_state.selectEnd <= g_state.selectAnchor) end = anchorLine - 1;
    end += lines;
    if (end >= count) end = count - 1;
    // A rule holds nothing to select: the end passes over it (or stays
    // short of it at the end of the text).
    while (end >= anchorLine && end < count - 1 && IsRule(&v->lines[end])) end += lines > 0 ? 1 : -1;
    while (end >= anchorLine && IsRule(&v->lines[end])) --end;
    if (end < anchorLine) {
        SetSelection(window, g_state.selectAnchor, g_state.selectAnchor);
        return;
    }
    LineReading(v, &v->lines[end], &first, &last);
    // The line the selection reaches is brought onto the page.
    int topIndex = static_cast<int>(top - v->lines), below = topIndex;
    for (LineRecord* l = top; l->style && room >= l->height; ++l, ++below) room -= RowsOf(*l) * l->height;
    int rows = 0;
    if (end >= below)
        for (int i = below; i <= end; ++i) rows += RowsOf(v->lines[i]);
    else
        for (int i = end; i < topIndex; ++i) rows -= RowsOf(v->lines[i]);
    if (rows) Scroll(window, rows);
    SetSelection(window, g_state.selectAnchor, last);
}

int ClearSelection(HWND window)
{
    bool had = Live() && g_state.selectStart != g_state.selectEnd;
    g_state.selectStart = g_state.selectEnd = g_state.selectAnchor = 0;
    g_state.selectText = nullptr;
    if (had) Repaint(window);
    return had ? 1 : 0;
}

bool CurrentSelection(unsigned* first, unsigned* last)
{
    if (!Live() || g_state.selectStart >= g_state.selectEnd) return false;
    *first = g_state.selectStart;
    *last = g_state.selectEnd;
    return true;
}

bool PageReadingRange(TextView* v, unsigned* first, unsigned* last)
{
    if (!v || !v->text || !v->lines) return false;
    int y, room;
    bool any = false;
    for (LineRecord* l = FindFirstVisibleLine(v, &y, &room); l->style && room >= l->height; ++l) {
        room -= RowsOf(*l) * l->height;
        if (IsRule(l)) continue;
        unsigned a, b;
        LineReading(v, l, &a, &b);
        if (!any || a < *first) *first = a;
        if (!any || b > *last) *last = b;
        any = true;
    }
    return any && *first < *last;
}
