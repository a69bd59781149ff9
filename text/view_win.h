// The Win32 side of a TextView: its per-style font cache and font change.
#pragma once
#include <windows.h>
#include "text/layout.h"

// Selects the font for a style code (creating it once per key), sets the
// text colour when code has STYLE_CODE_COLOR; returns the replaced object.
HGDIOBJ SelectStyleFont(TextView* view, uint16_t code);
HFONT CreateStyleFont(TextView* view, FontCacheNode* node, uint16_t code);
FontCacheNode* AddStyleFont(TextView* view, uint16_t code);

// Null font: deletes the cached fonts, returns 0. Otherwise new fonts, new
// layout, page redrawn: 1 when the layout failed, else DrawPage's result.
int SetViewFont(TextView* view, const FontBlock* font);

inline TextView* NewTextView(HDC dc, const RECT* box, const FontBlock* font, int capacity) {
    static_assert(sizeof(RECT) == sizeof(ViewBox), "RECT and ViewBox must match");
    return NewTextView(dc, reinterpret_cast<const ViewBox*>(box), font, capacity);
}
