// The table of contents behind INDEX_LESSON: the introduction and the books,
// their sections, and under each section the lessons that start in it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "index/index_text.h"
#include "tools/content_compiler/corpus_reader.h"

// The reader's own key and flag bits, under the compiler's shorter names.
constexpr uint16_t KEY_BRANCH = INDEX_KEY_BRANCH;
constexpr uint16_t KEY_LINK = INDEX_KEY_LINK;
// Branch numbers stay clear of the lesson numbers 1..339 and of the
// bookmarks heading (0x8877, number 2167).
constexpr uint16_t BOOK_KEY_BASE = 1000;
constexpr uint16_t SECTION_KEY_BASE = 2000;

constexpr uint8_t FLAG_VISIBLE = INDEX_FLAG_VISIBLE;
constexpr uint8_t ENTRY_STYLE_BOOK = 0x0C;     // bold, larger
constexpr uint8_t ENTRY_STYLE_SECTION = 0x08;  // bold
constexpr uint8_t ENTRY_STYLE_LESSON = 0x01;   // plain; keeps the flags byte nonzero when hidden

// A lesson entry's caption in reading order, meaningful on its own (the
// bookmarks branch copies it): "יסודי התורה א-ג", "ברכות י-יא, מילה א".
std::string LessonCaption(const Corpus& corpus, const LessonPlan& plan);

// Index records (key little-endian, flags, level, caption in display
// order, zero) and the five zero bytes that end them.
std::vector<uint8_t> BuildIndexText(const Corpus& corpus);
