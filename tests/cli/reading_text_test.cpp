// The terminal reading layout: wrapping by characters, headings, labels,
// rules, and every real lesson within its width.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "content/lesson_store.h"
#include "tools/cli/reading_text.h"

namespace {

// Records from (style, parameter, letter-code text) triples.
std::string Records(std::initializer_list<std::tuple<uint8_t, uint8_t, std::string>> records)
{
    std::string bytes;
    for (const auto& [style, parameter, text] : records) {
        bytes += char(style);
        bytes += char(parameter);
        bytes += text;
        bytes += '\0';
    }
    return bytes + '\0';
}

std::string Format(const std::string& records, int width)
{
    return FormatLessonForReading(reinterpret_cast<const uint8_t*>(records.data()), width);
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::vector<std::string> Words(const std::string& text)
{
    std::vector<std::string> words;
    std::istringstream in(text);
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

}  // namespace

TEST(ReadingText, WrapsByCharactersNotBytes)
{
    // Twelve Hebrew words of three letters: 6 bytes each, 3 characters.
    std::string text;
    for (int i = 0; i < 12; ++i) text += std::string(i ? " " : "") + "\xD7\x90\xD7\x91\xD7\x92";
    EXPECT_EQ(CountChars("\xD7\x90\xD7\x91\xD7\x92"), 3u);
    std::vector<std::string> lines = WrapWords(text, 23);
    ASSERT_EQ(lines.size(), 2u);  // six words and their five spaces fill 23 characters exactly
    EXPECT_EQ(CountChars(lines[0]), 23u);
    EXPECT_EQ(Words(lines[0]).size() + Words(lines[1]).size(), 12u);
}

TEST(ReadingText, NeverSplitsAWord)
{
    EXPECT_EQ(WrapWords("  alpha   beta  ", 80), std::vector<std::string>{"alpha beta"});
    EXPECT_EQ(WrapWords("a verylongwordthatdoesnotfit b", 8),
              (std::vector<std::string>{"a", "verylongwordthatdoesnotfit", "b"}));
    EXPECT_TRUE(WrapWords("   ", 10).empty());
    EXPECT_EQ(WrapWords("x y", 0), (std::vector<std::string>{"x", "y"}));
}

TEST(ReadingText, HeadingsAreMarkedCentredAndInReadingOrder)
{
    // Reversed storage: "cba" is stored for the reading order "abc" (letters U+05D0..).
    std::string out = Format(Records({{0xDC, 0, "cba"}, {0xD1, 0, "ed"}}), 30);
    std::vector<std::string> lines = Lines(out);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], std::string(10, ' ') + "== \xD7\x90\xD7\x91\xD7\x92 ==");
    EXPECT_EQ(lines[1], "");  // the spacer row
    EXPECT_EQ(lines[2], std::string(11, ' ') + "== \xD7\x93\xD7\x94 ==");
}

TEST(ReadingText, LabelledParagraphsHangTheirText)
{
    // Label "a" (one letter), then a continuation paragraph without a label
    // that runs under the previous text.
    std::string body = "bb bb bb bb bb bb bb bb bb bb";
    std::string reversed(body.rbegin(), body.rend());
    std::string out = Format(Records({{0xB0, 0xC0, reversed + " a"}, {0xB0, 0xC0, " " + reversed}}), 20);
    std::vector<std::string> lines = Lines(out);
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0].substr(0, 7), "\xD7\x90   \xD7\x91");  // label, padded to the hang of level 3
    EXPECT_EQ(lines[1].substr(0, 5), "    \xD7");
    size_t blank = 0;
    while (!lines[blank].empty()) ++blank;
    EXPECT_EQ(lines[blank + 1].substr(0, 5), "    \xD7") << "the continuation has no label";
    for (const std::string& line : lines) EXPECT_LE(CountChars(line), 20u) << line;
}

TEST(ReadingText, RulesAndPlainParagraphs)
{
    // 0xAA: 20 percent of the width; 0: no line at all; 40 pixels: the whole width.
    std::string out = Format(Records({{0xC7, 0xAA, ""}, {0x07, 0, ""}, {0x07, 40, ""}, {0x20, 0, "1 2"}}), 50);
    EXPECT_EQ(out, std::string(20, ' ') + std::string(10, '-') + "\n\n" + std::string(50, '-') + "\n1 2\n");
    // Width below the least is raised to it rather than wrapping every word.
    EXPECT_EQ(Format(Records({{0x20, 0, "aa bb"}}), 3), "\xD7\x90\xD7\x90 \xD7\x91\xD7\x91\n");
}

TEST(ReadingText, EveryLessonKeepsItsWordsWithinTheWidth)
{
    uint8_t* probe = LoadLesson(1, nullptr);
    if (!probe) GTEST_SKIP() << "no lesson containers in this build";
    std::free(probe);
    for (int lesson = 1; lesson <= 339; ++lesson) {
        uint8_t* text = LoadLesson(lesson, nullptr);
        ASSERT_NE(text, nullptr) << lesson;
        for (int width : {20, 43, 80}) {
            if (width != 80 && lesson % 23 != 1) continue;  // other widths on a sample
            std::string out = FormatLessonForReading(text, width);
            ASSERT_FALSE(out.empty()) << lesson;
            EXPECT_NE(out.find(" =="), std::string::npos) << "lesson " << lesson << " has a heading";
            for (const std::string& line : Lines(out)) {
                if (CountChars(line) <= size_t(width)) continue;
                // Only a word too long for any line may stick out, alone
                // (after its label, or between heading marks).
                size_t words = 0;
                for (const std::string& word : Words(line)) words += word != "==";
                EXPECT_LE(words, 2u) << "lesson " << lesson << " width " << width << ": " << line;
            }
        }
        std::free(text);
    }
}
