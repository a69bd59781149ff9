// The lesson's markup, the day's heading and the book's container: what a
// reading system and an XML parser take from them.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "calendar/calendar.h"
#include "tools/cli/epub_book.h"
#include "tools/cli/lesson_html.h"

namespace {

std::string Records(std::initializer_list<std::tuple<uint8_t, uint8_t, std::string>> records)
{
    std::string bytes;
    for (const auto& [style, parameter, text] : records) bytes += char(style) + std::string(1, char(parameter)) + text + '\0';
    return bytes + '\0';
}

std::string Markup(const std::string& records)
{
    std::string out;
    AppendLessonMarkup(out, reinterpret_cast<const uint8_t*>(records.data()));
    return out;
}

const char ALEF[] = "\xD7\x90", BET[] = "\xD7\x91", GIMEL[] = "\xD7\x92";

uint16_t Le16(const std::string& b, size_t at) { return uint8_t(b[at]) | uint8_t(b[at + 1]) << 8; }
uint32_t Le32(const std::string& b, size_t at) { return Le16(b, at) | uint32_t(Le16(b, at + 2)) << 16; }

}  // namespace

TEST(LessonHtml, EscapesMarkupAndDropsWhatXmlCannotCarry)
{
    std::string out;
    AppendEscaped(out, "a<b>&\"c\x01\x1F\xC2\x85\xC2\xA0\xD7\x90\n");
    EXPECT_EQ(out, "a&lt;b&gt;&amp;&quot;c\xC2\xA0\xD7\x90\n");
}

TEST(LessonHtml, HeadingsNumbersRulesInReadingOrder)
{
    // Reversed storage: "cba" is stored for the reading order alef bet gimel.
    std::string out = Markup(Records({{0xDC, 0, "cba"},
                                      {0xD1, 0, "ba"},
                                      {0xD4, 0, "a"},
                                      {0xC7, 170, ""},
                                      {0xD8, 0, "b"},
                                      {0xB0, 0xC0, ":c b a"},
                                      {0xB0, 0xC0, " c"},
                                      {0xC7, 0, ""},
                                      {0xB8, 0, "<&"}}));
    std::string a = ALEF, b = BET, c = GIMEL;
    EXPECT_EQ(out, "<h2 class=\"accent\">" + a + b + c + "</h2>\n"
                   "<p class=\"centre\">" + a + b + "</p>\n"
                   "<h2>" + a + "</h2>\n"
                   "<hr/>\n"
                   "<h3>" + b + "</h3>\n"
                   "<p class=\"numbered\"><span class=\"number\">" + a + "</span> " + b + " " + c + ":</p>\n"
                   "<p class=\"runon\">" + c + "</p>\n"
                   "<p class=\"strong\">&amp;&lt;</p>\n");
}

TEST(LessonHtml, DayHeadingCarriesBothDatesAndTheCaption)
{
    DayLine line = DescribeDay(739957, nullptr);  // 7 December 2026, lesson 308
    EXPECT_EQ(line.lesson, 308);
    EXPECT_EQ(line.gregorian, "2026-12-07");
    EXPECT_TRUE(line.caption.empty());
    ASSERT_FALSE(line.month.empty());
    // The day first in reading order, then its month and year.
    EXPECT_EQ(line.hebrew.substr(line.hebrew.size() - line.month.size()), line.month);
    EXPECT_EQ(DescribeDay(739957 + 1, nullptr).month, line.month);
    line.caption = "x&y";
    std::string out;
    AppendDayHeading(out, line);
    EXPECT_NE(out.find("<span class=\"gregorian\">2026-12-07</span>"), std::string::npos);
    EXPECT_NE(out.find("<span class=\"caption\">x&amp;y</span>"), std::string::npos);
}

TEST(EpubZip, MimetypeFirstStoredWithoutExtraThenDeflated)
{
    std::vector<BookFile> files = {{"mimetype", "application/epub+zip"}, {"OEBPS/a.xhtml", std::string(4000, 'a')}};
    std::string zip, error;
    ASSERT_TRUE(ZipEpub(files, 739957, zip, error)) << error;
    ASSERT_GT(zip.size(), 100u);
    EXPECT_EQ(Le32(zip, 0), 0x04034B50u);
    EXPECT_EQ(Le16(zip, 8), 0) << "stored";
    EXPECT_EQ(Le16(zip, 26), 8) << "name length";
    EXPECT_EQ(Le16(zip, 28), 0) << "no extra field";
    EXPECT_EQ(zip.substr(30, 28), "mimetypeapplication/epub+zip");
    size_t second = 58;
    EXPECT_EQ(Le32(zip, second), 0x04034B50u);
    EXPECT_EQ(Le16(zip, second + 8), 8) << "deflated";
    EXPECT_LT(Le32(zip, second + 18), 4000u) << "compressed size";
    // The same files on the same day give the same bytes.
    std::string again;
    ASSERT_TRUE(ZipEpub(files, 739957, again, error));
    EXPECT_EQ(zip, again);
}

// Dated the start of the first day, in the years zip dates reach, whatever
// the time zone: {month, day, year} and the DOS date expected.
TEST(EpubZip, DatedTheFirstDayWithinZipYears)
{
    std::vector<BookFile> files = {{"mimetype", "application/epub+zip"}};
    std::string zip, error;
    for (auto [m, d, y, dos] : {std::array{12, 8, 2026, 46 << 9 | 12 << 5 | 8}, {2, 29, 1976, 2 << 5 | 29},
                                {9, 1, 873, 9 << 5 | 1}, {2, 29, 2108, 127 << 9 | 3 << 5 | 1}}) {
        ASSERT_TRUE(ZipEpub(files, AbsoluteFromGregorian(m, d, y), zip, error)) << error;
        EXPECT_EQ(Le32(zip, 10), uint32_t(dos) << 16) << y << "-" << m << "-" << d << ": midnight of that date";
    }
}
