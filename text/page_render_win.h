// Page drawing, search highlight, scrolling and font change of a TextView
// (Win32).
#pragma once
#include <windows.h>
#include "text/layout.h"


inline TextView* NewTextView(HDC dc, const RECT* box, const FontBlock* font, int capacity) {
    static_assert(sizeof(RECT) == sizeof(ViewBox), "RECT and ViewBox must match");
    return NewTextView(dc, reinterpret_cast<const ViewBox*>(box), font, capacity);
}

// Null font: deletes the cached fonts, returns 0. Otherwise new fonts, new
// layout, page redrawn: 1 when the layout failed, else DrawPage's result.
int SetViewFont(TextView* view, const FontBlock* font);
// The same without drawing: 1 when the layout failed, else 0 (-1 without view).
int ApplyViewFont(TextView* view, const FontBlock* font);

// -1 when the view, text or lines are missing; else 0 or DrawHighlight's result.
int DrawPage(TextView* view, int erase);
int DrawHighlight(TextView* view);
int HighlightRun(TextView* view, const uint8_t* text, const uint8_t* run, int n, int x, int y);

// A stored range [start, end) of the view's text painted in two colours:
// the search hit, or the reader's selection.
struct Mark {
    unsigned start, end;
    COLORREF text, back;
};
int MarkRun(TextView* view, const uint8_t* run, int n, int x, int y, const Mark& mark);

// -1 without view; 1 nothing changed; 3 moved without redraw; else DrawPage's.
int ScrollRows(TextView* view, int delta, int redraw, int endStop);

// FillRect with GetStockObject(stock): WHITE_BRUSH page, LTGRAY_BRUSH band.
void FillBox(HDC dc, int left, int top, int width, int height, int stock);
