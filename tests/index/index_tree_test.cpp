#include "index/index_layout.h"

#include <gtest/gtest.h>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>
#include "settings/bookmarks.h"

namespace {

struct TestEntry {
    uint16_t key;
    uint8_t flags;
    uint8_t level;
    std::string caption;   // reading order; stored reversed
};

std::vector<uint8_t> BuildIndex(std::initializer_list<TestEntry> entries)
{
    std::vector<uint8_t> out;
    for (const TestEntry& e : entries) {
        out.push_back(static_cast<uint8_t>(e.key));
        out.push_back(static_cast<uint8_t>(e.key >> 8));
        out.push_back(e.flags);
        out.push_back(e.level);
        out.insert(out.end(), e.caption.rbegin(), e.caption.rend());
        out.push_back(0);
    }
    out.insert(out.end(), 5, 0);
    return out;
}

uint8_t* Copy(const std::vector<uint8_t>& bytes)
{
    auto* p = static_cast<uint8_t*>(std::malloc(bytes.size()));
    std::memcpy(p, bytes.data(), bytes.size());
    return p;
}

// Every byte 10 pixels wide; style 0x0C fonts 20 high, the rest 10.
int FixedFont(void*, uint16_t style)
{
    return (style & 0x0C) == 0x0C ? 20 : 10;
}

void FixedFit(void*, const uint8_t* bytes, int* width, int* count)
{
    int n = 0;
    while (n < *count && bytes[n] && (n + 1) * 10 <= *width) ++n;
    *count = n;
    *width = n * 10;
}

const IndexMeasure FIXED = {nullptr, FixedFont, FixedFit};

struct Tree {
    IndexView* view;
    Tree(const std::vector<uint8_t>& text, int width, int height)
    {
        view = NewIndexView(Copy(text), nullptr, width, height);
        EXPECT_EQ(LayoutIndex(view, &FIXED), 0);
    }
    ~Tree() { FreeIndexView(view); }
    const IndexLine& operator[](uint32_t i) const { return view->lines[i]; }
    // A line's bytes in reading order.
    std::string Line(uint32_t i) const
    {
        const IndexLine& l = view->lines[i];
        std::string s(reinterpret_cast<const char*>(view->text + l.offset), l.length);
        return std::string(s.rbegin(), s.rend());
    }
    std::string VisibleKeys() const
    {
        std::string out;
        for (uint32_t i = 0; i < view->lineCount; ++i)
            if (view->lines[i].flags & INDEX_FLAG_VISIBLE) out += std::to_string(view->lines[i].key & 0x3FFF) + " ";
        return out;
    }
};

// Two books; the first has sections with lessons, its sections hidden.
std::vector<uint8_t> SampleIndex()
{
    return BuildIndex({
        {0x8000 | 1000, 0x8C, 1, "book one"},
        {0x8000 | 1001, 0x08, 2, "sec a"},
        {0x4000 | 1, 0x01, 3, "les1"},
        {0x4000 | 2, 0x01, 3, "les2"},
        {0x8000 | 1002, 0x08, 2, "sec b"},
        {0x4000 | 3, 0x01, 3, "les3"},
        {0x8000 | 1003, 0x8C, 1, "book two"},
        {0xC000 | 4, 0x08, 2, "both"},
        {0x4000 | 5, 0x01, 3, "les5"},
    });
}

}  // namespace

TEST(IndexLayout, CaptionsBreakAtSpacesRightAligned)
{
    // Width 100 with indent 13: 8 bytes fit.
    Tree t(BuildIndex({{0x8001, 0x81, 1, "abc defgh ij"}, {0x4002, 0x81, 1, "abcdefghijkl"},
                       {0x4003, 0x81, 1, "ab     cd"}}),
           100, 200);
    ASSERT_EQ(t.view->lineCount, 6u);
    EXPECT_EQ(t.Line(0), "abc");
    EXPECT_EQ(t.Line(1), "defgh ij");
    // A word longer than the line is cut.
    EXPECT_EQ(t.Line(2), "abcdefgh");
    EXPECT_EQ(t.Line(3), "ijkl");
    // Leading spaces of a continuation are dropped.
    EXPECT_EQ(t.Line(4), "ab    ");
    EXPECT_EQ(t.Line(5), "cd");
    EXPECT_EQ(t[0].x, 100 - 13 - 30);
    EXPECT_EQ(t[0].width, 30);
    EXPECT_EQ(t.view->visibleLines, 6);
}

TEST(IndexLayout, DeepLevelsNarrowViewsAndEmptyText)
{
    // An indent at or past the width falls back to 0.
    Tree t(BuildIndex({{0x8001, 0x81, 9, "ab"}}), 100, 50);
    EXPECT_EQ(t[0].indent, 0);
    EXPECT_EQ(t[0].x, 80);
    // Not one byte fits: one byte a line still, and the layout ends.
    Tree narrow(BuildIndex({{0x8001, 0x81, 1, "abc"}}), 5, 50);
    EXPECT_EQ(narrow.view->lineCount, 3u);
    // A first record without a caption is refused and the lines stay.
    IndexView* v = NewIndexView(Copy(BuildIndex({{0x8001, 0x81, 1, ""}})), nullptr, 100, 50);
    v->lineCount = 0;
    EXPECT_EQ(LayoutIndex(v, &FIXED), 1);
    FreeIndexView(v);
}

// 300 open lesson entries "ab cd", two lines each at 50 pixels.
std::vector<uint8_t> ManyCaptions()
{
    std::vector<uint8_t> text;
    for (int i = 1; i <= 300; ++i) {
        auto rec = BuildIndex({{static_cast<uint16_t>(0x4000 | i), 0x81, 1, "ab cd"}});
        text.insert(text.end(), rec.begin(), rec.end() - 5);
    }
    text.insert(text.end(), 5, 0);
    return text;
}

TEST(IndexLayout, ManyLinesGrowTheArray)
{
    Tree t(ManyCaptions(), 50, 100);   // 3 bytes a line: each caption takes two lines
    EXPECT_EQ(t.view->lineCount, 600u);
    EXPECT_EQ(t.view->visibleLines, 600);
    EXPECT_EQ(t.view->maxTop, 590);
    EXPECT_EQ(t[600].flags, 0);
}

// An allocator that refuses its n-th request and every one after it.
int g_allowed = 0;
void* Rationed(size_t size)
{
    return g_allowed-- > 0 ? std::malloc(size) : nullptr;
}

TEST(IndexLayout, RunningOutOfMemoryAnywhereLeavesNothingBehind)
{
    // Enough captions that the line array must grow, so every allocation of
    // view, lines, growth, caption copies and snapshot gets its turn to fail.
    std::vector<uint8_t> text = ManyCaptions();
    void* (*kept)(size_t) = g_indexAllocate;
    g_indexAllocate = Rationed;
    bool finished = false;
    for (int allowed = 0; allowed < 2000 && !finished; ++allowed) {
        g_allowed = allowed;
        IndexView* view = NewIndexView(Copy(text), nullptr, 50, 100);
        if (!view) {
            EXPECT_LT(allowed, 2);
            continue;
        }
        if (LayoutIndex(view, &FIXED) == 0) {
            EXPECT_EQ(view->lineCount, 600u);
            IndexOpenState* state = SnapshotOpenState(view);
            if (state) {
                RestoreOpenState(view, state);
                finished = true;
            }
            std::free(state);
        }
        FreeIndexView(view);
    }
    g_indexAllocate = kept;
    EXPECT_TRUE(finished);
}

TEST(IndexTree, ClosingHidesEverythingBelowOpeningShowsChildren)
{
    Tree t(SampleIndex(), 300, 200);
    EXPECT_EQ(t.VisibleKeys(), "1000 1003 ");
    // Open book one: its sections only.
    EXPECT_LT(ToggleBranch(t.view, 0), 0);
    EXPECT_EQ(t.VisibleKeys(), "1000 1001 1002 1003 ");
    ToggleBranch(t.view, 1);
    EXPECT_EQ(t.VisibleKeys(), "1000 1001 1 2 1002 1003 ");
    // Close book one: everything down to book two goes.
    ToggleBranch(t.view, 0);
    EXPECT_EQ(t.VisibleKeys(), "1000 1003 ");
    EXPECT_EQ(t.view->visibleLines, 2);
    // Open again: the sections, not their lessons.
    ToggleBranch(t.view, 0);
    EXPECT_EQ(t.VisibleKeys(), "1000 1001 1002 1003 ");
    EXPECT_TRUE(t[0].flags & INDEX_FLAG_OPEN);
}

TEST(IndexTree, TwoLineBranchCaptionStaysWhole)
{
    Tree t(BuildIndex({{0x8000 | 1000, 0x81, 1, "abcdef ghij"}, {0x4001, 0x01, 2, "kl"},
                       {0x8000 | 1001, 0x81, 1, "mn"}}),
           100, 200);
    ASSERT_EQ(t.view->lineCount, 4u);
    // A click on either line of the caption opens and closes the one entry.
    ToggleBranch(t.view, 1);
    EXPECT_EQ(t.VisibleKeys(), "1000 1000 1 1001 ");
    ToggleBranch(t.view, 0);
    EXPECT_EQ(t.VisibleKeys(), "1000 1000 1001 ");
    EXPECT_FALSE(t[1].flags & INDEX_FLAG_OPEN);
}

TEST(IndexTree, ClicksOnCaptionsIconsAndBeyond)
{
    Tree t(SampleIndex(), 300, 200);
    ToggleBranch(t.view, 6);   // book two open: "both" (lesson 4, also a branch)
    // Lines: book one y 0..20, book two 20..40, "both" 40..50 at indent 26.
    const IndexLine& both = t[7];
    ASSERT_EQ(both.x, 300 - 26 - 40);
    // Caption or icon: the lesson.
    EXPECT_EQ(HitTestIndex(t.view, both.x + 5, 45), 4);
    EXPECT_EQ(HitTestIndex(t.view, both.x + both.width + 13, 45), 4);
    // Right of the icon: it opens.
    EXPECT_LT(HitTestIndex(t.view, both.x + both.width + 20, 45), 0);
    EXPECT_EQ(t.VisibleKeys(), "1000 1003 4 5 ");
    // Left of a caption: nothing.
    EXPECT_EQ(HitTestIndex(t.view, both.x - 1, 45), 0);
    // A lesson right of its icon: nothing.
    const IndexLine& five = t[8];
    EXPECT_EQ(HitTestIndex(t.view, five.x + five.width + 20, 55), 0);
    // A branch caption opens and closes; below the lines is negative.
    EXPECT_LT(HitTestIndex(t.view, 210, 30), 0);
    EXPECT_EQ(t.VisibleKeys(), "1000 1003 ");
    EXPECT_LT(HitTestIndex(t.view, 200, 150), 0);
    EXPECT_EQ(HitTestIndex(t.view, 200, 250), 0);
}

TEST(IndexTree, RevealingALessonOpensItsWay)
{
    Tree t(SampleIndex(), 300, 200);
    RevealLesson(t.view, 1);
    // The lesson, the next entry, and each ancestor.
    EXPECT_EQ(t.VisibleKeys(), "1000 1001 1 2 1003 ");
    EXPECT_FALSE(t[1].flags & INDEX_FLAG_OPEN);
    EXPECT_EQ(t.view->topLine, 0);

    // A bookmarked lesson is found in the visible bookmarks branch first.
    BookmarkList marks{};
    AddBookmark(&marks, 3);
    auto index = SampleIndex();
    uint8_t* text = AddBookmarkBranch(index.data(), &marks);
    IndexView* v = NewIndexView(text, nullptr, 300, 200);
    ASSERT_EQ(LayoutIndex(v, &FIXED), 0);
    uint16_t before = v->visibleLines;
    RevealLesson(v, 3);
    EXPECT_EQ(v->visibleLines, before);
    FreeIndexView(v);
    FreeBookmarkList(&marks);
}

TEST(IndexTree, ResizeKeepsWhatWasOpen)
{
    Tree t(SampleIndex(), 300, 200);
    ToggleBranch(t.view, 0);
    ToggleBranch(t.view, 4);   // sec b
    IndexOpenState* state = SnapshotOpenState(t.view);
    t.view->width = 60;
    ASSERT_EQ(LayoutIndex(t.view, &FIXED), 0);
    EXPECT_EQ(t.VisibleKeys(), "1000 1000 1003 1003 ");
    RestoreOpenState(t.view, state);
    std::free(state);
    EXPECT_EQ(t.VisibleKeys(), "1000 1000 1001 1001 1002 1002 3 3 1003 1003 ");
    EXPECT_TRUE(t[0].flags & INDEX_FLAG_OPEN);
    EXPECT_TRUE(t[1].flags & INDEX_FLAG_OPEN);
}

TEST(IndexTree, ScrollLimits)
{
    // Ten visible lines of 10 pixels in a 35-pixel view: 3 fit.
    std::vector<uint8_t> text;
    for (int i = 1; i <= 10; ++i) {
        auto rec = BuildIndex({{static_cast<uint16_t>(0x4000 | i), 0x81, 1, "ab"}});
        text.insert(text.end(), rec.begin(), rec.end() - 5);
    }
    text.insert(text.end(), 5, 0);
    Tree t(text, 100, 35);
    EXPECT_EQ(t.view->maxTop, 7);
    EXPECT_EQ(MoveTopLine(t.view, -1), 0);
    EXPECT_EQ(MoveTopLine(t.view, 100), 1);
    EXPECT_EQ(t.view->topLine, 7);
    EXPECT_EQ(FirstPageLine(t.view), 7u);
    // The click on the first drawn line selects its lesson.
    EXPECT_EQ(HitTestIndex(t.view, 85, 5), 8);
}

TEST(BookmarkBranch, ListsMarkedLessonsInOrderAheadOfTheIndex)
{
    BookmarkList marks{};
    AddBookmark(&marks, 3);
    AddBookmark(&marks, 200);   // no entry in the index: left out
    AddBookmark(&marks, 1);
    auto index = SampleIndex();
    uint8_t* text = AddBookmarkBranch(index.data(), &marks);
    ASSERT_NE(text, nullptr);
    std::vector<IndexRecord> records;
    IndexRecord r;
    const uint8_t* p = text;
    while (const uint8_t* next = ReadIndexRecord(p, &r)) {
        records.push_back(r);
        p = next;
    }
    ASSERT_EQ(records.size(), 3u + 9u);
    EXPECT_EQ(records[0].key, BOOKMARK_BRANCH_KEY);
    EXPECT_EQ(records[0].flags, 0xC1);
    EXPECT_EQ(records[0].length, 4u);
    EXPECT_EQ(records[1].key, 0x4003);
    EXPECT_EQ(records[1].flags, 0x81);
    EXPECT_EQ(records[1].level, 2);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(records[1].caption)), "3sel");
    EXPECT_EQ(records[2].key, 0x4001);
    EXPECT_EQ(records[3].key, 0x8000 | 1000);
    // The index follows unchanged and five zeros end it all.
    EXPECT_EQ(std::memcmp(p - (index.size() - 5), index.data(), index.size()), 0);
    std::free(text);

    // Without the index resource only the heading is left.
    text = AddBookmarkBranch(nullptr, &marks);
    p = ReadIndexRecord(text, &r);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(ReadIndexRecord(p, &r), nullptr);
    std::free(text);
    FreeBookmarkList(&marks);
}
