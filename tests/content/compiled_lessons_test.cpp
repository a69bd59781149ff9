// The compiled cycle as the program carries it, checked against the corpus
// files read here on their own terms.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "content/embedded_resources.h"
#include "content/lesson_store.h"
#include "text/letter_code.h"
#include "tools/content_compiler/hebrew_numeral.h"
#include "tools/content_compiler/index_writer.h"
#include "tools/content_compiler/lesson_writer.h"

namespace {

const std::string CORPUS = QUORIN_SOURCE_DIR "/content/corpus";

struct Record {
    uint8_t style, param;
    std::string reading;   // UTF-8, reading order
};

using Text = std::unique_ptr<uint8_t, decltype(&std::free)>;

Text Load(int lesson)
{
    return Text(LoadLesson(lesson, nullptr), &std::free);
}

std::vector<Record> Records(const uint8_t* text)
{
    std::vector<Record> records;
    for (size_t at = 0; text[at];) {
        std::string stored(reinterpret_cast<const char*>(text + at + 2));
        Record r{text[at], text[at + 1], {}};
        at += stored.size() + 3;
        FlipReadingOrder(stored);
        r.reading = LetterCodeToUtf8(stored);
        records.push_back(r);
    }
    return records;
}

std::vector<std::string> Lines(const std::string& path)
{
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::string TwoDigits(int n)
{
    return (n < 10 ? "0" : "") + std::to_string(n);
}

std::string Utf8Numeral(int n)
{
    return LetterCodeToUtf8(HebrewNumeral(n));
}

std::string Utf8ToCode(const std::string& utf8)
{
    std::string code;
    return Utf8ToLetterCode(utf8, code) ? code : std::string();
}

// The words of a line, each cut down to its Hebrew letters (U+05D0..U+05EA
// are 0xD7 0x90..0xAA in UTF-8) and ended by a space; words without letters
// are left out.
void AppendWords(const std::string& line, std::string* words)
{
    bool inWord = false;
    for (size_t i = 0; i <= line.size(); ++i) {
        if (i == line.size() || line[i] == ' ') {
            if (inWord) *words += ' ';
            inWord = false;
        } else if (static_cast<uint8_t>(line[i]) == 0xD7 && i + 1 < line.size()) {
            words->append(line, i++, 2);
            inWord = true;
        }
    }
}

// Section files, read once for all tests.
const std::vector<std::string>& SectionLines(int section)
{
    static std::vector<std::string> cache[89];
    if (cache[section].empty()) cache[section] = Lines(CORPUS + "/sections/" + TwoDigits(section) + ".txt");
    return cache[section];
}

// The embedded lessons, loaded and decoded once for the suite.
class CompiledLessons : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        UseResourceTable(nullptr, 0);
        lessons_ = new std::vector<std::vector<Record>>(340);
        for (int n = 1; n <= 339; ++n)
            if (Text text = Load(n)) (*lessons_)[n] = Records(text.get());
    }
    static void TearDownTestSuite() { delete lessons_; }
    void SetUp() override { UseResourceTable(nullptr, 0); }

    static const std::vector<Record>& Lesson(int n) { return (*lessons_)[n]; }

    static std::vector<std::vector<Record>>* lessons_;
};

std::vector<std::vector<Record>>* CompiledLessons::lessons_;

TEST_F(CompiledLessons, EveryLessonLoadsWithItsTwoHeadingsFirst)
{
    for (int n = 1; n <= 339; ++n) {
        Text text = Load(n);
        ASSERT_TRUE(text) << "lesson " << n;
        const uint8_t* t = text.get();
        EXPECT_EQ(t[0], STYLE_LESSON_TITLE) << n;
        EXPECT_NE(t[2], 0) << n;   // the layout refuses a first record without text
        std::vector<Record> records = Records(t);
        ASSERT_GE(records.size(), 3u) << n;
        EXPECT_EQ(records[1].style, STYLE_LESSON_CHAPTERS) << n;
        EXPECT_FALSE(records[1].reading.empty()) << n;
    }
    EXPECT_FALSE(Load(340));
}

// Chapter headings name exactly the chapters of lessons.tsv, in order, and
// a section's title stands before its first chapter.
TEST_F(CompiledLessons, EachLessonHoldsItsChaptersInOrder)
{
    struct Heading {
        std::string numbered, ownLine;   // either may stand: "פרק ב", or the chapter's first line
    };
    std::vector<std::string> plan = Lines(CORPUS + "/lessons.tsv");
    ASSERT_EQ(plan.size(), 339u);
    for (int n = 1; n <= 339; ++n) {
        std::vector<Heading> expected;
        std::vector<std::string> titles;
        std::istringstream items(plan[n - 1].substr(plan[n - 1].find('\t') + 1));
        for (std::string item; items >> item;) {
            int section = std::stoi(item.substr(0, 2)), chapter = std::stoi(item.substr(3));
            const std::vector<std::string>& lines = SectionLines(section);
            if (chapter == 1) titles.push_back(lines[0]);
            if (section <= 4) continue;   // a whole introductory part has no chapter heading
            size_t at = 1;
            while (lines[at] != "@" + std::to_string(chapter)) ++at;
            expected.push_back({"פרק " + Utf8Numeral(chapter), lines[at + 1]});
        }
        std::vector<std::string> headings, sectionTitles;
        for (const Record& r : Lesson(n)) {
            if (r.style == STYLE_CHAPTER_HEADING) headings.push_back(r.reading);
            if (r.style == STYLE_SECTION_TITLE) sectionTitles.push_back(r.reading);
        }
        ASSERT_EQ(headings.size(), expected.size()) << "lesson " << n;
        for (size_t i = 0; i < headings.size(); ++i)
            EXPECT_TRUE(headings[i] == expected[i].numbered || headings[i] == expected[i].ownLine)
                << "lesson " << n << ": " << headings[i];
        EXPECT_EQ(sectionTitles, titles) << "lesson " << n;
    }
}

// Every word of every paragraph and opening list, once and in order, across
// the cycle; running paragraph numbers and "פרק" headings are the
// compiler's own and are left out, enumeration marks of the text are not.
TEST_F(CompiledLessons, TheCycleHoldsEveryParagraphOnce)
{
    std::string corpusWords, cycleWords;
    for (int s = 1; s <= 88; ++s) {
        std::vector<std::string> preamble = Lines(CORPUS + "/preambles/" + TwoDigits(s) + ".txt");
        for (size_t i = 1; i < preamble.size(); ++i) AppendWords(preamble[i], &corpusWords);
        const std::vector<std::string>& lines = SectionLines(s);
        for (size_t i = 1; i < lines.size(); ++i)
            if (lines[i][0] != '@') AppendWords(lines[i], &corpusWords);
    }
    for (int n = 1; n <= 339; ++n) {
        const std::vector<Record>& records = Lesson(n);
        for (size_t i = 2; i < records.size(); ++i) {
            const Record& r = records[i];
            if ((r.style & 7) == 7 || r.style == STYLE_SECTION_TITLE) continue;
            std::string line = r.reading;
            std::string first = line.substr(0, line.find(' '));
            if (r.style == STYLE_CHAPTER_HEADING && first == "פרק") continue;
            if ((r.param >> 6) && HebrewNumeralValue(Utf8ToCode(first)) > 0) line = line.substr(first.size());
            AppendWords(line, &cycleWords);
        }
    }
    EXPECT_EQ(std::count(cycleWords.begin(), cycleWords.end(), ' '),
              std::count(corpusWords.begin(), corpusWords.end(), ' '));
    EXPECT_TRUE(cycleWords == corpusWords);   // not EXPECT_EQ: megabytes of Hebrew on failure
}

// Paragraph labels survive storage: a labelled record whose stored text began
// with a space would read as an unlabelled continuation.
TEST_F(CompiledLessons, LabelledParagraphsKeepTheirLabels)
{
    for (int n = 1; n <= 339; ++n) {
        Text text = Load(n);
        ASSERT_TRUE(text);
        for (size_t at = 0; text.get()[at];) {
            const uint8_t* r = text.get() + at;
            if (r[1] >> 6) {
                EXPECT_NE(r[2], ' ') << "lesson " << n << " offset " << at;
            }
            at += std::strlen(reinterpret_cast<const char*>(r + 2)) + 3;
        }
    }
}

TEST_F(CompiledLessons, IndexHasBooksSectionsAndEveryLessonOnce)
{
    Text text = Load(INDEX_LESSON);
    ASSERT_TRUE(text);
    const uint8_t* t = text.get();
    int books = 0, sections = 0, currentSection = 0;
    std::set<int> lessons, branches;
    std::vector<std::string> plan = Lines(CORPUS + "/lessons.tsv");
    size_t at = 0;
    for (; t[at + 2]; at += 4 + std::strlen(reinterpret_cast<const char*>(t + at + 4)) + 1) {
        unsigned key = t[at] | t[at + 1] << 8;
        uint8_t flags = t[at + 2], level = t[at + 3];
        EXPECT_NE(t[at + 4], 0) << "entry without a caption at " << at;
        if (level == 1) {
            ++books;
            EXPECT_EQ(flags, FLAG_VISIBLE | ENTRY_STYLE_BOOK);
        } else if (level == 2) {
            ++sections;
            currentSection = static_cast<int>(key & 0x3FFF) - SECTION_KEY_BASE;
            EXPECT_EQ(flags, ENTRY_STYLE_SECTION);
        } else {
            ASSERT_EQ(level, 3);
            int lesson = static_cast<int>(key & 0x3FFF);
            EXPECT_EQ(key & 0xC000, KEY_LINK);
            EXPECT_TRUE(lessons.insert(lesson).second) << "lesson " << lesson << " twice";
            // Listed under the section its first chapter belongs to.
            std::string items = plan[lesson - 1].substr(plan[lesson - 1].find('\t') + 1);
            EXPECT_EQ(std::stoi(items.substr(0, 2)), currentSection) << "lesson " << lesson;
            continue;
        }
        EXPECT_EQ(key & 0xC000, KEY_BRANCH);
        EXPECT_GT(static_cast<int>(key & 0x3FFF), 339);   // clear of every lesson number
        EXPECT_NE(key, 0x8877u);                           // the bookmarks heading
        EXPECT_TRUE(branches.insert(static_cast<int>(key)).second);
    }
    EXPECT_EQ(books, 15);
    EXPECT_EQ(sections, 88);
    EXPECT_EQ(lessons.size(), 339u);
    EXPECT_EQ(*lessons.begin(), 1);
    EXPECT_EQ(*lessons.rbegin(), 339);
    for (size_t i = at; i < at + 5; ++i) EXPECT_EQ(t[i], 0) << "end mark";
}

}  // namespace
