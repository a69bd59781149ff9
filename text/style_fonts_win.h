// The style-font cache's GDI side: a font per style key, created once per
// view, and the GDI measuring device the portable layout uses.
#pragma once
#include <windows.h>
#include "text/style_fonts.h"

constexpr COLORREF HEADING_BLUE = RGB(0, 0, 255);

// Selects the font for a style code (creating it once per key), sets the
// text colour when code has STYLE_CODE_COLOR; returns the replaced object.
HGDIOBJ SelectStyleFont(TextView* view, uint16_t code);
HFONT CreateStyleFont(TextView* view, FontCacheNode* node, uint16_t code);
FontCacheNode* AddStyleFont(TextView* view, uint16_t code);

// Deletes the cached fonts and keeps their keys; RemakeStyleFonts creates
// them again for the view's font block.
void DropStyleFonts(TextView* view);
void RemakeStyleFonts(TextView* view);
