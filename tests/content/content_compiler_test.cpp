// The content compiler's decisions: what the letter code refuses, numerals,
// list marks, how a lesson and its index entry are put together.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "text/letter_code.h"
#include "tools/content_compiler/corpus_reader.h"
#include "tools/content_compiler/hebrew_numeral.h"
#include "tools/content_compiler/index_writer.h"
#include "tools/content_compiler/lesson_writer.h"
#include "tools/content_compiler/letter_text.h"

namespace fs = std::filesystem;

namespace {

const std::string CORPUS = QUORIN_SOURCE_DIR "/content/corpus";

std::string C(const std::string& utf8)
{
    std::string code;
    EXPECT_TRUE(Utf8ToLetterCode(utf8, code)) << utf8;
    return code;
}

std::string U(const std::string& code)
{
    return LetterCodeToUtf8(code);
}

struct Record {
    uint8_t style, param;
    std::string stored;
};

std::vector<Record> Records(const std::vector<uint8_t>& text)
{
    std::vector<Record> records;
    for (size_t at = 0; text.at(at);) {
        std::string stored(reinterpret_cast<const char*>(&text[at + 2]));
        records.push_back({text[at], text[at + 1], stored});
        at += stored.size() + 3;
    }
    return records;
}

std::string Reading(const Record& r)
{
    std::string s = r.stored;
    FlipReadingOrder(s);
    return U(s);
}

TEST(EncodeTextLine, DropsPointsMapsMarksAndRefusesWhatTheCodeCannotHold)
{
    std::string out;
    size_t at = 0;
    long c = 0;
    // Vowel points, a cantillation mark, maqaf, geresh and gershayim.
    ASSERT_TRUE(EncodeTextLine("  שָׁלוֹם֑ את־ה׳ רמב״ם ", &out, &at, &c));
    EXPECT_EQ(U(out), "שלום את-ה' רמב\"ם");

    EXPECT_FALSE(EncodeTextLine("אב a", &out, &at, &c));   // Latin letters share the letters' bytes
    EXPECT_EQ(at, 5u);
    EXPECT_EQ(c, 'a');
    EXPECT_FALSE(EncodeTextLine("א\tב", &out, &at, &c));
    EXPECT_EQ(c, '\t');
    EXPECT_FALSE(EncodeTextLine("א\xD7", &out, &at, &c));  // cut-off UTF-8
    EXPECT_EQ(c, -1);
    EXPECT_FALSE(EncodeTextLine("א€", &out, &at, &c));
    EXPECT_EQ(c, 0x20AC);
}

TEST(HebrewNumeral, CustomaryFormsAndTheirValues)
{
    EXPECT_EQ(U(HebrewNumeral(1)), "א");
    EXPECT_EQ(U(HebrewNumeral(15)), "טו");
    EXPECT_EQ(U(HebrewNumeral(16)), "טז");
    EXPECT_EQ(U(HebrewNumeral(20)), "כ");
    EXPECT_EQ(U(HebrewNumeral(115)), "קטו");
    EXPECT_EQ(U(HebrewNumeral(365)), "שסה");
    EXPECT_EQ(U(HebrewNumeral(999)), "תתקצט");
    EXPECT_EQ(HebrewNumeral(0), "");
    EXPECT_EQ(HebrewNumeral(1000), "");

    EXPECT_EQ(HebrewNumeralValue(C("טז")), 16);
    EXPECT_EQ(HebrewNumeralValue(C("יה")), 0);   // 15 is never written so
    EXPECT_EQ(HebrewNumeralValue(C("בא")), 0);   // nor out of order
    EXPECT_EQ(HebrewNumeralValue(C("אב)")), 0);
}

TEST(ListMarks, EnumerationsSplitOnlyAtMarksInSequence)
{
    std::string lead;
    std::vector<ListItem> items = SplitEnumeration(C("וזה הוא פרטן: א) לידע. ב) לאהבו. ד) ליראה (ה) ו"), &lead);
    EXPECT_EQ(U(lead), "וזה הוא פרטן:");
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(U(items[0].label), "א)");
    EXPECT_EQ(U(items[0].text), "לידע.");
    EXPECT_EQ(U(items[1].text), "לאהבו. ד) ליראה (ה) ו");   // ד) is out of turn

    items = SplitEnumeration(C("(א) לידע (ב) לאהבו"), &lead);
    EXPECT_TRUE(items.empty());
    EXPECT_EQ(U(lead), "(א) לידע (ב) לאהבו");

    items = SplitEnumeration(C("א) ב)"), &lead);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[1].text, "");
    EXPECT_EQ(lead, "");
}

TEST(ListMarks, LeadingMarkOfAListLine)
{
    std::string label, rest;
    ASSERT_TRUE(SplitLeadingMark(C("יא) לשמוח ברגלים"), &label, &rest));
    EXPECT_EQ(U(label), "יא)");
    EXPECT_EQ(U(rest), "לשמוח ברגלים");
    // The mark's full stop slipped onto the next word in the source.
    ASSERT_TRUE(SplitLeadingMark(C("ב .ויש מצוות"), &label, &rest));
    EXPECT_EQ(U(label), "ב.");
    EXPECT_EQ(U(rest), "ויש מצוות");
    // A word that happens to spell a number (331) is no mark.
    EXPECT_FALSE(SplitLeadingMark(C("שלא לעשות פסל"), &label, &rest));
    EXPECT_FALSE(SplitLeadingMark(C("א . . ."), &label, &rest));
}

// Lessons built from the real corpus, read once.
class CompiledFromCorpus : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        corpus_ = new Corpus;
        std::string error;
        ASSERT_TRUE(ReadCorpus(CORPUS, corpus_, &error)) << error;
    }
    static void TearDownTestSuite() { delete corpus_; }
    static Corpus* corpus_;
};

Corpus* CompiledFromCorpus::corpus_;

// Lesson 34 runs from ברכות 10-11 into מילה 1.
TEST_F(CompiledFromCorpus, LessonRunningIntoTheNextSection)
{
    const LessonPlan& plan = corpus_->lessons[33];
    std::vector<Record> r = Records(BuildLesson(*corpus_, plan));
    ASSERT_GT(r.size(), 10u);
    EXPECT_EQ(r[0].style, STYLE_LESSON_TITLE);
    EXPECT_EQ(Reading(r[0]), "הלכות ברכות - הלכות מילה");
    EXPECT_EQ(r[1].style, STYLE_LESSON_CHAPTERS);
    EXPECT_EQ(Reading(r[1]), "פרק י - פרק יא, פרק א");
    EXPECT_EQ(Reading(r[2]), "פרק י");
    // A paragraph: label first in reading order, so last in storage.
    EXPECT_EQ(r[3].style, STYLE_PARAGRAPH);
    EXPECT_EQ(r[3].param, PARAM_LABELLED);
    EXPECT_EQ(r[3].stored.substr(r[3].stored.size() - 2), C(" א"));

    std::vector<std::string> order;
    for (const Record& x : r)
        if (x.style != STYLE_PARAGRAPH) order.push_back((x.style & 7) == 7 ? "rule" : Reading(x));
    std::vector<std::string> expected = {"הלכות ברכות - הלכות מילה", "פרק י - פרק יא, פרק א", "פרק י", "rule",
                                         "פרק יא", "rule", "הלכות מילה", "פרק א"};
    EXPECT_EQ(order, expected);
    EXPECT_EQ(U(LessonCaption(*corpus_, plan)), "ברכות י-יא, מילה א");
}

// Section 16's chapters, and chapter 9 of section 21, head themselves.
TEST_F(CompiledFromCorpus, ChaptersWithTheirOwnHeadingLine)
{
    for (int lesson : {36, 56}) {
        const LessonPlan& plan = corpus_->lessons[lesson - 1];
        std::vector<Record> r = Records(BuildLesson(*corpus_, plan));
        for (size_t i = 0; i < r.size(); ++i) {
            if (r[i].style != STYLE_CHAPTER_HEADING || Reading(r[i]).rfind("פרק ", 0) == 0) continue;
            bool own = false;
            for (const ChapterRef& ref : plan.chapters) {
                const std::string& first = corpus_->sections[ref.section - 1].chapters[ref.chapter - 1].paragraphs[0];
                own = own || Reading(r[i]) == U(first);
            }
            EXPECT_TRUE(own) << Reading(r[i]);
            ASSERT_LT(i + 1, r.size());
            EXPECT_EQ(Reading(r[i + 1]).substr(0, 3), "א ");   // numbering starts after the heading
        }
    }
    EXPECT_EQ(U(LessonCaption(*corpus_, corpus_->lessons[36])), "סדר תפילות כל השנה ה-ז, שבת א-ב");
}

TEST_F(CompiledFromCorpus, AnEmptyListItemKeepsItsLabel)
{
    Corpus corpus = *corpus_;
    corpus.sections[9].preamble = {C("א) ב)")};
    auto opening = std::find_if(corpus.lessons.begin(), corpus.lessons.end(), [](const LessonPlan& p) {
        return std::any_of(p.chapters.begin(), p.chapters.end(),
                           [](const ChapterRef& c) { return c.section == 10 && c.chapter == 1; });
    });
    ASSERT_NE(opening, corpus.lessons.end());
    std::vector<Record> r = Records(BuildLesson(corpus, *opening));
    auto title = std::find_if(r.begin(), r.end(), [](const Record& x) { return x.style == STYLE_SECTION_TITLE; });
    auto item = std::find_if(title, r.end(), [](const Record& x) { return x.param == PARAM_LABELLED; });
    ASSERT_NE(item, r.end());
    EXPECT_EQ(U(item->stored), "(א");
    EXPECT_EQ(U((item + 1)->stored), "(ב");
}

TEST_F(CompiledFromCorpus, ASectionWhereNoLessonStartsIsNoBranch)
{
    Corpus corpus = *corpus_;
    LessonPlan& into = corpus.lessons[34];   // 15:2 15:3 16:1 takes in the rest of section 16
    for (int c = 2; c <= 7; ++c) into.chapters.push_back({16, c});
    corpus.lessons[35].chapters = {{17, 1}};
    corpus.lessons[36].chapters = {{17, 2}};
    std::vector<uint8_t> index = BuildIndexText(corpus);
    for (size_t at = 0; index.at(at + 2);) {
        unsigned key = index[at] | index[at + 1] << 8;
        size_t next = at + 4 + std::strlen(reinterpret_cast<const char*>(&index[at + 4])) + 1;
        if ((key & 0x3FFF) == SECTION_KEY_BASE + 16u) {
            EXPECT_EQ(key, SECTION_KEY_BASE + 16u);   // no branch bit, nothing to open
            EXPECT_NE(index.at(next + 3), 3);         // and no lesson under it
            return;
        }
        at = next;
    }
    ADD_FAILURE() << "section 16 not in the index";
}

// A damaged corpus stops the build and says where.
TEST(ReadCorpus, NamesTheFileAndLineOfWhatItRefuses)
{
    fs::path dir = fs::path(testing::TempDir()) / "quorin_corpus_copy";
    fs::remove_all(dir);
    fs::copy(CORPUS, dir, fs::copy_options::recursive);
    Corpus corpus;
    std::string error;

    std::ofstream(dir / "sections/10.txt", std::ios::app) << "x\n";
    EXPECT_FALSE(ReadCorpus(dir.string(), &corpus, &error));
    EXPECT_NE(error.find("sections/10.txt:63: character U+0078"), std::string::npos) << error;

    fs::copy_file(CORPUS + "/sections/10.txt", dir / "sections/10.txt", fs::copy_options::overwrite_existing);
    std::ofstream(dir / "lessons.tsv") << "1\t01:1\n2\t03:1\n";
    EXPECT_FALSE(ReadCorpus(dir.string(), &corpus, &error));
    EXPECT_NE(error.find("lessons.tsv:2: expected chapter 2:1"), std::string::npos) << error;
    fs::remove_all(dir);
}

}  // namespace
