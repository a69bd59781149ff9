// Page drawing, highlight and scrolling on a memory device context.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "settings/settings.h"
#include "tests/text/text_builder.h"
#include "text/layout.h"
#include "text/page_render_win.h"
#include "text/rows.h"
#include "text/style_fonts_win.h"
#include "text/text_draw_win.h"
#include "text/text_format.h"

namespace {

// The bitmap has room below the usual 280-pixel box for a tall one: some
// faces report lines far taller than their size suggests.
constexpr int WIDTH = 400, HEIGHT = 1200, BOX_HEIGHT = 280;
constexpr uint32_t WHITE_PIXEL = 0xFFFFFF, YELLOW_PIXEL = 0xFFFF00;

class PageTest : public ::testing::Test {
protected:
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ oldBitmap = nullptr;
    uint32_t* bits = nullptr;
    TextView* view = nullptr;

    void SetUp() override
    {
        g_settings = {};
        g_settings.FontAsciiBase = DEFAULT_ASCII_BASE;
        dc = CreateCompatibleDC(nullptr);
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), WIDTH, -HEIGHT, 1, 32, BI_RGB};
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
        oldBitmap = SelectObject(dc, bitmap);
        MakeView(WIDTH - 20, BOX_HEIGHT);
    }
    void TearDown() override
    {
        FreeTextView(view, 1);
        SelectObject(dc, oldBitmap);
        DeleteObject(bitmap);
        DeleteDC(dc);
        ReleaseConversionBuffer();
    }
    void MakeView(int width, int height)
    {
        if (view) FreeTextView(view, 1);
        FontBlock font = {u"David CLM", 12, DEFAULT_ASCII_BASE};
        RECT box = {10, 10, 10 + width, 10 + height};
        view = NewTextView(dc, &box, &font, 100);
        ASSERT_NE(view, nullptr);
    }
    void Lay(std::initializer_list<Rec> records) { ASSERT_EQ(LayoutText(view, BuildText(records), 1), 0); }
    void Clear() { PatBlt(dc, 0, 0, WIDTH, HEIGHT, WHITENESS); }
    uint32_t Pixel(int x, int y) const { return bits[y * WIDTH + x] & 0xFFFFFF; }
    int Count(int left, int top, int right, int bottom, const std::function<bool(uint32_t)>& is) const
    {
        GdiFlush();
        int n = 0;
        for (int y = std::max(top, 0); y < std::min(bottom, HEIGHT); ++y)
            for (int x = std::max(left, 0); x < std::min(right, WIDTH); ++x) n += is(Pixel(x, y));
        return n;
    }
    int Inked(int left, int top, int right, int bottom) const
    {
        return Count(left, top, right, bottom, [](uint32_t p) { return p != WHITE_PIXEL; });
    }
    int Yellow(int left, int top, int right, int bottom) const
    {
        return Count(left, top, right, bottom, [](uint32_t p) { return p == YELLOW_PIXEL; });
    }
    int LineTop(int i) const
    {
        int y = view->top;
        for (int k = 0; k < i; ++k) y += view->lines[k].height * ((view->lines[k].style & 0x80) ? 2 : 1);
        return y;
    }
};

TEST_F(PageTest, DrawsLinesRulesAndHeadingsAndPutsTheDcBack)
{
    MakeView(WIDTH - 20, HEIGHT - 20);   // every row fits, in any face
    Lay({{STYLE_HEADING, 0, Reversed("abc def")}, {0x01, 0, "ghi jkl"}, {0x87, 100, ""}, {0x01, 0, "mno"}});
    HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
    SetTextColor(dc, RGB(9, 9, 9));
    Clear();
    EXPECT_EQ(DrawPage(view, 1), 0);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
    EXPECT_EQ(GetTextColor(dc), RGB(9, 9, 9));
    EXPECT_EQ(view->rowsDrawn, view->rowCount);
    EXPECT_EQ(view->pageNext, view->lines + view->lineCount);

    const LineRecord& heading = view->lines[0];
    EXPECT_GT(Count(0, LineTop(0), WIDTH, LineTop(0) + heading.height,
                    [](uint32_t p) { return (p & 0xFF) > 0xC0 && (p >> 16) < 0x40; }),
              0);   // blue
    const LineRecord& rule = view->lines[2];
    int ruleY = LineTop(2) + rule.height / 2;
    EXPECT_EQ(Count(rule.x, ruleY, rule.x + rule.boxWidth, ruleY + 1, [](uint32_t p) { return p == 0; }),
              rule.boxWidth);
    EXPECT_EQ(Inked(rule.x + rule.boxWidth + 1, ruleY, WIDTH, ruleY + 1), 0);
}

TEST_F(PageTest, FirstRowPastTheEndAndSpacerRows)
{
    // A box one and a half words wide holds one word a line in any face, so
    // the text is longer than the box whatever the font's widths.
    HGDIOBJ kept = SelectStyleFont(view, 1);
    int word = WIDTH, count = 4;
    MeasureFit(dc, reinterpret_cast<const uint8_t*>("abcd"), &word, &count);
    SelectObject(dc, kept);
    MakeView(word * 3 / 2, BOX_HEIGHT);
    std::string many;
    for (int i = 0; i < 60; ++i) many += "abcd ";
    Lay({{0x81, 0, many}, {0x01, 0, many}});
    ASSERT_GT(view->maxFirstRow, 0);
    view->firstRow = view->rowCount + 5;   // e.g. after a wider box
    Clear();
    EXPECT_EQ(DrawPage(view, 1), 0);
    EXPECT_EQ(view->firstRow, view->maxFirstRow);

    // The spacer row after the first paragraph opens the page blank.
    int row = 0, i = 0;
    for (; !(view->lines[i].style & 0x80); ++i) ++row;
    view->firstRow = static_cast<uint16_t>(row + 1);
    Clear();
    ASSERT_EQ(DrawPage(view, 1), 0);
    int h = view->lines[i].height;
    EXPECT_EQ(Inked(0, view->top, WIDTH, view->top + h), 0);
    EXPECT_GT(Inked(0, view->top + h, WIDTH, view->top + 2 * h), 0);
}

TEST_F(PageTest, LineTallerThanTheBoxIsNeverDrawn)
{
    MakeView(200, 5);
    Lay({{0x01, 0, "abc"}, {0x01, 0, "def"}});
    Clear();
    EXPECT_EQ(DrawPage(view, 1), 0);
    EXPECT_EQ(view->rowsDrawn, 0);
    EXPECT_EQ(view->pageNext, view->lines);
    EXPECT_EQ(Inked(0, 0, WIDTH, HEIGHT), 0);
}

TEST_F(PageTest, PagesForPrintingCoverEveryRow)
{
    std::string many;
    for (int i = 0; i < 80; ++i) many += "abcd ";
    Lay({{0x81, 0, many}, {0x87, 50, ""}, {0x01, 0, many}});
    int rows = 0, pages = 0;
    view->pageStart = view->lines;
    while (true) {
        ASSERT_EQ(DrawPage(view, 0), 0);
        if (view->rowsDrawn == 0) break;
        rows += view->rowsDrawn;
        ++pages;
        view->pageStart = view->pageNext;
        if (view->pageStart->style == 0) break;
    }
    EXPECT_GT(pages, 1);
    EXPECT_EQ(rows, view->rowCount);
}

TEST_F(PageTest, HighlightPaintsTheHitOnly)
{
    Lay({{0x01, 0, "abc def ghi"}, {0x01, 0, "jkl"}});
    view->highlightStart = 2 + 4;
    view->highlightEnd = 2 + 7;   // "def"
    LineRecord sentinel = {};
    view->pageNext = &sentinel;
    Clear();
    EXPECT_EQ(DrawPage(view, 1), 0);
    EXPECT_EQ(view->pageNext, &sentinel);   // left alone with a highlight
    const LineRecord& line = view->lines[0];
    EXPECT_GT(Yellow(line.x, LineTop(0), line.x + line.boxWidth, LineTop(0) + line.height), 0);
    EXPECT_EQ(Yellow(0, LineTop(1), WIDTH, HEIGHT), 0);
    // "def" is the middle of the run: yellow neither at its start nor its end.
    EXPECT_EQ(Yellow(line.x, LineTop(0), line.x + 3, LineTop(0) + line.height), 0);
    EXPECT_EQ(Yellow(line.x + line.boxWidth - 3, LineTop(0), line.x + line.boxWidth, LineTop(0) + line.height), 0);
}

TEST_F(PageTest, HighlightInLabelledLines)
{
    // Ordinary storage: a hit at the end of the first line lies beyond
    // offset + count, which counts only the text after the label.
    Lay({{0x01, 0xC0, "12. abc defgh"}, {0x31, 0xC0, Reversed("34. uvw xyz")}});
    const LineRecord& first = view->lines[0];
    view->highlightStart = 2 + 11;
    view->highlightEnd = 2 + 13;   // "gh", past offset + count
    Clear();
    ASSERT_EQ(DrawPage(view, 1), 0);
    EXPECT_GT(Yellow(first.x, LineTop(0), first.x + first.boxWidth, LineTop(0) + first.height), 0);
    EXPECT_EQ(Yellow(first.x - first.hang, LineTop(0), first.x, LineTop(0) + first.height), 0);

    // Reversed storage: the label is painted only when the hit is in it.
    const LineRecord& second = view->lines[1];
    int labelLeft = second.x + second.boxWidth, labelRight = labelLeft + second.hang;
    int top = LineTop(1), bottom = top + second.height;
    unsigned text = second.offset;   // "zyx wvu .43": the hit "wvu" at 4..6
    view->highlightStart = static_cast<uint16_t>(text + 4);
    view->highlightEnd = static_cast<uint16_t>(text + 7);
    Clear();
    ASSERT_EQ(DrawPage(view, 1), 0);
    EXPECT_GT(Yellow(second.x, top, labelLeft, bottom), 0);
    EXPECT_EQ(Yellow(labelLeft, top, labelRight + 1, bottom), 0);
    view->highlightStart = static_cast<uint16_t>(text + 8);
    view->highlightEnd = static_cast<uint16_t>(text + 11);   // ".43", the label
    Clear();
    ASSERT_EQ(DrawPage(view, 1), 0);
    EXPECT_GT(Yellow(labelLeft, top, labelRight + 1, bottom), 0);
    EXPECT_EQ(Yellow(second.x, top, labelLeft, bottom), 0);
}

TEST_F(PageTest, LabelsStayInTheirHangingArea)
{
    Lay({{0x01, 0x40, "abcdefghijkl mno"}, {0x31, 0x40, Reversed("abcdefghijkl mno")}});
    const LineRecord& first = view->lines[0];
    const LineRecord& second = view->lines[1];
    Clear();
    ASSERT_EQ(DrawPage(view, 1), 0);
    EXPECT_GT(Inked(first.x - first.hang, LineTop(0), first.x, LineTop(0) + first.height), 0);
    EXPECT_EQ(Inked(0, LineTop(0), first.x - first.hang, LineTop(0) + first.height), 0);
    int labelRight = second.x + second.boxWidth + second.hang;
    EXPECT_GT(Inked(second.x + second.boxWidth, LineTop(1), labelRight, LineTop(1) + second.height), 0);
    EXPECT_EQ(Inked(labelRight, LineTop(1), WIDTH, LineTop(1) + second.height), 0);
}

TEST_F(PageTest, ScrollRowsAtBothEnds)
{
    EXPECT_EQ(ScrollRows(nullptr, 1, 1, 1), -1);
    std::string many;
    for (int i = 0; i < 800; ++i) many += "abcd ";
    Lay({{0x01, 0, many}});
    ASSERT_GT(view->maxFirstRow, 2);
    EXPECT_EQ(ScrollRows(view, 0, 1, 1), 1);
    EXPECT_EQ(ScrollRows(view, -1, 1, 1), 1);
    EXPECT_EQ(ScrollRows(view, 2, 0, 1), 3);
    EXPECT_EQ(view->firstRow, 2);
    EXPECT_EQ(ScrollRows(view, view->maxFirstRow, 1, 1), 0);   // redrawn
    view->firstRow = view->maxFirstRow;
    EXPECT_EQ(ScrollRows(view, 1, 1, 1), 1);
    EXPECT_EQ(view->firstRow, view->maxFirstRow);
    EXPECT_EQ(ScrollRows(view, -1, 1, 1), 0);
    EXPECT_EQ(view->firstRow, view->maxFirstRow - 1);
}

TEST_F(PageTest, FontChange)
{
    Lay({{0x01, 0, "abc def ghi"}, {0x02, 0, "jkl"}});
    int height = view->lines[0].height;
    EXPECT_EQ(SetViewFont(view, nullptr), 0);
    for (FontCacheNode* n = view->fontCache; n; n = n->next) EXPECT_EQ(n->font, nullptr);
    FontBlock bigger = {u"David CLM", 24, DEFAULT_ASCII_BASE};
    EXPECT_EQ(SetViewFont(view, &bigger), 0);
    EXPECT_EQ(view->pointSize, 24);
    EXPECT_GT(view->lines[0].height, height);
    for (FontCacheNode* n = view->fontCache; n; n = n->next) EXPECT_NE(n->font, nullptr);
}

}  // namespace
