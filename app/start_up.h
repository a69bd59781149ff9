// Start-up: the single-instance check, the main window's creation and the
// message loop.
#pragma once
#include <windows.h>
#include <cstdint>

#define MAIN_CLASS_NAME L"Quorin-3-Chapter-Hebrew"
#define MAIN_WINDOW_TITLE L"Quorin"

// The text-area margin from the vendor key: 10 when missing, and when the
// stored number is negative or too large to leave any text area.
int32_t ReadGutter();

// Gives the new main window, or none when this process must end (another
// instance runs, or the window could not be made).
HWND StartInstance(int showCmd);

// Window and extended styles chosen by the scroll bar bits of flags.
DWORD MainWindowStyle(uint32_t flags);
DWORD MainWindowExStyle(uint32_t flags);

// Runs until the quit message; gives its wParam.
int RunMessageLoop();
