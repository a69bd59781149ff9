// The main window's client area: the text box inside the gutter, the date
// band below it, the toolbar's width and the vertical scroll bar.
#pragma once
#include <windows.h>
#include "settings/settings.h"
#include "text/text_view.h"

// PaintMain flags.
constexpr int PAINT_PAGE = 0x01;
constexpr int PAINT_ERASE = 0x100;
constexpr int PAINT_WINDOW = 0xFF;       // WM_PAINT
constexpr int PAINT_REFRESH = 0x1FF;     // navigation and search

// 0, 1 when no view was made, else the result of the "Resource not found" box.
// load gives the text the view starts with (the shown track's reading).
using ReadingLoader = uint8_t* (*)(int32_t* reason);
int CreateView(HWND window, ReadingLoader load);
void OnSize(HWND window, LPARAM lParam);
void PaintMain(HDC dc, HWND window, int flags);
// window may be none for the main window.
void RefreshMain(HWND window, int flags);
void DrawDateBand(HDC dc);
void CreateDateBandFont();
void UpdateScrollBar(HWND window);
int InGutteredBox(const TextView* view, int x, int y);
// 1 when the click paged the view.
int ClickPage(HWND window, TextView* view, int x, int y, int redraw);

// Rows a page step moves for the page-size field of Flags (keys or clicks).
int PageStep(const TextView* view, uint32_t pageField);

// The main view takes over a newly loaded lesson. When it cannot be laid
// out, the text is freed, the settings are put back to before and the
// reader is told; the view keeps what it showed. False then.
bool TakeLessonText(HWND window, uint8_t* text, const Settings& before);
// The settings as they were before a move, and "Could not access the" box.
void PutBackLesson(HWND window, const Settings& before);

// What the date band shows beside the date: whether the day shown is
// learned and how far behind the reader is, from a source the window
// installs (none: nothing is shown).
struct BandStanding {
    bool learned;
    int behind;     // days of the current cycle behind
    bool marking;   // some day of the current cycle is marked
};
using StandingSource = void (*)(BandStanding* standing);
void SetStandingSource(StandingSource source);
// The date band alone, drawn again.
void RedrawDateBand(HWND window);
