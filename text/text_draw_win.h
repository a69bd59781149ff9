// Measuring and drawing letter-code runs on a device context (Win32).
#pragma once
#include <windows.h>
#include <cstdint>

// width and count: limits on the way in, the characters that fit and their
// width on the way out. Always measures in stored order.
void MeasureFit(HDC dc, const uint8_t* bytes, int* width, int* count);

// Draws count characters in exactly their converted order, centred in the
// box (x, y, w, h) as DT_CENTER | DT_VCENTER | DT_SINGLELINE would, and
// returns what DrawTextW would.
int DrawCell(HDC dc, const uint8_t* bytes, int count, int x, int y, int w, int h);

// DrawCell in the given colours; the dc's colours are put back.
int DrawCellColored(HDC dc, const uint8_t* bytes, int count, int x, int y, int w, int h,
                    COLORREF text, COLORREF background);

// Marks that read without colour at any size, in a square of the given size
// with its top-left corner at (x, y): an empty box, a ticked box, or the
// tick alone (where a box would crowd it).
enum class TickMark { Box, TickedBox, Tick };
void DrawTickMark(HDC dc, int x, int y, int size, TickMark mark, COLORREF colour);
