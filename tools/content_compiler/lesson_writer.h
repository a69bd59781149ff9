// One lesson of the cycle as LessonText: the two heading records the search
// banner reads, then for each chapter its heading and its numbered
// paragraphs, with a section's title and opening list where it begins.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/content_compiler/corpus_reader.h"

// Style bytes: 0x80 spacer row, 0x40 centred / 0x20 right-aligned, 0x10
// reversed storage, 0x08 bold, 0x04 large (0x0C blue), kind 7 a rule.
constexpr uint8_t STYLE_LESSON_TITLE = 0xDC;     // the sections the lesson reads
constexpr uint8_t STYLE_LESSON_CHAPTERS = 0xD1;  // which chapters, in words
constexpr uint8_t STYLE_SECTION_TITLE = 0xD4;    // a section starting inside the lesson
constexpr uint8_t STYLE_CHAPTER_HEADING = 0xD8;
constexpr uint8_t STYLE_SUBHEADING = 0xB8;       // short lines of the introductory prose
constexpr uint8_t STYLE_PARAGRAPH = 0xB0;
constexpr uint8_t STYLE_RULE = 0xC7;
constexpr uint8_t RULE_LENGTH = 170;             // (170 - 160) x 2 = 20% of the width
// Label level 3: the hanging area is two of the font's widest characters,
// room for a three-letter numeral such as 365.
constexpr uint8_t PARAM_LABELLED = 3 << 6;

constexpr size_t LESSON_SIZE_LIMIT = 0xFFFF;     // every offset in a lesson is 16-bit

// An item of an enumerated list: its mark as printed (e.g. "א)") and its text.
struct ListItem {
    std::string label, text;
};

// Splits a line that runs "lead: א) first. ב) second. ..." into its lead
// (possibly empty) and its items; marks must come in order from א). Without
// such marks the whole line is the lead.
std::vector<ListItem> SplitEnumeration(const std::string& line, std::string* lead);

// The enumeration mark a list line starts with ("יא)" or "יא."), taken off
// the line; false when the line has none.
bool SplitLeadingMark(const std::string& line, std::string* label, std::string* rest);

// Heading texts in reading order: the titles of the lesson's sections joined
// by " - ", and its chapters ("פרק א - פרק ג, פרק א").
std::string LessonTitleText(const Corpus& corpus, const LessonPlan& plan);
std::string LessonChaptersText(const Corpus& corpus, const LessonPlan& plan);

// The lesson's records and the closing zero byte.
std::vector<uint8_t> BuildLesson(const Corpus& corpus, const LessonPlan& plan);

// The chapters of a plan grouped by section, in order.
struct SectionSpan {
    int section, firstChapter, lastChapter;
};
std::vector<SectionSpan> GroupBySection(const LessonPlan& plan);

// The title a book gives a section ("יסודי התורה" for "הלכות יסודי התורה").
std::string ShortTitle(const std::string& title);

// The book that holds a section.
const Book& BookOf(const Corpus& corpus, int section);
