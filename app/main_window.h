// The main window: its procedure, the command table, the toolbar and the
// Reverse check mark.
#pragma once
#include <windows.h>
#include "base/menu_check_win.h"

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Runs one menu, toolbar or accelerator command; false when it is not ours.
bool DispatchCommand(HWND window, int command);

// Reverse item <-> Flags bit 11.
void SyncReverseCheck(HWND window, int mode);

// Moves the main view by rows and keeps the scroll bar in step.
void ScrollMain(HWND window, int rows);
