// The one-chapter days read from the compiled lessons, checked against the
// corpus's own list of chapters.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "calendar/portion_schedule.h"
#include "calendar/portion_text.h"
#include "calendar/schedule.h"
#include "content/embedded_resources.h"
#include "content/lesson_store.h"
#include "search/search_walk.h"
#include "text/letter_code.h"
#include "tools/content_compiler/hebrew_numeral.h"

namespace {

using Text = std::unique_ptr<uint8_t, decltype(&std::free)>;

struct Record {
    uint8_t style, param;
    std::string reading;  // UTF-8
    size_t at;
};

std::vector<Record> Records(const uint8_t* text)
{
    std::vector<Record> records;
    for (size_t at = 0; text[at];) {
        std::string stored(reinterpret_cast<const char*>(text + at + 2));
        Record r{text[at], text[at + 1], {}, at};
        at += stored.size() + 3;
        if (r.style & 0x10) FlipReadingOrder(stored);
        r.reading = LetterCodeToUtf8(stored);
        records.push_back(r);
    }
    return records;
}

bool IsRule(const Record& r) { return (r.style & 7) == 7; }

// Each word of the text records with the record's style and parameter:
// cutting a paragraph between words keeps this sequence.
void AppendWords(const std::vector<Record>& records, size_t from, std::vector<std::string>& words)
{
    for (size_t i = from; i < records.size(); ++i) {
        if (IsRule(records[i])) continue;
        std::istringstream in(records[i].reading);
        for (std::string w; in >> w;) words.push_back(std::to_string(records[i].style) + "/" + std::to_string(records[i].param) + w);
    }
}

std::string Code(const std::string& utf8)
{
    std::string code;
    Utf8ToLetterCode(utf8, code);
    return code;
}

class Portions : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        UseResourceTable(nullptr, 0);
        portions_ = new std::vector<std::vector<Record>>(PORTION_COUNT + 1);
        for (int p = 1; p <= PORTION_COUNT; ++p) {
            Text text(LoadPortion(p, nullptr), &std::free);
            if (text) (*portions_)[p] = Records(text.get());
        }
    }
    static void TearDownTestSuite() { delete portions_; }
    static const std::vector<Record>& Portion(int p) { return (*portions_)[p]; }
    static std::vector<std::vector<Record>>* portions_;

    // The chapter headings of a portion's text.
    static std::vector<std::string> Chapters(int p)
    {
        std::vector<std::string> out;
        for (const Record& r : Portion(p))
            if (r.style == 0xD8) out.push_back(r.reading);
        return out;
    }
};
std::vector<std::vector<Record>>* Portions::portions_;

}  // namespace

TEST_F(Portions, ReadOneAfterAnotherTheyHoldEveryLessonOnceInCycleOrder)
{
    std::vector<std::string> fromLessons, fromPortions;
    for (int lesson = 1; lesson <= LESSON_COUNT; ++lesson) {
        Text text(LoadLesson(lesson, nullptr), &std::free);
        ASSERT_TRUE(text);
        BlockSpan blocks[MAX_LESSON_BLOCKS];
        ASSERT_EQ(FindLessonBlocks(lesson, text.get(), blocks, MAX_LESSON_BLOCKS), BlockCountOfLesson(lesson)) << lesson;
        AppendWords(Records(text.get()), 2, fromLessons);  // all but the lesson's own two titles
    }
    for (int p = 1; p <= PORTION_COUNT; ++p) {
        ASSERT_GE(Portion(p).size(), 3u) << "portion " << p;
        EXPECT_EQ(Portion(p)[0].style, 0xDC);
        EXPECT_EQ(Portion(p)[1].style, 0xD1);
        EXPECT_FALSE(IsRule(Portion(p)[2])) << p;
        EXPECT_FALSE(IsRule(Portion(p).back())) << p;
        AppendWords(Portion(p), 2, fromPortions);
    }
    EXPECT_TRUE(fromLessons == fromPortions);
    EXPECT_EQ(fromLessons.size(), fromPortions.size());
}

// Every numbered chapter's day is that chapter of the corpus's table, under
// its section's title; the order of prayers and the Haggadah as published.
TEST_F(Portions, EachDayIsItsChapterOfTheCorpus)
{
    std::ifstream tsv(QUORIN_SOURCE_DIR "/content/corpus/lessons.tsv");
    std::vector<std::pair<int, int>> chapters;  // section, chapter of every block from lesson 5 on
    for (std::string line; std::getline(tsv, line);) {
        std::istringstream in(line);
        int lesson;
        in >> lesson;
        for (std::string item; in >> item;)
            if (lesson > 4) chapters.push_back({std::stoi(item.substr(0, 2)), std::stoi(item.substr(3))});
    }
    ASSERT_EQ(chapters.size(), size_t(BLOCK_COUNT - 12));
    auto title = [](int section) {
        std::ifstream in(QUORIN_SOURCE_DIR "/content/corpus/sections/" + std::string(section < 10 ? "0" : "") +
                         std::to_string(section) + ".txt");
        std::string line;
        std::getline(in, line);
        return line;
    };
    for (int p = 13; p <= PORTION_COUNT; ++p) {
        if (p == 108) continue;
        auto [section, chapter] = chapters[BlocksOfPortion(p).first - 13];
        ASSERT_EQ(Portion(p)[0].reading, title(section)) << p;
        std::vector<std::string> headings = Chapters(p);
        ASSERT_EQ(headings.size(), 1u) << p;
        EXPECT_EQ(Portion(p)[1].reading, headings[0]) << p;
        if (section != 16 && !(section == 21 && chapter == 9))
            EXPECT_EQ(headings[0], "פרק " + LetterCodeToUtf8(HebrewNumeral(chapter))) << p;
    }
    EXPECT_EQ(Chapters(107), std::vector<std::string>{"נוסח הקדיש"});
    EXPECT_EQ(Chapters(108), (std::vector<std::string>{"וזהו נוסח כל הברכות האמצעיות", "נוסח הוידוי",
                                                       "נוסח ברכת המזון", "המפטיר בנביא"}));
    EXPECT_EQ(Portion(108)[1].reading, "וזהו נוסח כל הברכות האמצעיות - המפטיר בנביא");
    EXPECT_EQ(Portion(109)[0].reading, title(17));
    EXPECT_EQ(Chapters(165), std::vector<std::string>{"פרק ח"});
    EXPECT_EQ(Chapters(166), std::vector<std::string>{"נוסח ההגדה"});
    EXPECT_EQ(Portion(166)[0].reading, "הלכות חמץ ומצה");
}

// The opening lessons in thirds, cut where the published table cuts them.
TEST_F(Portions, OpeningLessonsInThirds)
{
    for (int p = 1; p <= 12; ++p) {
        const char* names[] = {"חלק א", "חלק ב", "חלק ג"};
        EXPECT_EQ(Portion(p)[1].reading, names[(p - 1) % 3]) << p;
        EXPECT_GE(Portion(p).size(), 5u) << p;
    }
    auto firstText = [](int p) { return Portion(p)[2].reading; };
    EXPECT_EQ(firstText(2).rfind("כל אלו החכמים הנזכרים", 0), 0u);
    EXPECT_EQ(firstText(3).rfind("אבל כל הדברים שבגמרא", 0), 0u);
    EXPECT_EQ(Portion(2).back().reading.back(), '.');  // the paragraph cut at a sentence's end
    EXPECT_EQ(firstText(5).rfind("פד להקריב", 0), 0u);
    EXPECT_EQ(firstText(6).rfind("קסז לשבות", 0), 0u);
    EXPECT_EQ(Portion(4).back().reading.rfind("פג ", 0), 0u);
    EXPECT_EQ(Portion(7).back().reading.rfind("קכב ", 0), 0u);
    EXPECT_EQ(Portion(8).back().reading.rfind("רמד ", 0), 0u);
    bool last = false;  // the negative commandments' last, before the list's closing words
    for (const Record& r : Portion(9)) last = last || r.reading.rfind("שסה ", 0) == 0;
    EXPECT_TRUE(last);
    EXPECT_EQ(firstText(11), "ספר קדושה");
    EXPECT_EQ(firstText(12), "ספר טהרה");
}

// A place found in a lesson leads to the day that reads it and to the same
// bytes in that day's text.
TEST_F(Portions, LessonPlacesLeadToTheirDay)
{
    for (int lesson = 1; lesson <= LESSON_COUNT; ++lesson) {
        Text text(LoadLesson(lesson, nullptr), &std::free);
        std::vector<Record> records = Records(text.get());
        for (size_t i = 2; i < records.size(); ++i) {
            if (IsRule(records[i])) continue;
            uint16_t at = uint16_t(records[i].at + 2);
            int p = PortionOfLessonOffset(lesson, text.get(), at);
            ASSERT_GE(p, 1);
            PortionLayout layout;
            Text portion(LoadPortion(p, nullptr, &layout), &std::free);
            int there = PortionOffsetOf(layout, lesson, at);
            if (lesson == 1 && there < 0) continue;  // the paragraph cut in two
            ASSERT_GE(there, 0) << lesson << " record " << i;
            EXPECT_STREQ(reinterpret_cast<const char*>(portion.get() + there),
                         reinterpret_cast<const char*>(text.get() + at));
        }
        // The title records count to the lesson's first day.
        EXPECT_EQ(PortionOfLessonOffset(lesson, text.get(), 0), PortionOfBlock(FirstBlockOfLesson(lesson)));
    }
}

TEST(PortionText, RefusesWhatIsNotACompiledLesson)
{
    const uint8_t noTitles[] = {0xC7, 10, 0, 0xB0, 0, 'a', 0, 0};
    const uint8_t titlesOnly[] = {0xDC, 0, 'a', 0, 0xD1, 0, 'b', 0, 0};
    const uint8_t noThirds[] = {0xDC, 0, 'a', 0, 0xD1, 0, 'b', 0, 0xB0, 0, 'c', 0, 0};
    BlockSpan blocks[MAX_LESSON_BLOCKS];
    EXPECT_EQ(FindLessonBlocks(9, noTitles, blocks, MAX_LESSON_BLOCKS), -1);
    EXPECT_EQ(FindLessonBlocks(9, titlesOnly, blocks, MAX_LESSON_BLOCKS), 0);
    EXPECT_EQ(FindLessonBlocks(2, noThirds, blocks, MAX_LESSON_BLOCKS), -1);
    EXPECT_EQ(BuildPortionText(25, noThirds, nullptr, nullptr), nullptr);  // one block where three belong
    int32_t reason = 0;
    EXPECT_EQ(LoadPortion(0, &reason), nullptr);
    EXPECT_EQ(reason, LOAD_NO_RESOURCE);
    EXPECT_EQ(LoadPortion(PORTION_COUNT + 1, nullptr), nullptr);
}

// Search Again on the one-chapter track: the next day of the cycle whose
// chapter holds the pattern, round the cycle's end.
TEST(PortionWalk, FindsTheDayWhoseChapterHoldsTheHit)
{
    UseResourceTable(nullptr, 0);
    std::string pattern = Code("נוסח ההגדה");
    FlipReadingOrder(pattern);
    const uint8_t* p = reinterpret_cast<const uint8_t*>(pattern.c_str());
    int32_t near = DayOfPortionInCycle(160, 739959);
    SearchHit hit = {};
    ASSERT_EQ(WalkPortions(p, nullptr, 0, 160, near, &hit), 1);
    EXPECT_EQ(hit.lesson, 166);
    EXPECT_EQ(hit.day, near + 6);
    ASSERT_TRUE(hit.text);
    EXPECT_EQ(std::memcmp(hit.text + hit.offset + 1 - hit.length, pattern.data(), hit.length), 0);
    std::free(hit.text);
    // From the cycle's last days the walk comes round to its start.
    ASSERT_EQ(WalkPortions(p, nullptr, 0, 1000, DayOfPortionInCycle(1000, 739959), &hit), 1);
    EXPECT_EQ(hit.lesson, PortionOfDay(hit.day));
    EXPECT_LT(hit.lesson, 1000);
    EXPECT_LT(hit.day, DayOfPortionInCycle(1000, 739959) + PORTION_COUNT);
    std::free(hit.text);
}
