#include "search/search_walk.h"

#include <gtest/gtest.h>
#include <cstdlib>
#include <cstring>
#include <map>
#include <vector>
#include "calendar/calendar.h"
#include "calendar/schedule.h"
#include "tests/search/lesson_builder.h"
#include "text/text_view.h"

namespace {

// The cycle as a test sees it: lessons not listed load as plain filler.
std::map<int, std::vector<uint8_t>> g_cycle;
std::vector<int> g_loaded;

uint8_t* LoadFromCycle(int lesson)
{
    g_loaded.push_back(lesson);
    if (lesson == 77) return nullptr;   // a lesson that cannot be loaded
    auto it = g_cycle.find(lesson);
    std::vector<uint8_t> text = it != g_cycle.end() ? it->second : BuildLesson({{0xB0, "nothing here"}});
    auto* copy = static_cast<uint8_t*>(std::malloc(text.size()));
    std::memcpy(copy, text.data(), text.size());
    return copy;
}

class SearchWalk : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_cycle.clear();
        g_loaded.clear();
    }
    void TearDown() override { std::free(hit.text); }

    int Walk(const char* pattern, const std::vector<uint8_t>* view, uint16_t start, int current)
    {
        std::free(hit.text);
        hit = {};
        return WalkLessons(Bytes(pattern), view ? view->data() : nullptr, start, current, LoadFromCycle, &hit);
    }

    SearchHit hit{};
};

int TodaysLesson()
{
    DateRec today = LocalDate();
    return LessonOfDay(3, AbsoluteFromGregorian(today.month, today.day, today.year));
}

}  // namespace

TEST_F(SearchWalk, WrapsFromTheLastLessonToTheFirst)
{
    g_cycle[1] = BuildLesson({{0xB0, "xyz"}});
    auto view = BuildLesson({{0xB0, "abc"}});
    ASSERT_EQ(Walk("xyz", &view, 0, 339), 1);
    EXPECT_EQ(hit.lesson, 1);
    EXPECT_EQ(hit.offset, 4);
    EXPECT_NE(hit.text, nullptr);
    EXPECT_EQ(g_loaded.front(), 1);
}

TEST_F(SearchWalk, ComesBackToTheLessonOnScreenFromItsStart)
{
    // The only hit lies above the start: lessons 2..339 are tried, then
    // lesson 1 again as a whole, and the hit is the one on screen.
    auto view = BuildLesson({{0xB0, "xyz"}, {0xB0, "abc"}});
    ASSERT_EQ(Walk("xyz", &view, 8, 1), 1);
    EXPECT_EQ(hit.text, nullptr);
    EXPECT_EQ(hit.lesson, 1);
    EXPECT_EQ(hit.offset, 4);
    ASSERT_EQ(g_loaded.size(), 338u);
    EXPECT_EQ(g_loaded.front(), 2);
    EXPECT_EQ(g_loaded.back(), 339);
}

TEST_F(SearchWalk, NothingAnywhereAndNothingToLookFor)
{
    auto view = BuildLesson({{0xB0, "abc"}});
    EXPECT_EQ(Walk("q", &view, 0, 5), 0);
    EXPECT_EQ(g_loaded.size(), 338u);
    // A pattern that starts with a gap never matches, even where its
    // letters are.
    g_cycle[9] = BuildLesson({{0xB0, "abc"}});
    EXPECT_EQ(Walk("*c", &view, 0, 5), 0);
    g_loaded.clear();
    EXPECT_EQ(Walk("", &view, 0, 5), 0);
    EXPECT_TRUE(g_loaded.empty());
    // A stored lesson outside the cycle still ends the scan.
    g_loaded.clear();
    EXPECT_EQ(Walk("q", nullptr, 0, 0), 0);
    EXPECT_EQ(g_loaded.size(), 339u);
}

TEST_F(SearchWalk, SkipsALessonThatCannotBeLoaded)
{
    g_cycle[78] = BuildLesson({{0xB0, "abc"}});
    ASSERT_EQ(Walk("bc", nullptr, 0, 76), 1);
    EXPECT_EQ(hit.lesson, 78);
    EXPECT_EQ(hit.length, 2);
}

TEST_F(SearchWalk, DayOfTheHitIsTheNearestOneToToday)
{
    DateRec today = LocalDate();
    int32_t day = AbsoluteFromGregorian(today.month, today.day, today.year);
    int current = TodaysLesson();
    int ahead200 = (current - 1 + 200) % 339 + 1;
    g_cycle[ahead200] = BuildLesson({{0xB0, "abc"}});
    ASSERT_EQ(Walk("abc", nullptr, 0, current), 1);
    EXPECT_EQ(hit.lesson, ahead200);
    EXPECT_EQ(hit.day, day - 139);

    g_cycle.clear();
    int ahead169 = (current - 1 + 169) % 339 + 1;
    g_cycle[ahead169] = BuildLesson({{0xB0, "abc"}});
    ASSERT_EQ(Walk("abc", nullptr, 0, current), 1);
    EXPECT_EQ(hit.day, day + 169);
}

namespace {

// Lines of a laid-out view: offset, count and whether a spacer row follows.
struct ViewFixture {
    std::vector<LineRecord> lines;
    TextView view{};
    ViewFixture(std::initializer_list<LineRecord> l) : lines(l)
    {
        lines.push_back({});
        view.lines = lines.data();
    }
};

}  // namespace

TEST(SearchStartOffset, FromTheTopLineOrJustBelowTheHit)
{
    ViewFixture f({{100, 20, 0, 0, 0, 10, 0x10}, {80, 20, 0, 0, 0, 10, 0x90}, {50, 30, 0, 0, 0, 10, 0x10},
                   {20, 30, 0, 0, 0, 10, 0x10}});
    TextView& v = f.view;
    v.maxFirstRow = 3;
    // No hit: the end of the top line; the spacer row counts as a row.
    EXPECT_EQ(SearchStartOffset(&v), 119);
    v.firstRow = 2;
    EXPECT_EQ(SearchStartOffset(&v), 79);
    v.firstRow = 3;
    EXPECT_EQ(SearchStartOffset(&v), 0xFFFF);
    // A hit ending on the top line: just below its start ...
    v.firstRow = 2;
    v.highlightStart = 60;
    v.highlightEnd = 65;
    EXPECT_EQ(SearchStartOffset(&v), 59);
    // ... or, when it starts the line, from the end of the next line.
    v.highlightStart = 50;
    EXPECT_EQ(SearchStartOffset(&v), 50);
    // Scrolled to the bottom, the hit higher up still counts.
    v.firstRow = 3;
    v.highlightStart = 101;
    v.highlightEnd = 104;
    EXPECT_EQ(SearchStartOffset(&v), 100);
}

TEST(SearchStartOffset, AHitStartingTheLastLineLeavesTheLesson)
{
    ViewFixture f({{40, 20, 0, 0, 0, 10, 0x10}, {2, 30, 0, 0, 0, 10, 0x10}});
    TextView& v = f.view;
    v.firstRow = 1;
    v.maxFirstRow = 1;
    v.highlightStart = 2;
    v.highlightEnd = 6;
    EXPECT_EQ(SearchStartOffset(&v), 0xFFFF);
}

TEST(SearchStartOffset, TheTopLinesHangingLabelIsSearchedToo)
{
    // A right-to-left paragraph stored last-first: the first line's text
    // "fed cba" at 2..8, its label "21" after it at 10..11, then a second line.
    const uint8_t text[] = {0x11, 0x40, 'f', 'e', 'd', ' ', 'c', 'b', 'a', ' ', '2', '1', 0,
                            0x11, 0x40, 'z', 'y', 'x', ' ', '9', 0, 0};
    ViewFixture f({{2, 7, 0, 12, 0, 10, 0x11}, {15, 3, 0, 0, 0, 10, 0x11}});
    TextView& v = f.view;
    v.text = const_cast<uint8_t*>(text);
    v.maxFirstRow = 1;
    // No hit: from the label's last character.
    EXPECT_EQ(SearchStartOffset(&v), 11);
    // A hit in the label ends on the top line: just below its start.
    v.highlightStart = 10;
    v.highlightEnd = 12;
    EXPECT_EQ(SearchStartOffset(&v), 9);
    // A hit starting the top line: from the end of the next line, label and all.
    f.lines[1].hang = 12;
    v.highlightStart = 2;
    v.highlightEnd = 5;
    EXPECT_EQ(SearchStartOffset(&v), 20);
}
