#include "tests/text/text_fixture.h"

namespace {

using Rows = TextViewTest;

// Box of 10 rows; paragraph of 3 lines with a spacer, then 8 one-line ones.
constexpr int BOX_ROWS = 10;

TEST_F(Rows, MaxFirstRowOnShortAndLongTexts)
{
    ASSERT_EQ(Lay({{0x81, 0, "aaaa bbbb cccc"}, {0x01, 0, "d"}}), 0);
    EXPECT_EQ(view->maxFirstRow, 0);

    ASSERT_EQ(Lay({{0x81, 0, "aaaa bbbb cccc dddd eeee ffff"}, {0x81, 0, "g"}, {0x81, 0, "h"}, {0x01, 0, "i"}}), 0);
    // Lines: 3 (+spacer), g (+spacer), h (+spacer), i: 9 rows, all fit.
    EXPECT_EQ(view->rowCount, 9);
    EXPECT_EQ(view->maxFirstRow, 0);
    ASSERT_EQ(ResizeView(view, 80, 3 * FIXED_LINE), 0);
    EXPECT_EQ(view->maxFirstRow, 9 - 3);
    // Two and a half rows: h, its spacer and i are counted, but the spacer
    // overran the box and is taken back.
    ASSERT_EQ(ResizeView(view, 80, 5 * FIXED_LINE / 2), 0);
    EXPECT_EQ(view->maxFirstRow, 9 - 2);
    // A box with less than no height, as a window made smaller than its
    // frame gives the view: the last row is still the furthest.
    view->height = -5;
    EXPECT_EQ(ComputeMaxFirstRow(view), 9);
    view->lines[0] = {};
    view->lineCount = 0;
    EXPECT_EQ(ComputeMaxFirstRow(view), -1);
}

TEST_F(Rows, SeekToOffset)
{
    // Line 0 "aaaa bbbbb" (2..12), two spaces, line 1 "cccc" (14..18), a
    // spacer row, "1. dddd" (header 19, 20; label at 21) and "eeee" at 31.
    ASSERT_EQ(Lay({{0x81, 0, "aaaa bbbbb  cccc"}, {0x01, 0x44, "1. dddd"}, {0x01, 0, "eeee"}}), 0);
    ASSERT_EQ(ResizeView(view, 80, 2 * FIXED_LINE), 0);
    ASSERT_EQ(view->maxFirstRow, 3);
    view->firstRow = 1;
    EXPECT_EQ(SeekToOffset(view, 13), 0);   // second space at the break
    EXPECT_EQ(SeekToOffset(view, 19), 0);   // header bytes of the next record
    EXPECT_EQ(SeekToOffset(view, 20), 0);
    EXPECT_EQ(view->firstRow, 1);
    EXPECT_EQ(SeekToOffset(view, 11), 1);   // just after "bbbb"
    EXPECT_EQ(view->firstRow, 0);
    EXPECT_EQ(SeekToOffset(view, 14), 1);
    EXPECT_EQ(view->firstRow, 1);
    // The labelled line's main text lies beyond offset + count; it is found.
    EXPECT_EQ(SeekToOffset(view, 26), 1);
    EXPECT_EQ(view->firstRow, 3);
    view->firstRow = 0;
    EXPECT_EQ(SeekToOffset(view, 33), 1);   // last line: capped at maxFirstRow
    EXPECT_EQ(view->firstRow, 3);
}

TEST_F(Rows, FirstVisibleLine)
{
    ASSERT_EQ(Lay({{0x81, 0, "aaaa"}, {0x01, 0, "bbbb"}, {0x01, 0, "cccc"}}), 0);
    ASSERT_EQ(ResizeView(view, 80, 2 * FIXED_LINE), 0);
    ASSERT_EQ(view->maxFirstRow, 2);
    int y, room;
    view->firstRow = 1;   // the spacer row after "aaaa"
    LineRecord* line = FindFirstVisibleLine(view, &y, &room);
    EXPECT_EQ(line, view->lines + 1);
    EXPECT_EQ(y, view->top + FIXED_LINE);
    EXPECT_EQ(room, view->height - FIXED_LINE);
    view->firstRow = 2;
    line = FindFirstVisibleLine(view, &y, &room);
    EXPECT_EQ(line, view->lines + 1);
    EXPECT_EQ(y, view->top);
    view->firstRow = 9;   // past rowCount, e.g. after a wider box
    line = FindFirstVisibleLine(view, &y, &room);
    EXPECT_EQ(view->firstRow, 2);
    EXPECT_EQ(line, view->lines + 1);
}

TEST_F(Rows, MoveFirstRowAtBothEnds)
{
    std::string lines;
    for (int i = 0; i < 20; ++i) lines += "aaaaaaaa ";
    ASSERT_EQ(Lay({{0x01, 0, lines}}), 0);
    ASSERT_EQ(view->rowCount, 20);
    ASSERT_EQ(view->maxFirstRow, 20 - BOX_ROWS);

    EXPECT_EQ(MoveFirstRow(view, 0, 1), ROWS_UNCHANGED);
    EXPECT_EQ(MoveFirstRow(view, -5, 1), ROWS_UNCHANGED);   // clamped at 0
    EXPECT_EQ(MoveFirstRow(view, 3, 1), ROWS_CHANGED);
    EXPECT_EQ(view->firstRow, 3);
    // Forward from before the limit may go up to rowCount.
    EXPECT_EQ(MoveFirstRow(view, 15, 1), ROWS_CHANGED);
    EXPECT_EQ(view->firstRow, 18);
    EXPECT_EQ(MoveFirstRow(view, 1, 1), ROWS_AT_END);
    EXPECT_EQ(MoveFirstRow(view, 0, 1), ROWS_AT_END);
    EXPECT_EQ(MoveFirstRow(view, -2, 1), ROWS_CHANGED);   // back works from beyond the limit
    EXPECT_EQ(view->firstRow, 16);
    view->firstRow = 5;
    EXPECT_EQ(MoveFirstRow(view, 100, 1), ROWS_CHANGED);   // past rowCount: the limit
    EXPECT_EQ(view->firstRow, 10);
    EXPECT_EQ(MoveFirstRow(view, 4, 1), ROWS_AT_END);
    EXPECT_EQ(view->firstRow, 10);
    EXPECT_EQ(MoveFirstRow(view, -100, 1), ROWS_CHANGED);
    EXPECT_EQ(view->firstRow, 0);
}

}  // namespace
