// A one-chapter day's text: the chapter blocks of one or two lessons under
// headings that name their section and chapter, as a LessonText of its own.
// Portable.
#pragma once
#include <cstddef>
#include <cstdint>

constexpr int MAX_LESSON_BLOCKS = 8;

// A place between two characters of a lesson text: at the start of the
// record at `record`, or `split` letters into its text in reading order.
struct TextCut {
    uint16_t record;
    uint16_t split;
};

// A chapter block: from its first record up to (not including) the rule
// that ends it or the end of the records.
struct BlockSpan {
    TextCut from;
    TextCut to;
};

// The chapter blocks of a lesson text in order; the lesson's own two title
// records and the rules between blocks belong to none. Gives the count, or
// -1 when the text does not have the shape of a compiled lesson.
int FindLessonBlocks(int lesson, const uint8_t* text, BlockSpan* blocks, int capacity);

// Where a portion's text came from, so a place found in a lesson can be
// shown in the portion.
struct PortionPiece {
    int lesson;
    uint16_t from, to;  // records of the lesson copied whole
    uint16_t at;        // where the first of them starts in the portion
};
struct PortionLayout {
    int count;
    PortionPiece pieces[MAX_LESSON_BLOCKS];
};

// The portion's text (malloc'ed, free with free()), or null with the lesson
// store's reason (or LOAD_BAD_RECORD for a lesson of the wrong shape).
uint8_t* LoadPortion(int portion, int32_t* reason, PortionLayout* layout = nullptr);

// The same from lesson texts the caller loaded: first holds the portion's
// first block, second (may be null when the portion lies in one lesson) the
// lesson after it.
uint8_t* BuildPortionText(int portion, const uint8_t* first, const uint8_t* second, PortionLayout* layout);

// The portion of the cycle whose text holds offset of the lesson's text
// (title records count to the first block, a rule to the block before it),
// or 0 when the text has the wrong shape.
int PortionOfLessonOffset(int lesson, const uint8_t* text, uint16_t offset);

// The offset in the portion's text of offset in the lesson's, or -1 when the
// portion does not hold it whole (a title record, a rule between blocks).
int PortionOffsetOf(const PortionLayout& layout, int lesson, uint16_t offset);
