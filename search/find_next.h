// Search Again: finds the stored pattern from the shown position onwards
// and moves the main view to the hit.
#pragma once
#include <windows.h>

// Gives 1 when a hit was found and shown, else 0; owner owns "Not Found!".
int FindNext(HWND owner);

struct TextView;

// Red, white and blue rings round the lesson's headings on yellow, drawn
// over the page until it is next painted.
void DrawHitBanner(TextView* view);
// count nested one-pixel rectangles, box shrinking by one each time.
void DrawFrameRings(HDC dc, RECT* box, COLORREF colour, int count);
