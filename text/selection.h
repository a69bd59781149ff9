// A passage of a LessonText chosen by the reader. Positions are reading
// boundaries: within a record's text [start, end) a boundary p of stored
// order is p itself, or start + end - p when the record is stored
// last-first, so the boundaries run in reading order across the lesson and
// a passage is one range [first, last) of them. Portable.
#pragma once
#include <cstddef>
#include <cstdint>

struct RecordSpan {
    unsigned record;   // offset of the style byte
    unsigned start;    // the text's first byte
    unsigned end;      // its zero byte
    bool reversed;
};

// The record whose text holds offset (its zero byte included); false past the end.
bool RecordAt(const uint8_t* text, unsigned offset, RecordSpan* span);

// Stored boundary <-> reading boundary inside the record (the same map both ways).
unsigned ReadingBoundary(const RecordSpan& span, unsigned boundary);

// The stored bytes [lo, hi) of a record that fall inside the passage
// [first, last); false when none do.
bool StoredPart(const RecordSpan& span, unsigned first, unsigned last, unsigned* lo, unsigned* hi);

// The passage's text in reading order with the Unicode Hebrew letters, a
// line per record (rules left out): what a screen reader reads. Writes at
// most capacity - 1 units and a zero; returns the units the whole needs.
size_t PassageReadingText(const uint8_t* passage, char16_t* out, size_t capacity);
