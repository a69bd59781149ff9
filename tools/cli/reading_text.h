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

// Characters (code points) in UTF-8 text; continuation bytes do not count.
size_t CountChars(std::string_view utf8);

// Words of text (split at spaces) packed into lines of at most width
// characters. A word longer than a line stands alone on its own line rather
// than being cut.
std::vector<std::string> WrapWords(std::string_view text, int width);

// The whole lesson (its records up to the zero that ends them) laid out for
// reading at the given width (clamped to READING_MIN_WIDTH..READING_MAX_WIDTH).
std::string FormatLessonForReading(const uint8_t* text, int width);
