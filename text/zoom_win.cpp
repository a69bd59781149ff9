#include "text/zoom_win.h"

#include "base/globals.h"
#include "settings/settings.h"
#include "settings/settings_store_win.h"
#include "text/document_view_win.h"
#include "text/page_render_win.h"
#include "text/rows.h"
#include "text/style_fonts_win.h"
#include "text/zoom.h"

namespace {

// Read once, before the first zoom moves FontSize away from what was loaded:
// without a stored value the size the reader started with is the chosen one.
int32_t ChosenFontSize()
{
    if (!g_state.chosenSizeKnown) {
        int32_t stored = ReadNumber(SETTINGS_KEY, CHOSEN_SIZE_VALUE, g_settings.FontSize);
        g_state.chosenSize = IsKeepableSize(stored) ? stored : g_settings.FontSize;
        g_state.chosenSizeKnown = true;
    }
    return g_state.chosenSize;
}

void ApplyFontSize(HWND window, int32_t size)
{
    TextView* view = g_state.mainView;
    g_settings.FontSize = size;
    if (!view || !view->text || !view->lines) {
        if (view) *FontBlockOf(view) = *FontBlockOf(&g_settings);
        return;
    }
    int y, room;
    unsigned top = FindFirstVisibleLine(view, &y, &room)->offset;
    bool atStart = view->firstRow == 0;
    // Laid out without drawing: the page is drawn once, where it belongs.
    ApplyViewFont(view, FontBlockOf(&g_settings));
    if (atStart) view->firstRow = 0;
    else SeekToOffset(view, top);
    RefreshMain(window, PAINT_REFRESH);
}

}  // namespace

void ZoomMain(HWND window, int direction)
{
    int32_t chosen = ChosenFontSize();
    int32_t size = direction ? ZoomedSize(g_settings.FontSize, direction) : chosen;
    if (size != g_settings.FontSize) ApplyFontSize(window, size);
}

void ZoomByWheel(HWND window, int delta)
{
    g_state.zoomWheel += delta;
    while (g_state.zoomWheel >= WHEEL_DELTA) {
        g_state.zoomWheel -= WHEEL_DELTA;
        ZoomMain(window, 1);
    }
    while (g_state.zoomWheel <= -WHEEL_DELTA) {
        g_state.zoomWheel += WHEEL_DELTA;
        ZoomMain(window, -1);
    }
}

void NoteChosenFontSize()
{
    g_state.chosenSize = g_settings.FontSize;
    g_state.chosenSizeKnown = true;
    WriteNumber(CHOSEN_SIZE_VALUE, g_settings.FontSize);
}
