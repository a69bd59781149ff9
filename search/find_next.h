// Search Again: finds the stored pattern from the shown position onwards
// and moves the main view to the hit.
#pragma once
#include <windows.h>

// Gives 1 when a hit was found and shown, else 0; owner owns "Not Found!".
int FindNext(HWND owner);
