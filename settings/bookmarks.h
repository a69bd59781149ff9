// Bookmarked lessons: a zero-ended array of lesson numbers in the order they
// were added, kept in the registry as the same array, little-endian.
#pragma once
#include <cstddef>
#include <cstdint>

struct BookmarkList {
    uint16_t count;
    uint16_t* entries;   // count + 1 entries, the last 0; may be null when empty
    bool dontAsk;        // the remove prompt was answered Cancel this run
};

extern BookmarkList g_bookmarks;
// The one-chapter track's bookmarks: its days' places in the cycle, 1..1017.
extern BookmarkList g_bookmarksOneChapter;

// Takes a stored value as the list. A value of odd size or without its zero
// entry keeps its whole entries and gets a terminator of its own; a zero
// entry ends the list. False only when memory ran out (the list is empty).
bool InstallBookmarks(BookmarkList* list, const uint8_t* bytes, size_t size);
// Bytes SaveBookmarks writes: (count + 1) * 2, never less than 2.
size_t BookmarkBlobSize(const BookmarkList* list);
void WriteBookmarkBlob(const BookmarkList* list, uint8_t* out);

bool ContainsBookmark(const BookmarkList* list, uint16_t lesson);
// False when the lesson is already there or memory ran out.
bool AddBookmark(BookmarkList* list, uint16_t lesson);
// Drops every entry equal to lesson; the array is not shrunk.
void RemoveBookmark(BookmarkList* list, uint16_t lesson);
void FreeBookmarkList(BookmarkList* list);

// The program's own lists: released at shutdown; the one of the shown track
// and the number it keeps for what is shown (lesson or portion); 1 when that
// is in it.
void FreeBookmarks();
BookmarkList* ActiveBookmarks();
uint16_t ShownBookmarkNumber();
int IsBookmarked();
