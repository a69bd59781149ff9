// The bookmark list's registry side, the Bookmark command and its check mark.
#pragma once
#include <windows.h>
#include "base/menu_check_win.h"

void LoadBookmarks();
void SaveBookmarks();
// The one-chapter track's list, when it was stored or has entries.
void SaveOneChapterBookmarks();
void FreeBookmarks();
// 1 when the current lesson is in the list.
int IsBookmarked();
// Adds the current lesson, or after asking removes it.
void ToggleBookmark(int bookmarked);
// The Bookmark menu item's check <-> whether the current lesson is
// bookmarked. MENU_CHECK_TOGGLE is the Bookmark command: it adds the
// lesson, or after asking removes it, then shows what the list holds.
void SyncBookmarkCheck(HWND window, int mode);
