// The bookmark blob loader over arbitrary stored values, then adding and
// removing on the list it made and writing it back.
#include <cstdlib>
#include <cstring>
#include <vector>
#include "settings/bookmarks.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Taker in{data, size};
    uint16_t add = static_cast<uint16_t>(in.Take(2));
    uint16_t remove = static_cast<uint16_t>(in.Take(2));
    uint8_t* blob = CopyWithZeros(in.data, in.size, 0);
    BookmarkList list{};
    if (!InstallBookmarks(&list, blob, in.size)) abort();
    free(blob);
    // Every entry before the terminator is non-zero.
    for (uint16_t i = 0; i < list.count; ++i)
        if (!list.entries || list.entries[i] == 0) abort();
    if (list.entries && list.entries[list.count] != 0) abort();

    if (add && !ContainsBookmark(&list, add)) {
        if (!AddBookmark(&list, add) || !ContainsBookmark(&list, add)) abort();
    }
    RemoveBookmark(&list, remove);
    if (remove && ContainsBookmark(&list, remove)) abort();

    std::vector<uint8_t> out(BookmarkBlobSize(&list));
    if (out.size() < 2 || out.size() % 2) abort();
    WriteBookmarkBlob(&list, out.data());
    if (out[out.size() - 1] != 0 || out[out.size() - 2] != 0) abort();
    // What was written loads back as the same list.
    BookmarkList again{};
    if (!InstallBookmarks(&again, out.data(), out.size())) abort();
    if (again.count != list.count) abort();
    for (uint16_t i = 0; i < list.count; ++i)
        if (again.entries[i] != list.entries[i]) abort();
    FreeBookmarkList(&again);
    FreeBookmarkList(&list);
    return 0;
}
