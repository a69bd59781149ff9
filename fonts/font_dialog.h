// The font dialog (resource 105): face, size and letter base.
#pragma once
#include <windows.h>

struct Settings;

// Edits the settings' font block in place; gives the dialog's end code
// (IDOK when the reader accepted).
INT_PTR RunFontDialog(HWND owner, Settings* settings);

INT_PTR CALLBACK FontDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
