// Line layout: a LessonText broken into LineRecords for a view's box.
// Portable; measuring goes through g_textDevice.
#pragma once
#include <cstdint>
#include "text/text_view.h"

// LayoutText results besides 0 and -1.
constexpr int LAYOUT_NO_TEXT = 2;
constexpr int LAYOUT_REJECTED = 0xFFFC;
constexpr int LAYOUT_NO_MEMORY = 0xFFFE;
constexpr int VIEW_BAD_SIZE = -5;
constexpr int LINE_GROWTH = 128;

struct ViewBox {             // same layout as a Win32 RECT
    int32_t left, top, right, bottom;
};

// Zeroed view with dc, the font block and box (may be null), and room for
// capacity lines when capacity > 0. Null without dc or memory.
TextView* NewTextView(ViewDc dc, const ViewBox* box, const FontBlock* font, int capacity);

// 0, -1 without view, LAYOUT_NO_TEXT, LAYOUT_REJECTED, LAYOUT_NO_MEMORY.
// own: the view frees its previous text and keeps this one.
int LayoutText(TextView* view, uint8_t* text, int own);

// Grows the line array by LINE_GROWTH; -2 (and record index zeroed) on failure.
int GrowLines(TextView* view, int index);

// -1 without view, VIEW_BAD_SIZE, else LayoutText of the current text.
int ResizeView(TextView* view, int width, int height);

// Frees text and lines and deletes the cached fonts; the record too when
// release is set. A print view clears its borrowed text first.
void FreeTextView(TextView* view, int release);
