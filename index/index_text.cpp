#include "index/index_text.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>
#include "calendar/portion_text.h"
#include "content/lesson_store.h"
#include "settings/bookmarks.h"
#include "text/letter_code.h"
#include "text/text_format.h"

namespace {

// "סימן" in the letter code, display order.
constexpr uint8_t BOOKMARK_CAPTION[] = {0x70, 0x6F, 0x6A, 0x72};
constexpr uint8_t BOOKMARK_HEADING_FLAGS = 0xC1;   // visible, open, style 1
constexpr uint8_t BOOKMARK_ENTRY_FLAGS = 0x81;     // visible, style 1

size_t RecordSize(const IndexRecord& r)
{
    return 4 + r.length + 1;
}

// Bytes of all records up to the one that ends the text.
size_t RecordsSize(const uint8_t* index)
{
    if (!index) return 0;
    const uint8_t* p = index;
    IndexRecord r;
    while (const uint8_t* next = ReadIndexRecord(p, &r)) p = next;
    return static_cast<size_t>(p - index);
}

uint8_t* PutRecord(uint8_t* out, uint16_t key, uint8_t flags, uint8_t level, const uint8_t* caption,
                   size_t length)
{
    *out++ = static_cast<uint8_t>(key);
    *out++ = static_cast<uint8_t>(key >> 8);
    *out++ = flags;
    *out++ = level;
    std::memcpy(out, caption, length);
    out += length;
    *out++ = 0;
    return out;
}

}  // namespace

const uint8_t* ReadIndexRecord(const uint8_t* p, IndexRecord* record)
{
    if (!p[2]) return nullptr;
    record->key = static_cast<uint16_t>(p[0] | p[1] << 8);
    record->flags = p[2];
    record->level = p[3];
    record->caption = p + 4;
    record->length = std::strlen(reinterpret_cast<const char*>(p + 4));
    return p + RecordSize(*record);
}

bool FindLessonRecord(const uint8_t* index, uint16_t lesson, IndexRecord* found)
{
    if (!index) return false;
    uint16_t key = static_cast<uint16_t>(lesson | INDEX_KEY_LINK);
    IndexRecord r;
    for (const uint8_t* p = index; (p = ReadIndexRecord(p, &r));)
        if (r.key == key) {
            *found = r;
            return true;
        }
    return false;
}

namespace {

// A bookmarked day of the one-chapter track, captioned by its headings.
std::string PortionCaption(int portion)
{
    uint8_t* text = LoadPortion(portion, nullptr);
    if (!text) return {};
    std::string reading;
    const uint8_t* p = text;
    for (int i = 0; i < 2 && *p; ++i) {
        std::string part(reinterpret_cast<const char*>(p + 2));
        if (*p & STYLE_REVERSED) FlipReadingOrder(part);
        reading += (i ? ", " : "") + part;
        p += 2 + std::strlen(reinterpret_cast<const char*>(p + 2)) + 1;
    }
    std::free(text);
    FlipReadingOrder(reading);
    return reading;
}

// The branch's heading and an entry for every bookmark entry() can name
// (an IndexRecord's key and caption), ahead of a copy of the index.
template <class Entry>
uint8_t* WithBookmarkBranch(const uint8_t* index, const BookmarkList* bookmarks, Entry entry)
{
    size_t size = 4 + sizeof BOOKMARK_CAPTION + 1;
    IndexRecord r;
    for (uint16_t i = 0; i < bookmarks->count; ++i)
        if (entry(i, &r)) size += RecordSize(r);
    size_t records = RecordsSize(index);
    size += records + LESSON_TEXT_PADDING;

    auto* text = static_cast<uint8_t*>(std::malloc(size));
    if (!text) return nullptr;
    uint8_t* out = PutRecord(text, BOOKMARK_BRANCH_KEY, BOOKMARK_HEADING_FLAGS, 1, BOOKMARK_CAPTION,
                             sizeof BOOKMARK_CAPTION);
    for (uint16_t i = 0; i < bookmarks->count; ++i)
        if (entry(i, &r)) out = PutRecord(out, r.key, BOOKMARK_ENTRY_FLAGS, 2, r.caption, r.length);
    if (records) std::memcpy(out, index, records);
    std::memset(out + records, 0, LESSON_TEXT_PADDING);
    return text;
}

}  // namespace

uint8_t* AddPortionBookmarkBranch(const uint8_t* index, const BookmarkList* bookmarks)
{
    std::vector<std::string> captions;
    for (uint16_t i = 0; i < bookmarks->count; ++i) captions.push_back(PortionCaption(bookmarks->entries[i]));
    return WithBookmarkBranch(index, bookmarks, [&](uint16_t i, IndexRecord* r) {
        if (captions[i].empty()) return false;
        r->key = uint16_t(INDEX_KEY_LINK | (INDEX_PORTION_BASE + bookmarks->entries[i]));
        r->caption = reinterpret_cast<const uint8_t*>(captions[i].data());
        r->length = captions[i].size();
        return true;
    });
}

uint8_t* AddBookmarkBranch(const uint8_t* index, const BookmarkList* bookmarks)
{
    return WithBookmarkBranch(index, bookmarks, [&](uint16_t i, IndexRecord* r) {
        return FindLessonRecord(index, bookmarks->entries[i], r);
    });
}

uint8_t* BuildIndexText()
{
    uint8_t* index = LoadLesson(INDEX_LESSON, nullptr);
    const BookmarkList* bookmarks = ActiveBookmarks();
    if (!bookmarks->entries || !bookmarks->count) return index;
    uint8_t* text = bookmarks == &g_bookmarksOneChapter ? AddPortionBookmarkBranch(index, bookmarks)
                                                        : AddBookmarkBranch(index, bookmarks);
    if (!text) return index;
    std::free(index);
    return text;
}
