// Every compiled lesson laid out at widths from a sliver to a wide window.
#include "tests/text/text_fixture.h"

#include "content/lesson_store.h"

namespace {

using RealLessonLayout = TextViewTest;

// Styles of the lines in a layout, to see the text's kinds were met.
struct Seen {
    bool heading = false, labelled = false, reversedLabel = false;
};

void CheckLayout(const TextView* v, const uint8_t* text, Seen& seen)
{
    size_t length = 0;
    while (text[length]) {
        length += 2;
        while (text[length]) ++length;
        ++length;
    }
    int spacers = 0;
    for (int i = 0; i < v->lineCount; ++i) {
        const LineRecord& l = v->lines[i];
        ASSERT_NE(l.style, 0);
        ASSERT_LE(LineSpanEnd(v, &l), length);
        spacers += (l.style & STYLE_SPACER) ? 1 : 0;
        seen.heading |= l.style == STYLE_HEADING || l.style == (STYLE_HEADING & ~STYLE_SPACER);
        seen.labelled |= l.hang != 0;
        seen.reversedLabel |= l.hang != 0 && (l.style & STYLE_REVERSED);
    }
    ASSERT_EQ(v->lines[v->lineCount].style, 0);
    ASSERT_EQ(v->rowCount, v->lineCount + spacers);
    ASSERT_LE(v->maxFirstRow, v->rowCount);
}

TEST_F(RealLessonLayout, EveryLessonAtEveryWidth)
{
    uint8_t* probe = LoadLesson(1, nullptr);
    if (!probe) GTEST_SKIP() << "no compiled lessons in this build";
    free(probe);
    Seen seen;
    for (int lesson = 1; lesson <= 339; ++lesson) {
        uint8_t* text = LoadLesson(lesson, nullptr);
        ASSERT_NE(text, nullptr) << lesson;
        ASSERT_EQ(LayoutText(view, text, 1), 0) << lesson;
        for (int width : {1, 37, 300, 1200}) {
            ASSERT_EQ(ResizeView(view, width, 400), 0) << lesson;
            CheckLayout(view, text, seen);
            // Every offset inside a line's text finds its line.
            const LineRecord& last = view->lines[view->lineCount - 1];
            ASSERT_EQ(SeekToOffset(view, last.offset), 1) << lesson;
        }
    }
    EXPECT_TRUE(seen.heading);
    EXPECT_TRUE(seen.labelled);
    EXPECT_TRUE(seen.reversedLabel);
}

TEST_F(RealLessonLayout, IndexText)
{
    uint8_t* text = LoadLesson(INDEX_LESSON, nullptr);
    if (!text) GTEST_SKIP() << "no index in this build";
    // The index is no lesson text; the layout must still end safely on it.
    int result = LayoutText(view, text, 1);
    EXPECT_TRUE(result == 0 || result == LAYOUT_REJECTED) << result;
    if (result == LAYOUT_REJECTED) free(text);
}

}  // namespace
