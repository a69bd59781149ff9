// A view's style-font cache: one font per style key, made on first use.
// Portable: the list and its freeing; the fonts themselves are the device's
// (style_fonts_win.cpp on Windows, text_device_fixed.cpp natively).
#pragma once
#include <cstdint>
#include "text/text_view.h"

// Font cache node for a key, or a new one pushed at the head (font null).
// Null without memory.
FontCacheNode* FindStyleFont(TextView* view, uint16_t key);
FontCacheNode* PushStyleFont(TextView* view, uint16_t key);

// Deletes the cached fonts through the device and frees the nodes.
void FreeStyleFonts(TextView* view);
