// The chooser's tree over the compiled table of contents.
#include <gtest/gtest.h>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>
#include "content/lesson_store.h"
#include "index/index_layout.h"
#include "settings/bookmarks.h"
#include "text/letter_code.h"

namespace {

int Font(void*, uint16_t style) { return style & 4 ? 20 : 14; }

void Fit(void*, const uint8_t* bytes, int* width, int* count)
{
    int n = 0;
    while (n < *count && bytes[n] && (n + 1) * 7 <= *width) ++n;
    *count = n;
    *width = n * 7;
}

const IndexMeasure MEASURE = {nullptr, Font, Fit};

std::vector<uint16_t> Keys(const uint8_t* text)
{
    std::vector<uint16_t> keys;
    IndexRecord r;
    for (const uint8_t* p = text; (p = ReadIndexRecord(p, &r));) keys.push_back(r.key);
    return keys;
}

class RealIndex : public ::testing::Test {
protected:
    void SetUp() override
    {
        index = LoadLesson(INDEX_LESSON, nullptr);
        if (!index) GTEST_SKIP() << "no compiled index in this build";
    }
    void TearDown() override
    {
        std::free(index);
        FreeBookmarks();
    }
    uint8_t* index = nullptr;
};

}  // namespace

TEST_F(RealIndex, BuiltWithAndWithoutBookmarks)
{
    FreeBookmarks();
    uint8_t* plain = BuildIndexText();
    EXPECT_EQ(Keys(plain), Keys(index));
    std::free(plain);

    AddBookmark(&g_bookmarks, 12);
    AddBookmark(&g_bookmarks, 3);
    AddBookmark(&g_bookmarks, 200);
    uint8_t* marked = BuildIndexText();
    std::vector<uint16_t> keys = Keys(marked);
    std::vector<uint16_t> head(keys.begin(), keys.begin() + 4);
    EXPECT_EQ(head, (std::vector<uint16_t>{BOOKMARK_BRANCH_KEY, 0x400C, 0x4003, 0x40C8}));
    EXPECT_EQ(keys.size(), Keys(index).size() + 4);
    std::free(marked);

    // Every one removed: no branch at all.
    RemoveBookmark(&g_bookmarks, 12);
    RemoveBookmark(&g_bookmarks, 3);
    RemoveBookmark(&g_bookmarks, 200);
    uint8_t* again = BuildIndexText();
    EXPECT_EQ(Keys(again), Keys(index));
    std::free(again);
}

TEST_F(RealIndex, EveryLessonCanBeRevealedAndClicked)
{
    for (int lesson = 1; lesson <= 339; ++lesson) {
        uint8_t* copy = LoadLesson(INDEX_LESSON, nullptr);
        IndexView* view = NewIndexView(copy, nullptr, 400, 600);
        ASSERT_EQ(LayoutIndex(view, &MEASURE), 0);
        RevealLesson(view, lesson);
        // Scroll the lesson's line to the top and click its caption.
        uint32_t line = 0;
        while (view->lines[line].key != (0x4000 | lesson)) ++line;
        ASSERT_TRUE(view->lines[line].flags & INDEX_FLAG_VISIBLE) << lesson;
        int above = 0;
        for (uint32_t i = 0; i < line; ++i) above += (view->lines[i].flags & INDEX_FLAG_VISIBLE) ? 1 : 0;
        view->maxTop = view->visibleLines;
        view->topLine = static_cast<uint16_t>(above);
        const IndexLine& l = view->lines[line];
        EXPECT_EQ(HitTestIndex(view, l.x + 1, 1), lesson);
        FreeIndexView(view);
    }
}

// The one-chapter track's bookmarks lead to their days: keys above every
// lesson, captions naming section and chapter in display order.
TEST(PortionBookmarks, NameTheirDays)
{
    const uint8_t stored[] = {166, 0, 1, 0, 0, 0};
    BookmarkList list = {};
    ASSERT_TRUE(InstallBookmarks(&list, stored, sizeof stored));
    uint8_t* index = LoadLesson(INDEX_LESSON, nullptr);
    uint8_t* text = AddPortionBookmarkBranch(index, &list);
    ASSERT_TRUE(text);
    std::vector<uint16_t> keys = Keys(text);
    ASSERT_GE(keys.size(), 3u);
    EXPECT_EQ(keys[0], BOOKMARK_BRANCH_KEY);
    EXPECT_EQ(keys[1], INDEX_KEY_LINK | (INDEX_PORTION_BASE + 166));
    EXPECT_EQ(keys[2], INDEX_KEY_LINK | (INDEX_PORTION_BASE + 1));
    IndexRecord r;
    ReadIndexRecord(ReadIndexRecord(text, &r), &r);
    std::string caption(reinterpret_cast<const char*>(r.caption), r.length);
    FlipReadingOrder(caption);
    std::string expected;
    Utf8ToLetterCode("הלכות חמץ ומצה, נוסח ההגדה", expected);
    EXPECT_EQ(caption, expected);
    std::free(text);
    std::free(index);
    FreeBookmarkList(&list);
}
