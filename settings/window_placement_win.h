// The main window's placement in the registry ("Top", "Left", "Width",
// "Height", "showCmd"), brought back onto a screen that may have changed.
#pragma once
#include <windows.h>

// The stored window rectangle as left, top, width and height (right and
// bottom holding the sizes), moved onto the nearest monitor's work area
// when its caption could not be reached there; false when none is stored.
bool StoredPlacement(RECT* placed);
// Places and shows the window as stored, or as showCmd when nothing is.
void RestorePlacement(HWND window, int showCmd);
void SavePlacement(HWND window);

// placed (left, top, width, height) made to fit the work area: no larger,
// and wholly inside it unless at least grip pixels of its top edge lie
// inside with the top on it.
RECT KeepOnScreen(const RECT& placed, const RECT& work, int grip);
