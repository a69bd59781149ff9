// The table of contents as stored: index records and the bookmarks branch
// put in front of them. Portable.
#pragma once
#include <cstddef>
#include <cstdint>

struct BookmarkList;

constexpr uint16_t INDEX_KEY_BRANCH = 0x8000;   // has children, opens and closes
constexpr uint16_t INDEX_KEY_LINK = 0x4000;     // leads to a lesson
constexpr uint16_t INDEX_KEY_LESSON = 0x3FFF;
constexpr uint8_t INDEX_FLAG_VISIBLE = 0x80;
constexpr uint8_t INDEX_FLAG_OPEN = 0x40;
constexpr uint8_t INDEX_FLAG_STYLE = 0x1F;
constexpr uint16_t BOOKMARK_BRANCH_KEY = 0x8877;

struct IndexRecord {
    uint16_t key;
    uint8_t flags;
    uint8_t level;
    const uint8_t* caption;   // display order, zero-ended
    size_t length;
};

// Reads the record at p. Returns the next record, or nullptr at the record
// with flags 0 that ends the text (record then untouched).
const uint8_t* ReadIndexRecord(const uint8_t* p, IndexRecord* record);

// The first record that leads to lesson (its key exactly the lesson with the
// link bit); false when the index has none.
bool FindLessonRecord(const uint8_t* index, uint16_t lesson, IndexRecord* found);

// A new text: the bookmarks branch, the records of index (may be null) and
// five zero bytes. Null without memory.
uint8_t* AddBookmarkBranch(const uint8_t* index, const BookmarkList* bookmarks);
// Keys of the one-chapter track's bookmarks: the link bit and this plus the
// portion, above every lesson.
constexpr uint16_t INDEX_PORTION_BASE = 0x1000;
// The same branch for the one-chapter track's bookmarks (portions).
uint8_t* AddPortionBookmarkBranch(const uint8_t* index, const BookmarkList* bookmarks);
// The index resource with the shown track's bookmarks in front when there are any; null
// when there is neither.
uint8_t* BuildIndexText();
