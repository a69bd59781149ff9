// The bookmark list's registry value and the Bookmark command's prompt.
#include "settings/bookmarks_win.h"

#include <cstdlib>
#include "base/globals.h"
#include "base/menu_check_win.h"
#include "resources/resource.h"
#include "settings/bookmarks.h"
#include "settings/settings.h"
#include "settings/settings_store_win.h"

namespace {

constexpr uint32_t BLOB_ON_STACK = 2 * 400;
// The one-chapter track's list sits beside "Bookmarks", which keeps its meaning.
constexpr wchar_t ONE_CHAPTER_VALUE[] = L"Bookmarks1";

// The one-chapter list is written only once it exists, so a reader who never
// uses that track gets no new value.
bool s_oneChapterLoaded;
bool s_oneChapterStored;

bool LoadList(const wchar_t* name, BookmarkList* list, bool* stored)
{
    uint32_t size = 0;
    uint8_t* bytes = ReadBytes(name, nullptr, &size);
    if (stored) *stored = bytes != nullptr;
    bool loaded = InstallBookmarks(list, bytes, bytes ? size : 0);
    std::free(bytes);
    return loaded;
}

void SaveList(const wchar_t* name, const BookmarkList* list)
{
    size_t size = BookmarkBlobSize(list);
    uint8_t local[BLOB_ON_STACK];
    uint8_t* blob = size <= sizeof local ? local : static_cast<uint8_t*>(std::malloc(size));
    if (!blob) return;
    WriteBookmarkBlob(list, blob);
    WriteBytes(name, blob, static_cast<uint32_t>(size));
    if (blob != local) std::free(blob);
}

}  // namespace

void LoadBookmarks()
{
    // A list that could not be taken in is not written back over the stored one.
    g_state.bookmarksLoaded = LoadList(L"Bookmarks", &g_bookmarks, nullptr);
    s_oneChapterLoaded = LoadList(ONE_CHAPTER_VALUE, &g_bookmarksOneChapter, &s_oneChapterStored);
    g_bookmarks.dontAsk = false;   // a new run asks again
}

void SaveBookmarks()
{
    SaveList(L"Bookmarks", &g_bookmarks);
}

void SaveOneChapterBookmarks()
{
    if (s_oneChapterLoaded && (s_oneChapterStored || g_bookmarksOneChapter.count))
        SaveList(ONE_CHAPTER_VALUE, &g_bookmarksOneChapter);
}

void ToggleBookmark(int bookmarked)
{
    BookmarkList* list = ActiveBookmarks();
    uint16_t lesson = ShownBookmarkNumber();
    if (!bookmarked) {
        AddBookmark(list, lesson);
        return;
    }
    if (!g_bookmarks.dontAsk) {
        int answer = MessageBoxW(g_state.mainWindow, L"Remove Bookmark?\n\nCancel - Don't ask again", L"Bookmark",
                                 MB_YESNOCANCEL);
        if (answer == IDNO) return;
        if (answer == IDCANCEL) g_bookmarks.dontAsk = true;
    }
    RemoveBookmark(list, lesson);
}

void SyncBookmarkCheck(HWND window, int mode)
{
    if (mode == MENU_CHECK_TOGGLE)
        ToggleBookmark(IsBookmarked());
    SetMenuCheck(GetMenu(window), MENU_CHECK_SET, IDM_BOOKMARK, IsBookmarked());
}
