// Zooming the main view: the keys, Ctrl with the wheel, and the way back to
// the size last chosen in the Font dialog (registry value FontSizeChosen).
#pragma once
#include <windows.h>

constexpr wchar_t CHOSEN_SIZE_VALUE[] = L"FontSizeChosen";

// direction > 0 larger, < 0 smaller, 0 the Font dialog's size. The size is
// the stored FontSize; the line at the top of the page stays at the top.
void ZoomMain(HWND window, int direction);

// Ctrl with the wheel: a step per notch, fine wheels adding up to notches.
void ZoomByWheel(HWND window, int delta);

// The Font dialog was accepted: its size is the one Ctrl+0 returns to.
void NoteChosenFontSize();
