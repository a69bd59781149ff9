// A chosen passage: its records cut to the reading range, and the citation
// line that names where it stands.
#include <gtest/gtest.h>

#include <string>

#include "output/clipboard_format.h"
#include "settings/settings.h"
#include "tests/text/text_builder.h"
#include "text/letter_code.h"
#include "text/selection.h"
#include "text/text_format.h"

namespace {

std::string Code(const char* utf8)
{
    std::string out;
    EXPECT_TRUE(Utf8ToLetterCode(utf8, out)) << utf8;
    return out;
}

// Stored last-first, as the lessons keep their paragraphs.
std::string Stored(const char* utf8)
{
    std::string s = Code(utf8);
    FlipReadingOrder(s);
    return s;
}

constexpr uint8_t CENTRED = 0xD0;     // reversed, centred, spacer row
constexpr uint8_t PARAGRAPH = 0xB0;   // reversed, right-aligned, spacer row
constexpr uint8_t LABELLED = 0x40;    // label level 1

class Passage : public ::testing::Test {
protected:
    uint8_t* text = nullptr;
    void SetUp() override
    {
        g_settings.FontAsciiBase = LETTER_BASE_UNICODE;
        g_settings.Flags = DEFAULT_FLAGS;
        text = BuildText({{STYLE_HEADING, 0, Stored("הלכות אבל - הלכות ברכות")},
                          {STYLE_SUBHEADING, 0, Stored("פרק ו, פרק א")},
                          {CENTRED, 0, Stored("פרק ו")},
                          {PARAGRAPH, LABELLED, Stored("א ראשון שבפרק")},
                          {PARAGRAPH, LABELLED, Stored("ב שני")},
                          {PARAGRAPH, LABELLED, Stored("ג שלישי (בסוגריים)")},
                          {STYLE_RULE, 100, ""},
                          {CENTRED, 0, Stored("הלכות ברכות")},
                          {CENTRED, 0, Stored("פרק א")},
                          {PARAGRAPH, LABELLED, Stored("א ברכה")}});
    }
    void TearDown() override { free(text); }

    // The reading boundary before the n-th character (reading order) of record r.
    unsigned At(int r, unsigned n) const
    {
        unsigned p = 0;
        for (int i = 0; i < r; ++i) p += 2 + unsigned(strlen(reinterpret_cast<const char*>(text + p + 2))) + 1;
        RecordSpan span;
        RecordAt(text, p + 2, &span);
        return span.start + n;
    }
    std::u16string Cite(unsigned first, unsigned last) const
    {
        PassagePlace a, b;
        FindPassagePlace(text, first, &a);
        FindPassagePlace(text, last, &b);
        char16_t out[CITATION_MAX];
        size_t n = WriteCitation(a, b, g_settings.FontAsciiBase, out, CITATION_MAX);
        return std::u16string(out, n);
    }
    // As Copy cites it: a passage begun on headings from its first paragraph.
    std::u16string CiteCopied(unsigned first, unsigned last, bool titledChapter) const
    {
        PassagePlace a, b;
        FindPassagePlaces(text, first, last, titledChapter, &a, &b);
        char16_t out[CITATION_MAX];
        return std::u16string(out, WriteCitation(a, b, g_settings.FontAsciiBase, out, CITATION_MAX));
    }
    void Use(uint8_t* other)
    {
        free(text);
        text = other;
    }
    // The passage exported, in the lines the clipboard gets.
    std::u16string Export(unsigned first, unsigned last) const
    {
        uint8_t* passage = PassageText(text, first, last);
        PassagePlace a, b;
        FindPassagePlace(text, first, &a);
        FindPassagePlace(text, last - 1, &b);
        std::u16string out(PassageExportSize(passage) / 2, u'\0');
        EXPECT_EQ(ExportPassage(passage, a, b, out.data(), uint32_t(out.size() * 2)), 0);
        free(passage);
        out.resize(std::char_traits<char16_t>::length(out.c_str()));
        return out;
    }
};

TEST_F(Passage, CitationNamesSectionChapterAndParagraphs)
{
    // Paragraphs א to ג of one chapter, as the reader would quote them.
    EXPECT_EQ(Cite(At(3, 2), At(5, 4)), u"(הלכות אבל פרק ו, א–ג)");
    EXPECT_EQ(Cite(At(4, 0), At(4, 3)), u"(הלכות אבל פרק ו, ב)");
    // Across a section: both places in full.
    EXPECT_EQ(Cite(At(5, 0), At(9, 2)), u"(הלכות אבל פרק ו, ג – הלכות ברכות פרק א, א)");
    // The opening headings give the section (its first part) and no more.
    EXPECT_EQ(Cite(At(0, 0), At(0, 3)), u"(הלכות אבל)");
    // With the code page letter base the letters follow it and the dash is a hyphen.
    g_settings.FontAsciiBase = LETTER_BASE_CP1255;
    std::u16string old = Cite(At(3, 0), At(4, 1));
    EXPECT_EQ(old.substr(old.size() - 6), std::u16string(u", \u00e0-\u00e1)"));
}

// Begun on the headings, a passage is cited from the paragraph under them;
// begun inside a paragraph, from that paragraph.
TEST_F(Passage, PassageBegunOnHeadingsCitesItsFirstParagraph)
{
    EXPECT_EQ(CiteCopied(At(2, 0), At(5, 3), false), u"(הלכות אבל פרק ו, א–ג)");
    EXPECT_EQ(CiteCopied(At(0, 2), At(4, 1), false), u"(הלכות אבל פרק ו, א–ב)");
    EXPECT_EQ(CiteCopied(At(3, 4), At(4, 1), false), u"(הלכות אבל פרק ו, א–ב)");
    // Across the rule into the next section: from its first paragraph there.
    EXPECT_EQ(CiteCopied(At(6, 0), At(9, 2), false), u"(הלכות ברכות פרק א, א)");
    // Headings alone keep naming what they name.
    EXPECT_EQ(CiteCopied(At(7, 0), At(8, 3), false), u"(הלכות ברכות פרק א)");
}

// A day of one chapter: its second heading names the chapter (a third of an
// opening lesson has no heading of its own); a bold heading with a name is a
// chapter too, cited after a comma; a lesson's span of chapters is no place.
TEST_F(Passage, OneChapterDaysNameTheirChapter)
{
    constexpr uint8_t CHAPTER = 0xD8;   // centred, bold
    Use(BuildText({{STYLE_HEADING, 0, Stored("מצוות עשה")},
                   {STYLE_SUBHEADING, 0, Stored("חלק ב")},
                   {PARAGRAPH, LABELLED, Stored("פד להקריב")},
                   {PARAGRAPH, LABELLED, Stored("פה להיטפל")}}));
    EXPECT_EQ(CiteCopied(At(0, 0), At(3, 4), true), u"(מצוות עשה, חלק ב, פד–פה)");
    EXPECT_EQ(CiteCopied(At(2, 0), At(3, 4), false), u"(מצוות עשה, פד–פה)");
    Use(BuildText({{STYLE_HEADING, 0, Stored("הלכות חמץ ומצה")},
                   {STYLE_SUBHEADING, 0, Stored("נוסח ההגדה")},
                   {CHAPTER, 0, Stored("נוסח ההגדה")},
                   {PARAGRAPH, LABELLED, Stored("א נוסח")},
                   {PARAGRAPH, LABELLED, Stored("ב הא לחמא")},
                   {PARAGRAPH, LABELLED, Stored("ג מה נשתנה")}}));
    EXPECT_EQ(CiteCopied(At(0, 0), At(5, 4), true), u"(הלכות חמץ ומצה, נוסח ההגדה, א–ג)");
    EXPECT_EQ(CiteCopied(At(3, 0), At(5, 4), false), u"(הלכות חמץ ומצה, נוסח ההגדה, א–ג)");
    Use(BuildText({{STYLE_HEADING, 0, Stored("הלכות ברכות")},
                   {STYLE_SUBHEADING, 0, Stored("פרק א - פרק ג")},
                   {PARAGRAPH, LABELLED, Stored("א ברכה")}}));
    EXPECT_EQ(CiteCopied(At(0, 0), At(2, 3), true), u"(הלכות ברכות, א)");
}

// The export holds exactly the chosen words in reading order, then the
// citation line; a rule inside the passage comes along, the records outside
// do not.
TEST_F(Passage, ExportKeepsTheChosenWordsInReadingOrder)
{
    std::u16string e = Export(At(3, 2), At(4, 2));
    EXPECT_EQ(e, u"ראשון שבפרק\r\n\r\nב \r\n\r\n(הלכות אבל פרק ו, א–ב)\r\n");
    // Brackets come out the right way round.
    e = Export(At(5, 8), At(5, 19));
    EXPECT_EQ(e.substr(0, 12), u"(בסוגריים)\r\n");
    e = Export(At(5, 0), At(8, 2));
    EXPECT_NE(e.find(std::u16string(100, u'-')), std::u16string::npos);
    EXPECT_NE(e.find(u"הלכות ברכות\r\n"), std::u16string::npos);
    EXPECT_EQ(e.find(u"ברכה"), std::u16string::npos);
}

// Damaged places: headings longer than their room are cut, never overrun,
// and a passage past the end of the text is empty.
TEST_F(Passage, LongHeadingsAndEmptyPassages)
{
    std::string longName = Stored("הלכות ") + std::string(300, 'a');
    uint8_t* big = BuildText({{STYLE_HEADING, 0, longName}, {CENTRED, 0, Stored("פרק ב")}});
    PassagePlace place;
    FindPassagePlace(big, 400, &place);
    EXPECT_EQ(strlen(reinterpret_cast<const char*>(place.section)), sizeof place.section - 1);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(place.chapter)), Code("פרק ב"));
    free(big);
    uint8_t* none = PassageText(text, 60000, 60010);
    ASSERT_TRUE(none);
    EXPECT_EQ(none[0], 0);
    free(none);
}

}  // namespace
