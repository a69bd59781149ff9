// Sizes given in pixels for a 96-DPI screen, grown to the system DPI. The
// program is system-DPI aware, so Windows scales nothing for it: fonts given
// in pixels, images, lines and the picture's keys are scaled here.
#pragma once
#include <windows.h>

constexpr int BASE_DPI = 96;

// The screen's vertical resolution (LOGPIXELSY), read once at start-up.
int ReadSystemDpi();
// MulDiv(pixels, system DPI, 96): exactly pixels at 96 DPI.
int ScaleToDpi(int pixels);

// Bitmap resource id drawn width x height pixels: the artwork of that size
// when there is one (id at 1x, id + ART_2X, id + ART_3X), else the largest
// scaled down smoothly. mapped: the toolbar's colour mapping (grey becomes
// the button face). Null when the resource is missing.
HBITMAP LoadScaledBitmap(HINSTANCE instance, int id, int width, int height, bool mapped);
// A bitmap of any size drawn into a box, smoothly when the sizes differ.
void DrawScaledBitmap(HDC dc, HBITMAP bitmap, int x, int y, int width, int height);
