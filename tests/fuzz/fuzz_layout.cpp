// Line layout over arbitrary lesson texts with the deterministic measuring
// device: metrics and box from the input, then a resize, a seek and
// scrolling. Input: metrics (3 bytes), box (4 bytes), offset (2), text.
#include <cstdlib>
#include "content/lesson_store.h"
#include "settings/settings.h"
#include "tests/fuzz/fuzz_input.h"
#include "text/layout.h"
#include "text/rows.h"
#include "text/text_device_fixed.h"
#include "text/text_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Taker in{data, size};
    g_settings = {};
    g_settings.FontAsciiBase = DEFAULT_ASCII_BASE;
    g_settings.Flags = DEFAULT_FLAGS | (in.size && (in.data[0] & 1) ? FLAG_REVERSE : 0);
    g_fixedMetrics = {static_cast<int>(in.Take(1) % 24), static_cast<int>(in.Take(1) % 64),
                      static_cast<int>(in.Take(1) % 64)};
    g_textDevice = &g_fixedDevice;
    int width = static_cast<int>(in.Take(2) % 3000);
    int height = static_cast<int>(in.Take(2) % 3000);
    unsigned offset = in.Take(2);
    if (in.size > 0x10000) return 0;

    ViewBox box = {0, 0, width, height};
    TextView* view = NewTextView(reinterpret_cast<ViewDc>(uintptr_t{1}), &box, nullptr, 10);
    uint8_t* text = CopyWithZeros(in.data, in.size, TEXT_ZEROS);
    int result = LayoutText(view, text, 1);
    if (result != 0) free(text);
    if (result == 0) {
        if (view->lines[view->lineCount].style != 0 || view->maxFirstRow > view->rowCount) abort();
        ResizeView(view, height + 1, width + 1);
        SeekToOffset(view, offset);
        MoveFirstRow(view, static_cast<int16_t>(offset), 1);
        ComputeMaxFirstRow(view);
        int y = 0, room = 0;
        FindFirstVisibleLine(view, &y, &room);
        ResizeView(view, 1, 1);
    }
    FreeTextView(view, 1);
    ReleaseConversionBuffer();
    return 0;
}
