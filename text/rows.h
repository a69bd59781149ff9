// Row arithmetic of a laid-out view: scroll limit, seeking, the first visible
// line and first-row moves. Portable.
#pragma once
#include "text/text_format.h"
#include "text/text_view.h"

// A rule line: drawn as a line, holds no text.
inline bool IsRule(const LineRecord* line)
{
    return (line->style & STYLE_KIND_MASK) == STYLE_RULE;
}

// The rows a line takes: two when a spacer row follows it.
int RowsOf(const LineRecord& line);

// New maxFirstRow, or -1 without lines, rows or line records.
int ComputeMaxFirstRow(TextView* view);

// 1 and firstRow set when a line holds offset, else 0.
int SeekToOffset(TextView* view, unsigned offset);

// Brings firstRow back in range, finds the line the page starts with and the
// y and room left when the page starts with a spacer row.
LineRecord* FindFirstVisibleLine(TextView* view, int* y, int* room);

// The text offset one past everything a line shows, its label included.
unsigned LineSpanEnd(const TextView* view, const LineRecord* line);

// ScrollRows without the redraw.
constexpr int ROWS_AT_END = 1;       // at or past the end, asked to go on
constexpr int ROWS_UNCHANGED = 0;
constexpr int ROWS_CHANGED = 3;
int MoveFirstRow(TextView* view, int delta, int endStop);
