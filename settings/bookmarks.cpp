#include "settings/bookmarks.h"

#include <cstdlib>
#include "settings/settings.h"

BookmarkList g_bookmarks;
BookmarkList g_bookmarksOneChapter;

bool InstallBookmarks(BookmarkList* list, const uint8_t* bytes, size_t size)
{
    FreeBookmarkList(list);
    size_t whole = bytes ? size / 2 : 0;
    size_t count = 0;
    while (count < whole && (bytes[2 * count] | bytes[2 * count + 1])) ++count;
    if (count > 0xFFFF) count = 0xFFFF;
    if (!whole) return true;
    auto* entries = static_cast<uint16_t*>(std::malloc((count + 1) * sizeof(uint16_t)));
    if (!entries) return false;
    for (size_t i = 0; i < count; ++i)
        entries[i] = static_cast<uint16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
    entries[count] = 0;
    list->entries = entries;
    list->count = static_cast<uint16_t>(count);
    return true;
}

size_t BookmarkBlobSize(const BookmarkList* list)
{
    return list->entries ? (list->count + 1u) * 2u : 2u;
}

void WriteBookmarkBlob(const BookmarkList* list, uint8_t* out)
{
    size_t n = list->entries ? list->count : 0;
    for (size_t i = 0; i < n; ++i) {
        out[2 * i] = static_cast<uint8_t>(list->entries[i]);
        out[2 * i + 1] = static_cast<uint8_t>(list->entries[i] >> 8);
    }
    out[2 * n] = 0;
    out[2 * n + 1] = 0;
}

bool ContainsBookmark(const BookmarkList* list, uint16_t lesson)
{
    if (!list->entries) return false;
    for (const uint16_t* e = list->entries; *e; ++e)
        if (*e == lesson) return true;
    return false;
}

bool AddBookmark(BookmarkList* list, uint16_t lesson)
{
    if (!lesson || list->count == 0xFFFF || ContainsBookmark(list, lesson)) return false;
    auto* entries = static_cast<uint16_t*>(std::malloc((list->count + 2u) * sizeof(uint16_t)));
    if (!entries) return false;
    for (unsigned i = 0; i < list->count; ++i) entries[i] = list->entries[i];
    std::free(list->entries);
    entries[list->count] = lesson;
    entries[list->count + 1] = 0;
    list->entries = entries;
    list->count++;
    return true;
}

void RemoveBookmark(BookmarkList* list, uint16_t lesson)
{
    if (!list->entries) return;
    unsigned kept = 0;
    for (unsigned i = 0; i < list->count; ++i)
        if (list->entries[i] != lesson) list->entries[kept++] = list->entries[i];
    list->count = static_cast<uint16_t>(kept);
    list->entries[kept] = 0;
}

void FreeBookmarkList(BookmarkList* list)
{
    std::free(list->entries);
    list->entries = nullptr;
    list->count = 0;
}

void FreeBookmarks()
{
    FreeBookmarkList(&g_bookmarks);
    FreeBookmarkList(&g_bookmarksOneChapter);
}

BookmarkList* ActiveBookmarks()
{
    return OnTrackOne() ? &g_bookmarksOneChapter : &g_bookmarks;
}

uint16_t ShownBookmarkNumber()
{
    return OnTrackOne() ? g_settings.Portion : g_settings.Lesson;
}

int IsBookmarked()
{
    return ContainsBookmark(ActiveBookmarks(), ShownBookmarkNumber()) ? 1 : 0;
}
