// Drawing the laid-out lines of a view, the search highlight over them, the
// one way a view's first row moves, and a new font for the whole page.
#include "text/page_render_win.h"

#include <cstring>
#include "base/display_scale.h"
#include "text/rows.h"
#include "text/style_fonts_win.h"
#include "text/text_draw_win.h"
#include "text/text_format.h"

namespace {

bool IsRule(const LineRecord* line) { return (line->style & STYLE_KIND_MASK) == STYLE_RULE; }

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
    HGDIOBJ brush = SelectObject(v->dc, GetStockObject(BLACK_BRUSH));
    int middle = y + line->height / 2;
    // One pixel at 96 DPI; thicker on denser screens, where one would fade.
    Rectangle(v->dc, line->x, middle, line->x + line->boxWidth, middle + ScaleToDpi(1));
    SelectObject(v->dc, brush);
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

void HighlightLine(TextView* v, const LineRecord* line, int y)
{
    const uint8_t* run = v->text + line->offset;
    if (line->hang && (line->style & STYLE_REVERSED)) {
        // Only the label characters inside the hit are painted, like any run.
        const uint8_t* label = ReversedLabel(v, line);
        int lw;
        int fit = FitLabel(v, label, static_cast<int>(strlen(reinterpret_cast<const char*>(label))), line->hang, &lw);
        HighlightRun(v, v->text, label, fit, line->x + line->boxWidth + line->hang - lw, y);
    } else if (line->hang) {
        HighlightRun(v, v->text, run, LabelLength(run), line->x - line->hang, y);
        run = SkipSpaces(run + LabelLength(run));
    }
    HighlightRun(v, v->text, run, line->count, line->x, y);
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
    uint16_t code = StartCode(line);
    HGDIOBJ kept = SelectStyleFont(v, code | STYLE_CODE_COLOR);
    int key = code & STYLE_FONT_KEY;
    if (erase) FillBox(v->dc, v->left, v->top, v->width, v->height, WHITE_BRUSH);

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
    if (v->highlightStart || v->highlightEnd) return DrawHighlight(v);
    v->pageNext = line;
    return 0;
}

int DrawHighlight(TextView* v)
{
    if (!v || !v->text || !v->lines) return -1;
    int y, room;
    LineRecord* line = FindFirstVisibleLine(v, &y, &room);
    uint16_t code = StartCode(line);
    HGDIOBJ kept = SelectStyleFont(v, code);
    int key = code & STYLE_FONT_KEY;
    // The yellow needs an opaque background, whatever a painter left behind.
    int mode = SetBkMode(v->dc, OPAQUE);

    for (; line->style && room >= line->height; ++line) {
        // The line's span takes in its label, so hits there are painted too.
        if (!IsRule(line) && v->highlightEnd >= line->offset && v->highlightStart <= LineSpanEnd(v, line)) {
            if ((line->style & STYLE_FONT_KEY) != key) {
                SelectStyleFont(v, line->style);
                key = line->style & STYLE_FONT_KEY;
            }
            HighlightLine(v, line, y);
        }
        int rows = RowsOf(*line);
        y += rows * line->height;
        room -= rows * line->height;
    }

    SetBkMode(v->dc, mode);
    SelectObject(v->dc, kept);
    return 0;
}

int HighlightRun(TextView* v, const uint8_t* text, const uint8_t* run, int n, int x, int y)
{
    const uint8_t* start = text + v->highlightStart;
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
    int m = static_cast<int>((text + v->highlightEnd) - run);
    if (m < n) n = m;
    if (n <= 0) return m;
    RunExtent(v->dc, run, n, &size);
    return DrawCellColored(v->dc, run, n, x + dx, y, size.cx, size.cy, HIGHLIGHT_TEXT, HIGHLIGHT_BACK);
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

int SetViewFont(TextView* view, const FontBlock* font)
{
    if (!view) return -1;
    DropStyleFonts(view);
    if (!font) return 0;
    *FontBlockOf(view) = *font;
    RemakeStyleFonts(view);
    if (LayoutText(view, view->text, 0) != 0) return 1;
    return DrawPage(view, 1);
}
