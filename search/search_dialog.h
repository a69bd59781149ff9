// The search dialog (resource 115) with Hebrew keyboard entry.
#pragma once
#include <windows.h>

// Opens the dialog modally over owner.
void RunSearchDialog(HWND owner);

// The dialog procedure, and the edit box's key handling it installs.
INT_PTR CALLBACK SearchDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// 0 when it inserted the typed key's character itself, 1 when the edit box
// should take the key.
int TranslateKeyChar(HWND edit, char16_t typed);
// Inserts the character of picture key 0..27 (0 the space bar).
void InsertPictureKey(HWND dialog, int key);
// 1 when the click at client x, y is on no key, 0 when a key went in.
int HitTestKeyboardPicture(HWND dialog, int x, int y);
