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

}  // namespace

void LoadBookmarks()
{
    uint32_t size = 0;
    uint8_t* bytes = ReadBytes(L"Bookmarks", nullptr, &size);
    // A list that could not be taken in is not written back over the stored one.
    g_state.bookmarksLoaded = InstallBookmarks(&g_bookmarks, bytes, bytes ? size : 0);
    std::free(bytes);
    g_bookmarks.dontAsk = false;   // a new run asks again
}

void SaveBookmarks()
{
    size_t size = BookmarkBlobSize(&g_bookmarks);
    uint8_t local[BLOB_ON_STACK];
    uint8_t* blob = size <= sizeof local ? local : static_cast<uint8_t*>(std::malloc(size));
    if (!blob) return;
    WriteBookmarkBlob(&g_bookmarks, blob);
    WriteBytes(L"Bookmarks", blob, static_cast<uint32_t>(size));
    if (blob != local) std::free(blob);
}

void ToggleBookmark(int bookmarked)
{
    uint16_t lesson = g_settings.Lesson;
    if (!bookmarked) {
        AddBookmark(&g_bookmarks, lesson);
        return;
    }
    if (!g_bookmarks.dontAsk) {
        int answer = MessageBoxW(g_state.mainWindow, L"Remove Bookmark?\n\nCancel - Don't ask again", L"Bookmark",
                                 MB_YESNOCANCEL);
        if (answer == IDNO) return;
        if (answer == IDCANCEL) g_bookmarks.dontAsk = true;
    }
    RemoveBookmark(&g_bookmarks, lesson);
}

void SyncBookmarkCheck(HWND window, int mode)
{
    if (mode == MENU_CHECK_TOGGLE)
        ToggleBookmark(IsBookmarked());
    SetMenuCheck(GetMenu(window), MENU_CHECK_SET, IDM_BOOKMARK, IsBookmarked());
}
