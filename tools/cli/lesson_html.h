// A day and its lesson as right-to-left XHTML: one markup for the EPUB's
// chapters and for the --html pages. Portable.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// What the title of a day shows, as UTF-8 in reading order.
struct DayLine {
    int32_t day = 0;
    int lesson = 0;
    int portion = 0;        // the one-chapter track's day, 0 on the three-chapter track
    std::string gregorian;  // YYYY-MM-DD
    std::string hebrew;     // the date band's text
    std::string month;      // its month and year, without the day
    std::string caption;    // the lesson's entry in the table of contents
};

// index (the table of contents as stored) may be null: no caption then.
DayLine DescribeDay(int32_t day, const uint8_t* index);

// For the one-chapter track: the portion and, as its caption, the section
// and chapter its text's headings name.
void NamePortion(DayLine& line, int portion, const uint8_t* portionText);

// The three parts of the day's title on one line of plain text.
std::string DayTitle(const DayLine& line);

// Appends text escaped for XML; characters XML cannot carry are dropped.
void AppendEscaped(std::string& out, std::string_view utf8);

// The lesson's records as body markup: headings, paragraphs with their
// numbers, rules.
void AppendLessonMarkup(std::string& out, const uint8_t* text);

// The day's title as the page's first heading.
void AppendDayHeading(std::string& out, const DayLine& line);

// A page's start up to <body>: with a stylesheet file name it links it (the
// book), without one it carries the stylesheet inside (a page on its own).
// lang "he" pages run right to left.
void AppendPageStart(std::string& out, std::string_view title, const char* stylesheet, const char* lang = "he");
void AppendPageEnd(std::string& out);

// The day's heading, then the lesson, as a whole page.
std::string DayPage(const DayLine& line, const uint8_t* lesson, const char* stylesheet);

// The stylesheet both kinds of page use.
extern const char LESSON_STYLESHEET[];
