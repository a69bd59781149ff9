// Rows of a laid-out view: each line is a row, a line with the spacer bit
// is followed by one more.
#include "text/rows.h"

#include <cstring>
#include "text/text_format.h"

namespace {

bool IsLabelled(const LineRecord& line) { return line.hang != 0 && (line.style & STYLE_KIND_MASK) != STYLE_RULE; }

}  // namespace

int RowsOf(const LineRecord& line) { return (line.style & STYLE_SPACER) ? 2 : 1; }

int ComputeMaxFirstRow(TextView* v)
{
    if (!v->lines || v->rowCount == 0 || v->lineCount == 0) return -1;
    int rem = v->height;
    int fit = 0;
    for (int i = v->lineCount - 1; i >= 0; --i) {
        const LineRecord& line = v->lines[i];
        if (rem < line.height) break;
        rem -= line.height;
        ++fit;
        if (line.style & STYLE_SPACER) {
            rem -= line.height;
            ++fit;
        }
    }
    // The last spacer row counted did not fit; a box with no height at all
    // (a window made too small for its frame) fits nothing to take back.
    if (rem < 0 && fit > 0) --fit;
    v->maxFirstRow = static_cast<uint16_t>(v->rowCount - fit);
    return v->maxFirstRow;
}

unsigned LineSpanEnd(const TextView* v, const LineRecord* line)
{
    unsigned end = line->offset + line->count;
    if (!IsLabelled(*line) || !v->text) return end;
    const uint8_t* t = v->text + line->offset;
    if (line->style & STYLE_REVERSED)   // the label ends the record
        return line->offset + static_cast<unsigned>(strlen(reinterpret_cast<const char*>(t)));
    const uint8_t* q = t;               // the label leads the line
    while (*q && *q != ' ') ++q;
    while (*q == ' ') ++q;
    return end + static_cast<unsigned>(q - t);
}

int SeekToOffset(TextView* v, unsigned offset)
{
    if (!v->lines) return 0;
    int row = 0;
    for (const LineRecord* line = v->lines; line->style; ++line) {
        // The span includes a hanging label, so a hit in the label or at the
        // end of a labelled line is found too.
        if (line->offset <= offset && offset <= LineSpanEnd(v, line)) {
            v->firstRow = static_cast<uint16_t>(row < v->maxFirstRow ? row : v->maxFirstRow);
            return 1;
        }
        row += RowsOf(*line);
    }
    return 0;
}

LineRecord* FindFirstVisibleLine(TextView* v, int* y, int* room)
{
    if (v->firstRow > v->rowCount) v->firstRow = v->maxFirstRow;
    LineRecord* line = v->lines;
    LineRecord* passed = nullptr;
    int row = 0;
    while (line->style && row < v->firstRow) {
        row += RowsOf(*line);
        passed = line++;
    }
    *y = v->top;
    *room = v->height;
    if (row > v->firstRow && passed) {   // the page opens on a spacer row
        *y += passed->height;
        *room -= passed->height;
    }
    return line;
}

int MoveFirstRow(TextView* v, int delta, int endStop)
{
    int row = v->firstRow + delta;
    if (row < 0) {
        row = 0;
    } else if (endStop || row > v->rowCount) {
        if (row >= v->firstRow && v->firstRow >= v->maxFirstRow) return ROWS_AT_END;
        if (row > v->rowCount) row = v->maxFirstRow;
    }
    if (row == v->firstRow) return ROWS_UNCHANGED;
    v->firstRow = static_cast<uint16_t>(row);
    return ROWS_CHANGED;
}
