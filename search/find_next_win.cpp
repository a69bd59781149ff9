// Search Again on the main view: the walk, then the hit brought to the top,
// highlighted, and the lesson's headings in a banner at the bottom.
#include "search/find_next.h"

#include <algorithm>
#include <cstdlib>
#include "base/display_scale.h"
#include "base/globals.h"
#include "base/menu_check_win.h"
#include "calendar/schedule.h"
#include "calendar/track_reading.h"
#include "search/hit_banner.h"
#include "search/search_walk.h"
#include "settings/bookmarks_win.h"
#include "settings/settings.h"
#include "text/colours_win.h"
#include "text/document_view_win.h"
#include "text/layout.h"
#include "text/page_render_win.h"
#include "text/rows.h"
#include "text/style_fonts_win.h"
#include "text/text_draw_win.h"

namespace {

constexpr uint16_t BANNER_STYLE = 0x102;   // the smaller font, black

void ShowHit(TextView* view, uint16_t last, uint16_t length)
{
    // Highlight first, so the one refresh paints the page with it.
    SeekToOffset(view, last);
    view->highlightStart = static_cast<uint16_t>(last - length + 1);
    view->highlightEnd = static_cast<uint16_t>(last + 1);
    RefreshMain(nullptr, PAINT_REFRESH);
    SyncBookmarkCheck(g_state.mainWindow, MENU_CHECK_SET);
    DrawHitBanner(view);
}

void MeasureHeading(HDC dc, Heading* heading, int room)
{
    if (!heading->text) return;
    int width = room;
    int count = heading->length;
    MeasureFit(dc, heading->text, &width, &count);
    heading->length = count;
    heading->width = width;
}

void DrawHeading(HDC dc, const Heading& heading, const RECT& inner, int y, int h)
{
    int x = inner.left + (inner.right - inner.left - heading.width) / 2;
    const ColourSet& c = ReaderColours();
    DrawCellColored(dc, heading.text, heading.length, x, y, heading.width, h, c.bannerText, c.bannerBack);
}

}  // namespace

void DrawFrameRings(HDC dc, RECT* box, COLORREF colour, int count)
{
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ keptPen = SelectObject(dc, pen);
    HGDIOBJ keptBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    for (int i = 0; i < count; ++i) {
        Rectangle(dc, box->left, box->top, box->right, box->bottom);
        InflateRect(box, -1, -1);
    }
    SelectObject(dc, keptBrush);
    SelectObject(dc, keptPen);
    DeleteObject(pen);
}

void DrawHitBanner(TextView* view)
{
    Heading first, second;
    GetLessonHeadings(view->text, &first, &second);
    if (!first.text && !second.text) return;
    HDC dc = view->dc;
    HGDIOBJ kept = SelectStyleFont(view, BANNER_STYLE);
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    int h = metrics.tmHeight;
    int lines = first.text && second.text ? 2 : 1;
    MeasureHeading(dc, &first, view->width);
    MeasureHeading(dc, &second, view->width);

    // The frame's rings, margins and gap below grow with the DPI; at 96 the
    // rings are 2, 1 and 2 pixels and the banner ends 2 above the box.
    int red = ScaleToDpi(2), white = ScaleToDpi(1), blue = ScaleToDpi(2);
    int rings = red + white + blue;
    int w = std::min(std::max(first.width, second.width) + 2 * h + ScaleToDpi(8), view->width);
    RECT box;
    box.left = view->left + (view->width - w) / 2;
    box.right = box.left + w;
    box.bottom = view->top + view->height - ScaleToDpi(2);
    box.top = box.bottom - lines * h - 2 * rings;
    const ColourSet& c = ReaderColours();
    DrawFrameRings(dc, &box, c.bannerRings[0], red);
    DrawFrameRings(dc, &box, c.bannerRings[1], white);
    DrawFrameRings(dc, &box, c.bannerRings[2], blue);
    FillColour(dc, box, c.bannerBack);

    int y = box.top;
    if (first.text) {
        DrawHeading(dc, first, box, y, h);
        y += h;
    }
    if (second.text) DrawHeading(dc, second, box, y, h);
    SelectObject(dc, kept);
}

int FindNext(HWND owner)
{
    if (!g_settings.SearchString[0]) return 0;
    TextView* view = g_state.mainView;
    if (!view) return 0;
    uint16_t start = view->text ? SearchStartOffset(view) : 0;
    SearchHit hit = {};
    // On the one-chapter track the walk goes day by day through the portions.
    const uint32_t options = g_settings.SearchOptions;
    bool found = ShowsDayPortion()
                     ? WalkPortions(g_settings.SearchString, view->text, start, g_settings.Portion, g_settings.Day, &hit,
                                    options)
                     : WalkLessons(g_settings.SearchString, view->text, start, g_settings.Lesson, nullptr, &hit,
                                   options);
    if (!found) {
        MessageBoxW(owner, L"Not Found!", L"Quorin", MB_OK);
        return 0;
    }
    if (hit.text) {
        Settings before = g_settings;
        SelectDay(hit.day, SELECT_NAVIGATION);
        if (!TakeLessonText(owner, hit.text, before)) return 0;
    }
    ShowHit(view, hit.offset, hit.length);
    return 1;
}
