// The colour set the reader draws with: the stored choice (registry value
// Colours), or the system's colours while High Contrast is on. Print views
// always get Paper, so printing stays black on white.
#pragma once
#include <windows.h>
#include "text/colours.h"

struct TextView;

constexpr wchar_t COLOURS_VALUE[] = L"Colours";

// The reader's own windows: the main view, its band, the banner and the dialogs.
const ColourSet& ReaderColours();
// A view's set: the reader's for the main view, Paper for any other.
const ColourSet& ViewColours(const TextView* view);

// Reads the stored choice; a value other than 0..2 means Paper and is kept.
void LoadColours();
// Stores a new choice, sets the menu checks and the title bar, repaints.
void ChooseColours(HWND window, int32_t choice);
// The menu's radio check and, for Night, a dark title bar where Windows has
// one (put back to light when leaving Night).
void ShowColourChoice(HWND window, bool leavingNight);

// A copy of a black-on-white picture in paper and ink: each pixel's
// lightness picks its place between them. Null when it cannot be made.
HBITMAP RecolouredBitmap(HBITMAP source, uint32_t paper, uint32_t ink);
// The same in the reader's paper and ink; null also when the reader draws
// black on white, where the picture is shown as it is.
HBITMAP ReaderColouredBitmap(HBITMAP source);

// FillRect with a colour, through the device context's own brush.
void FillColour(HDC dc, const RECT& box, uint32_t colour);
