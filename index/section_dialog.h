// The section chooser (resource 118): the table of contents with bookmarks.
#pragma once
#include <windows.h>

struct Settings;

// Gives the chosen lesson, the current one when closed with Enter, 0 on cancel.
int ChooseSection(HINSTANCE instance, HWND owner, int lesson, Settings* settings);

INT_PTR CALLBACK SectionDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
struct IndexView;
// The open chooser's tree (null when it is closed), for tests.
const IndexView* OpenSectionView();
