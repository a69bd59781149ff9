// A deterministic measuring device for the native build: every character is
// charWidth wide, every font lineHeight high (large fonts 5/4 of it, small
// 3/4), so layouts can be checked by hand. Portable.
#pragma once
#include "text/text_view.h"

struct FixedDeviceMetrics {
    int charWidth;
    int lineHeight;
    int maxCharWidth;
};
extern FixedDeviceMetrics g_fixedMetrics;
extern const TextDevice g_fixedDevice;
