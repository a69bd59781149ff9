// Drawing the laid-out lines of a view, the search highlight over them, the
// one way a view's first row moves, and a new font for the whole page.
#include "text/page_render_win.h"

#include <cstring>
#include "base/display_scale.h"
#include "base/globals.h"
#include "text/colours_win.h"
#include "text/rows.h"
#include "text/selection.h"
#include "text/style_fonts_win.h"
#include "text/text_draw_win.h"
#include "text/text_format.h"

namespace {


uint16_t StartCode(const LineRecord* line) { return line->style && !IsRule(line) ? line->style : 1; }

int LabelLength(const uint8_t* label)
{
    int n = 0;
    while (label[n] && label[n] != ' ') ++n;
    return n;
}

const uint8_t* SkipSpaces(const uint8_t* p)
{
    while (*p == ' ') ++p;
    return p;
}

// A reversed paragraph keeps its label (its first word in reading order) in
// the stored text after the first line's segment.
const uint8_t* ReversedLabel(const TextView* v, const LineRecord* line)
{
    const uint8_t* p = v->text + line->offset + line->count;
    while (*p && *p != ' ') ++p;
    return SkipSpaces(p);
}

// The characters of a label that fit its hanging area, and their width.
int FitLabel(const TextView* v, const uint8_t* label, int length, int hang, int* width)
{
    *width = hang;
    MeasureFit(v->dc, label, width, &length);
    return length;
}

void DrawRule(const TextView* v, const LineRecord* line, int y)
{
    int middle = y + line->height / 2;
    // One pixel at 96 DPI; thicker on denser screens, where one would fade.
    RECT rule = {line->x, middle, line->x + line->boxWidth, middle + ScaleToDpi(1)};
    FillColour(v->dc, rule, ViewColours(v).text);
}

void DrawTextLine(const TextView* v, const LineRecord* line, int y)
{
    const uint8_t* run = v->text + line->offset;
    if (line->hang && (line->style & STYLE_REVERSED)) {
        const uint8_t* label = ReversedLabel(v, line);
        int lw;
        int fit = FitLabel(v, label, static_cast<int>(strlen(reinterpret_cast<const char*>(label))), line->hang, &lw);
        DrawCell(v->dc, label, fit, line->x + line->boxWidth + line->hang - lw, y, lw, line->height);
    } else if (line->hang) {
        int lw;
        int fit = FitLabel(v, run, LabelLength(run), line->hang, &lw);
        DrawCell(v->dc, run, fit, line->x - line->hang, y, lw, line->height);
        run = SkipSpaces(run + LabelLength(run));
    }
    DrawCell(v->dc, run, line->count, line->x, y, line->boxWidth, line->height);
}

void MarkLine(TextView* v, const LineRecord* line, int y, const Mark& mark)
{
    const uint8_t* run = v->text + line->offset;
    if (line->hang && (line->style & STYLE_REVERSED)) {
        // Only the label characters inside the mark are painted, like any run.
        const uint8_t* label = ReversedLabel(v, line);
        int lw;
        int fit = FitLabel(v, label, static_cast<int>(strlen(reinterpret_cast<const char*>(label))), line->hang, &lw);
        MarkRun(v, label, fit, line->x + line->boxWidth + line->hang - lw, y, mark);
    } else if (line->hang) {
        MarkRun(v, run, LabelLength(run), line->x - line->hang, y, mark);
        run = SkipSpaces(run + LabelLength(run));
    }
    MarkRun(v, run, line->count, line->x, y, mark);
}

// Paints marks over the lines on the page: markOf(line, &mark) says
// whether a line has one and where. Fonts follow the lines; the dc's font
// and background mode are given back.
template <class MarkOf>
void MarkPageLines(TextView* v, MarkOf markOf)
{
    int y, room;
    LineRecord* line = FindFirstVisibleLine(v, &y, &room);
    uint16_t code = StartCode(line);
    HGDIOBJ kept = SelectStyleFont(v, code);
    int key = code & STYLE_FONT_KEY;
    // A mark needs an opaque background, whatever a painter left behind.
    int mode = SetBkMode(v->dc, OPAQUE);
    for (; line->style && room >= line->height; ++line) {
        Mark mark;
        if (!IsRule(line) && markOf(line, &mark)) {
            if ((line->style & STYLE_FONT_KEY) != key) {
                SelectStyleFont(v, line->style);
                key = line->style & STYLE_FONT_KEY;
            }
            MarkLine(v, line, y, mark);
        }
        int rows = RowsOf(*line);
        y += rows * line->height;
        room -= rows * line->height;
    }
    SetBkMode(v->dc, mode);
    SelectObject(v->dc, kept);
}

// The reader's selection, in the system's selection colours, over the
// lines on the page: each line's part of it is one stored range.
void DrawSelection(TextView* v)
{
    unsigned first = g_state.selectStart, last = g_state.selectEnd;
    if (v != g_state.mainView || first >= last || g_state.selectText != v->text) return;
    COLORREF text = GetSysColor(COLOR_HIGHLIGHTTEXT), back = GetSysColor(COLOR_HIGHLIGHT);
    MarkPageLines(v, [&](const LineRecord* line, Mark* mark) {
        RecordSpan span;
        unsigned lo, hi;
        if (!RecordAt(v->text, line->offset, &span) || !StoredPart(span, first, last, &lo, &hi)) return false;
        *mark = {lo, hi, text, back};
        return true;
    });
}

// Width of the first n characters of a run as drawn.
int RunExtent(HDC dc, const uint8_t* run, int n, SIZE* size)
{
    int length = static_cast<int>(strlen(reinterpret_cast<const char*>(run)));
    const char16_t* s = MapToDisplay(run, &g_conversionBuffer, length);
    *size = {};
    if (!s) return 0;
    if (n > length) n = length;
    if (n > 0) GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(s), n, size);
    return size->cx;
}

}  // namespace

void FillBox(HDC dc, int left, int top, int width, int height, int stock)
{
    RECT box = {left, top, left + width, top + height};
    FillRect(dc, &box, static_cast<HBRUSH>(GetStockObject(stock)));
}

int DrawPage(TextView* v, int erase)
{
    if (!v || !v->text || !v->lines) return -1;
    v->rowsDrawn = 0;
    LineRecord* line;
    int y, room;
    if (v->pageStart) {
        line = v->pageStart;
        y = v->top;
        room = v->height;
    } else {
        line = FindFirstVisibleLine(v, &y, &room);
    }
    COLORREF color = GetTextColor(v->dc);
    // Runs are drawn opaque, so their background is the page's own colour.
    COLORREF back = SetBkColor(v->dc, ViewColours(v).page);
    uint16_t code = StartCode(line);
    HGDIOBJ kept = SelectStyleFont(v, code | STYLE_CODE_COLOR);
    int key = code & STYLE_FONT_KEY;
    if (erase) FillColour(v->dc, {v->left, v->top, v->left + v->width, v->top + v->height}, ViewColours(v).page);

    for (; line->style && room >= line->height; ++line) {
        if (IsRule(line)) {
            DrawRule(v, line, y);
        } else {
            if ((line->style & STYLE_FONT_KEY) != key) {
                SelectStyleFont(v, line->style | STYLE_CODE_COLOR);
                key = line->style & STYLE_FONT_KEY;
            }
            DrawTextLine(v, line, y);
        }
        int rows = RowsOf(*line);
        y += rows * line->height;
        room -= rows * line->height;
        v->rowsDrawn += rows;
    }

    SelectObject(v->dc, kept);
    SetTextColor(v->dc, color);
    SetBkColor(v->dc, back);
    DrawSelection(v);
    if (v->highlightStart || v->highlightEnd) return DrawHighlight(v);
    v->pageNext = line;
    return 0;
}

int DrawHighlight(TextView* v)
{
    if (!v || !v->text || !v->lines) return -1;
    const ColourSet& c = ViewColours(v);
    MarkPageLines(v, [&](const LineRecord* line, Mark* mark) {
        // The line's span takes in its label, so hits there are painted too.
        if (v->highlightEnd < line->offset || v->highlightStart > LineSpanEnd(v, line)) return false;
        *mark = {v->highlightStart, v->highlightEnd, c.highlightText, c.highlightBack};
        return true;
    });
    return 0;
}

int HighlightRun(TextView* v, const uint8_t* text, const uint8_t* run, int n, int x, int y)
{
    const ColourSet& c = ViewColours(v);
    return MarkRun(v, run, n, x, y, {v->highlightStart, v->highlightEnd, c.highlightText, c.highlightBack});
}

int MarkRun(TextView* v, const uint8_t* run, int n, int x, int y, const Mark& mark)
{
    const uint8_t* text = v->text;
    const uint8_t* start = text + mark.start;
    long lead = start - run;
    int dx = 0;
    SIZE size;
    if (lead >= 0) {
        n -= static_cast<int>(lead);
        if (n < 0) {
            n = 0;
        } else {
            dx = RunExtent(v->dc, run, static_cast<int>(lead), &size);
            run = start;
        }
    }
    int m = static_cast<int>((text + mark.end) - run);
    if (m < n) n = m;
    if (n <= 0) return m;
    RunExtent(v->dc, run, n, &size);
    return DrawCellColored(v->dc, run, n, x + dx, y, size.cx, size.cy, mark.text, mark.back);
}

int ScrollRows(TextView* v, int delta, int redraw, int endStop)
{
    if (!v) return -1;
    int moved = MoveFirstRow(v, delta, endStop);
    if (moved == ROWS_AT_END) return 1;
    if (moved == ROWS_UNCHANGED && redraw == 1) redraw = 0;
    if (redraw) return DrawPage(v, 1);
    return moved == ROWS_CHANGED ? 3 : 1;
}

int ApplyViewFont(TextView* view, const FontBlock* font)
{
    if (!view) return -1;
    DropStyleFonts(view);
    if (!font) return 0;
    *FontBlockOf(view) = *font;
    RemakeStyleFonts(view);
    return LayoutText(view, view->text, 0) != 0 ? 1 : 0;
}

int SetViewFont(TextView* view, const FontBlock* font)
{
    int result = ApplyViewFont(view, font);
    if (result != 0 || !font) return result;
    return DrawPage(view, 1);
}
