// Native stand-in for GDI measuring; see text_device_fixed.h.
#include "text/text_device_fixed.h"

#include <cstdlib>
#include "text/layout.h"
#include "text/style_fonts.h"
#include "text/text_format.h"

FixedDeviceMetrics g_fixedMetrics = {8, 16, 12};

namespace {

uint16_t s_selectedCode = 1;   // the stand-in dc's "selected font"

void* SelectFixedFont(TextView* view, uint16_t code)
{
    uint16_t key = code & STYLE_CODE_KEY;
    FontCacheNode* node = FindStyleFont(view, key);
    if (!node) {
        node = PushStyleFont(view, key);
        // A real allocation, so a font the cache forgets shows as a leak.
        if (node) node->font = static_cast<ViewFont>(malloc(1));
    }
    void* previous = reinterpret_cast<void*>(static_cast<uintptr_t>(s_selectedCode));
    s_selectedCode = key;
    return previous;
}

void SelectFixedObject(ViewDc, void* object)
{
    s_selectedCode = static_cast<uint16_t>(reinterpret_cast<uintptr_t>(object));
}

void ReadFixedMetrics(ViewDc, int* height, int* maxCharWidth)
{
    int h = g_fixedMetrics.lineHeight;
    if (s_selectedCode & STYLE_LARGE) h = h * 5 / 4;
    else if (s_selectedCode & STYLE_SMALL) h = h * 3 / 4;
    *height = h;
    *maxCharWidth = g_fixedMetrics.maxCharWidth;
}

void MeasureFixedFit(ViewDc, const uint8_t* bytes, int* width, int* count)
{
    int w = g_fixedMetrics.charWidth;
    int n = 0;
    while (n < *count && bytes[n] && (n + 1) * w <= *width) ++n;
    *count = n;
    *width = n * w;
}

void DeleteFixedFont(ViewFont font) { free(font); }

}  // namespace

const TextDevice g_fixedDevice = {SelectFixedFont, SelectFixedObject, ReadFixedMetrics, MeasureFixedFit,
                                  DeleteFixedFont};
const TextDevice* g_textDevice = &g_fixedDevice;
