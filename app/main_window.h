// The main window: its procedure, the command table, the toolbar and the
// two menu check marks.
#pragma once
#include <windows.h>

constexpr int MENU_CHECK_SET = 0;
constexpr int MENU_CHECK_TOGGLE = 1;

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Runs one menu, toolbar or accelerator command; false when it is not ours.
bool DispatchCommand(HWND window, int command);

// Sets (or in toggle mode flips) an item's check; 1 when it is now checked.
int SetMenuCheck(HMENU menu, int mode, UINT item, int checked);
// Reverse item <-> Flags bit 11.
void SyncReverseCheck(HWND window, int mode);
// Bookmark item <-> whether the current lesson is bookmarked.
void SyncBookmarkCheck(HWND window, int mode);

// Moves the main view by rows and keeps the scroll bar in step.
void ScrollMain(HWND window, int rows);
