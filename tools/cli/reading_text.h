// A lesson as plain UTF-8 for a terminal: reading order, headings marked and
// centred, paragraphs with their number labels, lines wrapped to a width
// counted in characters. Portable; the companion's commands print it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

constexpr int READING_MIN_WIDTH = 20;
constexpr int READING_MAX_WIDTH = 1000;
constexpr int READING_DEFAULT_WIDTH = 80;

// One record of a lesson as a reader meets it, in reading order as UTF-8.
// Shared by the terminal layout and the HTML pages so both read the records
// alike.
struct ReadingRecord {
    uint8_t style = 0;
    uint8_t parameter = 0;
    bool rule = false;          // a horizontal rule (its parameter gives the length)
    bool heading = false;       // centred, without a label
    bool continuation = false;  // labelled level but no label: runs on under the previous text
    int level = 0;              // hanging-label level, 0 for none
    std::string label;          // a labelled paragraph's first word (its number)
    std::string body;           // the rest, trimmed
    const uint8_t* next = nullptr;  // null before the first record
};

// Reads the record at p into r (start with a fresh r for each text); gives
// the next record, or null at the zero that ends the records.
const uint8_t* NextReadingRecord(const uint8_t* p, ReadingRecord& r);

// Letter code stored in display order (date text, index captions) as UTF-8
// in reading order.
std::string ReadingUtf8(std::string_view displayOrder);

// Characters (code points) in UTF-8 text; continuation bytes do not count.
size_t CountChars(std::string_view utf8);

// Words of text (split at spaces) packed into lines of at most width
// characters. A word longer than a line stands alone on its own line rather
// than being cut.
std::vector<std::string> WrapWords(std::string_view text, int width);

// The whole lesson (its records up to the zero that ends them) laid out for
// reading at the given width (clamped to READING_MIN_WIDTH..READING_MAX_WIDTH).
std::string FormatLessonForReading(const uint8_t* text, int width);
