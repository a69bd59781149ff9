// The bookmark list's registry side and the Bookmark command.
#pragma once

void LoadBookmarks();
void SaveBookmarks();
// The one-chapter track's list, when it was stored or has entries.
void SaveOneChapterBookmarks();
void FreeBookmarks();
// 1 when the current lesson is in the list.
int IsBookmarked();
// Adds the current lesson, or after asking removes it.
void ToggleBookmark(int bookmarked);
