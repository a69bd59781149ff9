#include "tests/text/text_fixture.h"

#include "tests/rationed_malloc.h"

namespace {

using Layout = TextViewTest;

TEST_F(Layout, RejectsTextsWithoutContent)
{
    uint8_t* ab = BuildText({{0x01, 0, "ab"}});
    ASSERT_EQ(LayoutText(view, ab, 0), 0);
    uint16_t lines = view->lineCount;
    uint8_t empty[] = {0};
    EXPECT_EQ(LayoutText(view, empty, 0), LAYOUT_REJECTED);
    uint8_t emptyFirst[] = {0x01, 0, 0, 0x01, 0, 'a', 0, 0};
    EXPECT_EQ(LayoutText(view, emptyFirst, 0), LAYOUT_REJECTED);
    EXPECT_EQ(view->lineCount, lines);   // old lines kept
    EXPECT_EQ(view->rowCount, 0);
    uint8_t ruleFirst[] = {0x07, 10, 0, 0};
    EXPECT_EQ(LayoutText(view, ruleFirst, 0), 0);
    view->text = nullptr;                // not ours to free
    free(ab);
    EXPECT_EQ(LayoutText(nullptr, ruleFirst, 0), -1);
    EXPECT_EQ(LayoutText(view, nullptr, 1), LAYOUT_NO_TEXT);
}

TEST_F(Layout, RejectsTextsBeyondSixteenBitOffsets)
{
    auto* text = static_cast<uint8_t*>(calloc(70000, 1));
    text[0] = 0x01;
    memset(text + 2, 'a', 65600);
    EXPECT_EQ(LayoutText(view, text, 0), LAYOUT_REJECTED);
    free(text);
}

TEST_F(Layout, BreaksAtSpacesAndHyphens)
{
    // Ten characters a line.
    ASSERT_EQ(Lay({{0x01, 0, "aaaa bbbb cccc"}, {0x01, 0, "aaaa-bbbbbbb"}, {0x01, 0, "-aaaaaaaaaaaa"}}), 0);
    ASSERT_EQ(view->lineCount, 6);
    EXPECT_EQ(LineText(0), "aaaa bbbb");   // the space goes to no line
    EXPECT_EQ(LineText(1), "cccc");
    EXPECT_EQ(view->lines[1].offset, 12);
    EXPECT_EQ(LineText(2), "aaaa-");       // the hyphen ends the upper line
    EXPECT_EQ(view->lines[2].boxWidth, 5 * FIXED_CHAR);
    EXPECT_EQ(LineText(3), "bbbbbbb");
    EXPECT_EQ(LineText(4), "-aaaaaaaaa");  // a hyphen at position 0 is no break
    EXPECT_EQ(LineText(5), "aaa");
}

TEST_F(Layout, LongWordsBreakWhereTheyStopFitting)
{
    ASSERT_EQ(Lay({{0x01, 0, "aaaaaaaaaaaaaaa b"}}), 0);
    ASSERT_EQ(view->lineCount, 2);
    EXPECT_EQ(LineText(0), "aaaaaaaaaa");
    EXPECT_EQ(LineText(1), "aaaaa b");
}

TEST_F(Layout, SpacerRows)
{
    ASSERT_EQ(Lay({{0x81, 0, "aaaa bbbb cccc dddd eeee"}}), 0);
    EXPECT_EQ(view->lineCount, 3);
    EXPECT_EQ(view->rowCount, 3);   // the last spacer row is dropped
    EXPECT_EQ(view->lines[2].style, 0x01);

    ASSERT_EQ(Lay({{0x81, 0, "aaaa bbbb cccc"}, {0x81, 0, "dddd"}, {0x01, 0, "eeee"}}), 0);
    EXPECT_EQ(view->lines[0].style, 0x01);   // only a record's last line has the bit
    EXPECT_EQ(view->lines[1].style, 0x81);
    EXPECT_EQ(view->lines[2].style, 0x81);
    EXPECT_EQ(view->rowCount, 6);

    // Style 0x80 alone must not leave 0, the end mark, on a line.
    ASSERT_EQ(Lay({{0x80, 0, "aaaa bbbb cccc"}, {0x80, 0, "dddd"}}), 0);
    EXPECT_EQ(view->lineCount, 3);
    EXPECT_EQ(view->rowCount, 4);
    EXPECT_EQ(view->lines[2].style, 0x01);

    // Trailing spaces that do not fit still end the paragraph on that line.
    ASSERT_EQ(Lay({{0x81, 0, "aaaa bbbbb    "}, {0x01, 0, "c"}}), 0);
    ASSERT_EQ(view->lineCount, 2);
    EXPECT_EQ(view->lines[0].style, 0x81);
    EXPECT_EQ(view->rowCount, 3);
}

TEST_F(Layout, RuleLengths)
{
    FreeTextView(view, 1);
    view = MakeView(400, 400);
    ASSERT_EQ(Lay({{0x07, 160, ""}, {0x07, 161, ""}, {0x07, 255, ""}, {0x07, 0, ""}, {0x27, 100, ""},
                   {0xC7, 100, ""}, {0x01, 0, "a"}}),
              0);
    ASSERT_EQ(view->lineCount, 6);   // parameter 0 makes no line
    EXPECT_EQ(view->lines[0].boxWidth, 160);
    EXPECT_EQ(view->lines[1].boxWidth, 8);     // 2 % of 400
    EXPECT_EQ(view->lines[2].boxWidth, 400);   // 190 %, cut to the width
    EXPECT_EQ(view->lines[0].x, 5);
    EXPECT_EQ(view->lines[3].x, 5 + 300);      // right
    EXPECT_EQ(view->lines[4].x, 5 + 150);      // centred
    EXPECT_EQ(view->lines[4].style, 0xC7);
    EXPECT_EQ(view->rowCount, 7);
    EXPECT_EQ(view->lines[0].count, 0);
    EXPECT_EQ(view->lines[0].offset, 2);
}

TEST_F(Layout, MalformedRuleTextIsNotReadAsRecords)
{
    ASSERT_EQ(Lay({{0x07, 0, "\x01\x01xyz"}, {0x01, 0, "ab"}}), 0);
    ASSERT_EQ(view->lineCount, 1);
    EXPECT_EQ(LineText(0), "ab");
}

TEST_F(Layout, AlignmentAndIndent)
{
    ASSERT_EQ(Lay({{0x01, 3, "ab"}, {0x21, 3, "ab"}, {0x41, 4, "ab"}, {0x61, 3, "ab"}, {0x01, 63, "ab"}}), 0);
    EXPECT_EQ(view->lines[4].x, 5 + 63);
    EXPECT_EQ(view->lines[0].x, 5 + 3);
    EXPECT_EQ(view->lines[1].x, 5 + 80 - 16 - 3);
    EXPECT_EQ(view->lines[2].x, 5 + 4 + (80 - 16 - 4) / 2);
    EXPECT_EQ(view->lines[3].x, 5 + 3);   // 0x60 is left
    ASSERT_EQ(ResizeView(view, 60, 100), 0);
    EXPECT_EQ(view->lines[4].x, 5);       // indent beyond the width is dropped
}

TEST_F(Layout, HangingLabelOrdinaryStorage)
{
    // Level 1: hang = 2 * 12 / 2 = 12; indent 4; 80 - 16 = 64 px, 8 characters.
    ASSERT_EQ(Lay({{0x01, 0x44, "1. aaaaa bbb cccc"}}), 0);
    ASSERT_EQ(view->lineCount, 2);
    const LineRecord& first = view->lines[0];
    EXPECT_EQ(first.offset, 2);   // the label's offset
    EXPECT_EQ(first.hang, 12);
    EXPECT_EQ(first.count, 5);    // main text only
    EXPECT_EQ(first.x, 5 + 4 + 12);
    EXPECT_EQ(view->lines[1].hang, 0);
    EXPECT_EQ(view->lines[1].x, 5 + 4 + 12);   // further lines at the label's text column
    EXPECT_EQ(LineText(1), "bbb cccc");
    EXPECT_EQ(LineSpanEnd(view, &first), 2u + 3 + 5);
}

TEST_F(Layout, HangingLabelReversedStorage)
{
    // Reading order "1. aaaaa bbb cccc", stored last-first.
    ASSERT_EQ(Lay({{0x31, 0x44, Reversed("1. aaaaa bbb cccc")}}), 0);
    ASSERT_EQ(view->lineCount, 2);
    EXPECT_EQ(LineText(0), Reversed("aaaaa"));   // the segment of the first line
    EXPECT_EQ(view->lines[0].offset, 2 + 9);     // 17 - 3 - 5
    EXPECT_EQ(view->lines[0].hang, 12);
    EXPECT_EQ(view->lines[0].x, 5 + 80 - 40 - 16);   // right aligned, label to its right
    EXPECT_EQ(LineText(1), Reversed("bbb cccc"));
    EXPECT_EQ(view->lines[1].offset, 2);
    EXPECT_EQ(LineSpanEnd(view, &view->lines[0]), 2u + 17);
}

TEST_F(Layout, ReversedParagraphFillsFirstLineFirst)
{
    ASSERT_EQ(Lay({{0x10, 0, Reversed("aaa bbb ccc ddd")}}), 0);
    ASSERT_EQ(view->lineCount, 2);
    EXPECT_EQ(LineText(0), Reversed("aaa bbb"));
    EXPECT_EQ(LineText(1), Reversed("ccc ddd"));
    EXPECT_LT(view->lines[1].offset, view->lines[0].offset);
}

TEST_F(Layout, ContinuationParagraph)
{
    ASSERT_EQ(Lay({{0x01, 0x44, "1. aaaa"}, {0x01, 0x46, " bbbb"}, {0x01, 0x40, "2. cccc"}}), 0);
    ASSERT_EQ(view->lineCount, 3);
    EXPECT_EQ(view->lines[1].hang, 0);             // no label
    EXPECT_EQ(view->lines[1].x, 5 + 4 + 12 + 2);   // moved by the change of indent
    EXPECT_EQ(LineText(1), "bbbb");
    EXPECT_EQ(view->lines[2].hang, 12);            // a new label starts afresh
    EXPECT_EQ(view->lines[2].x, 5 + 12);
}

TEST_F(Layout, FirstLineWithSpaceIsNotAContinuation)
{
    ASSERT_EQ(Lay({{0x01, 0x42, " 1. aaaa"}}), 0);
    EXPECT_EQ(view->lines[0].hang, 12);
}

TEST_F(Layout, FontsPerStyle)
{
    ASSERT_EQ(Lay({{0xDC, 0, Reversed("heading")}, {0x02, 0, "small"}, {0x01, 0, "plain"}}), 0);
    EXPECT_EQ(view->lines[0].height, FIXED_LINE * 5 / 4);
    EXPECT_EQ(view->lines[1].height, FIXED_LINE * 3 / 4);
    EXPECT_EQ(view->lines[2].height, FIXED_LINE);
    int fonts = 0;
    for (FontCacheNode* n = view->fontCache; n; n = n->next) ++fonts;
    EXPECT_EQ(fonts, 3);   // one per key: 1, 0x1C, 2
}

TEST_F(Layout, LineArrayGrows)
{
    std::string many;
    for (int i = 0; i < 300; ++i) many += "aaaaaaaa ";
    ASSERT_EQ(Lay({{0x01, 0, many}}), 0);
    EXPECT_EQ(view->lineCount, 300);
    EXPECT_GE(view->lineCapacity, 300);
    EXPECT_EQ(view->lines[300].style, 0);
    EXPECT_EQ(view->lines[299].offset, 2 + 299 * 9);
}

TEST_F(Layout, VeryNarrowBoxesStillEnd)
{
    for (int width : {0, 1, FIXED_CHAR - 1}) {
        FreeTextView(view, 1);
        view = MakeView(width, 100);
        ASSERT_EQ(Lay({{0x01, 0x45, "1. ab-c d"}, {0x31, 0xC0, Reversed("2. xy")}, {0x07, 200, ""}}), 0) << width;
        // Each label on a line of its own, then a character a line.
        EXPECT_EQ(view->lineCount, 1 + 5 + 1 + 2 + 1) << width;
        EXPECT_EQ(LineText(3), "-");
        EXPECT_EQ(view->lines[9].boxWidth, width * 80 / 100);
    }
}

TEST_F(Layout, ZeroFontHeightEnds)
{
    g_fixedMetrics.lineHeight = 0;
    ASSERT_EQ(Lay({{0x81, 0, "aaaa bbbb cccc"}, {0x01, 0, "dd"}}), 0);
    EXPECT_EQ(view->rowCount, 4);
    EXPECT_EQ(view->maxFirstRow, 0);
}

TEST_F(Layout, LargestTextsAtACharacterALine)
{
    // Offsets near the 16-bit limit, rows for every character.
    std::vector<uint8_t> bytes;
    while (bytes.size() < 65000) bytes.insert(bytes.end(), {0x81, 0, 'a', 'b', 'c', 'd', 'e', 'f', 'g', 0});
    bytes.push_back(0);
    auto* text = static_cast<uint8_t*>(malloc(bytes.size()));
    memcpy(text, bytes.data(), bytes.size());
    FreeTextView(view, 1);
    view = MakeView(1, 100);
    ASSERT_EQ(LayoutText(view, text, 1), 0);
    int records = static_cast<int>(bytes.size() - 1) / 10;
    EXPECT_EQ(view->lineCount, records * 7);
    EXPECT_EQ(view->rowCount, records * 8 - 1);
    EXPECT_EQ(view->lines[view->lineCount - 1].offset, bytes.size() - 3);
    EXPECT_EQ(view->maxFirstRow, view->rowCount - 100 / FIXED_LINE);
}

TEST_F(Layout, OwnershipAndRelayout)
{
    ASSERT_EQ(Lay({{0x01, 0, "first"}}), 0);
    view->highlightStart = 2;
    view->highlightEnd = 4;
    ASSERT_EQ(Lay({{0x01, 0, "second"}}), 0);   // frees the first (checked by ASan)
    EXPECT_EQ(view->highlightEnd, 0);
    EXPECT_EQ(ResizeView(view, 0, 10), VIEW_BAD_SIZE);
    EXPECT_EQ(view->width, 80);
    ASSERT_EQ(ResizeView(view, 3 * FIXED_CHAR, 100), 0);
    EXPECT_EQ(view->lineCount, 2);
    EXPECT_EQ(LayoutText(view, view->text, 1), 0);   // the same text again is kept
    EXPECT_EQ(LineText(0), "sec");
}

TEST_F(Layout, RunningOutOfMemoryAnywhereStillEndsTheLines)
{
    // The array holds a longer text's 300 lines (and the fonts are made);
    // each allocation of a new layout fails in turn. The array must end
    // where that layout stopped, or drawing walks on into the longer text's
    // records.
    std::string many;
    for (int i = 0; i < 300; ++i) many += "aaaaaaaa ";
    ASSERT_EQ(Lay({{0x11, 0, "x"}, {0x01, 0, many}}), 0);
    uint8_t* longer = view->text;
    bool refused = true;
    for (int allowed = 0; allowed < 50 && refused; ++allowed) {
        uint8_t* text = BuildText({{0x11, 0, Reversed("bb cc")}, {0x01, 0, "dd"}, {0x91, 0, Reversed("ee ff")}});
        rationed::FailAfter(allowed);
        int result = LayoutText(view, text, 0);
        refused = rationed::Refused();
        EXPECT_EQ(result, refused ? LAYOUT_NO_MEMORY : 0) << allowed;
        for (const LineRecord* line = view->lines; line->style; ++line)
            ASSERT_LT(line->offset, 22) << allowed;
        if (result != 0) free(text);
    }
    EXPECT_FALSE(refused);
    EXPECT_EQ(view->lineCount, 3);
    free(longer);
}

}  // namespace

namespace {

// Random records in every style, parameter and width: the layout must end,
// stay inside each record and keep its row counts consistent (ASan watches
// the reads).
TEST_F(Layout, RandomTextsKeepTheirInvariants)
{
    uint32_t seed = 12345;
    auto next = [&seed](uint32_t bound) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) % bound;
    };
    const char alphabet[] = "abcdefgz{~ --  ()";
    for (int round = 0; round < 300; ++round) {
        std::vector<uint8_t> bytes;
        std::vector<std::pair<int, int>> spans;   // text start, length per record
        int records = 1 + next(12);
        for (int r = 0; r < records; ++r) {
            uint8_t style = static_cast<uint8_t>(1 + next(255));
            bytes.push_back(style);
            bytes.push_back(static_cast<uint8_t>(next(256)));
            int length = (style & 7) == 7 ? 0 : 1 + next(60);
            spans.push_back({static_cast<int>(bytes.size()), length});
            for (int i = 0; i < length; ++i) bytes.push_back(alphabet[next(sizeof alphabet - 1)]);
            bytes.push_back(0);
        }
        bytes.push_back(0);
        g_fixedMetrics.charWidth = 1 + next(12);
        g_fixedMetrics.lineHeight = next(20);
        g_fixedMetrics.maxCharWidth = next(30);
        view->width = 1 + next(120);
        view->height = 1 + next(200);
        auto* text = static_cast<uint8_t*>(malloc(bytes.size()));
        memcpy(text, bytes.data(), bytes.size());
        int result = LayoutText(view, text, 1);
        if (result == LAYOUT_REJECTED) {
            free(text);
            continue;
        }
        ASSERT_EQ(result, 0);
        int spacers = 0;
        for (int i = 0; i < view->lineCount; ++i) {
            const LineRecord& l = view->lines[i];
            ASSERT_NE(l.style, 0);
            spacers += (l.style & STYLE_SPACER) ? 1 : 0;
            bool inside = false;
            for (auto [start, length] : spans)
                inside |= l.offset >= start && l.offset + l.count <= start + length;
            ASSERT_TRUE(inside) << "round " << round << " line " << i;
            ASSERT_LE(LineSpanEnd(view, &l), bytes.size());
        }
        EXPECT_EQ(view->lines[view->lineCount].style, 0);
        EXPECT_EQ(view->rowCount, view->lineCount + spacers);
        EXPECT_LE(view->maxFirstRow, view->rowCount);
    }
}

}  // namespace
