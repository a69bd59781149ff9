#include "text/document_view_win.h"

#include <algorithm>
#include <cstdlib>

#include "base/display_scale.h"
#include "base/face_name_win.h"
#include "base/globals.h"
#include "content/lesson_store.h"
#include "settings/settings.h"
#include "text/colours_win.h"
#include "text/layout.h"
#include "text/page_render_win.h"
#include "text/text_draw_win.h"

namespace {

constexpr int DATE_BAND_FONT_HEIGHT = 14;   // a cell height, pixels at 96 DPI
constexpr int STANDING_GAP = 6;             // pixels at 96 DPI, between the standing's parts

StandingSource s_standingSource;

// A client size less the gutter on both sides, where it leaves room.
SIZE InsideGutter(int w, int h)
{
    int g = g_state.SurroundingGutter;
    return {w > 2 * g ? w - 2 * g : w, h > 2 * g ? h - 2 * g : h};
}

int ToolbarHeight()
{
    RECT r;
    if (!g_state.toolbar || !GetWindowRect(g_state.toolbar, &r))
        return 0;
    return r.bottom - r.top;
}

// The date text is cut to the band once, when the view is made; the cut
// holds while that day is shown and is dropped when the day changes, so a
// return to that day shows its whole text.
int DateBandLength()
{
    int length = g_settings.dateTextLength;
    if (g_settings.Day != g_state.bandCutDay)
        g_state.bandCutLength = -1;
    if (g_state.bandCutLength >= 0)
        length = std::min(length, g_state.bandCutLength);
    return length;
}

void MeasureDateBand(HDC dc, const RECT& box)
{
    TEXTMETRICW tm = {};
    GetTextMetricsW(dc, &tm);
    BandBox& band = g_state.dateBand;
    band.height = tm.tmHeight + 2;
    band.top = box.bottom - tm.tmHeight - 2;
    band.width = box.right - box.left;
    band.left = box.left - g_state.SurroundingGutter;
    int width = band.width;
    int count = g_settings.dateTextLength;
    MeasureFit(dc, g_settings.dateText, &width, &count);
    g_state.bandCutDay = g_settings.Day;
    g_state.bandCutLength = count;
}

// The lesson the view starts with (or what load gives for the track
// shown); a text the layout refuses stays ours.
int LoadFirstLesson(HWND window, ReadingLoader load)
{
    uint8_t* text = load(nullptr);
    if (!text)
        return MessageBoxW(window, L"Resource not found", L"Error", MB_ICONWARNING);
    TextView* view = g_state.mainView;
    LayoutText(view, text, 0);
    if (view->text != text)
        free(text);
    view->firstRow = g_settings.LastPosition;
    UpdateScrollBar(window);
    return 0;
}

// The gutter comes off an axis only when the box is more than twice as
// large: once before, twice after.
void TakeGutter(RECT* box)
{
    int g = g_state.SurroundingGutter;
    if (box->bottom - box->top > 2 * g) {
        box->top += g;
        box->bottom -= 2 * g;
    }
    if (box->right - box->left > 2 * g) {
        box->left += g;
        box->right -= 2 * g;
    }
}

// Laid out without handing the text over first, so a text the layout refuses
// or has no memory for leaves the view's own text in place; that is laid
// out again, as the failed attempt has written over its lines.
bool TakeOver(TextView* view, uint8_t* text)
{
    uint8_t* shown = view->text;
    if (LayoutText(view, text, 0) == 0) {
        if (shown != text)
            free(shown);
        // A selection counts in the text it was made in: another day drops it.
        g_state.selectText = nullptr;
        return true;
    }
    free(text);
    LayoutText(view, shown, 0);
    return false;
}

}  // namespace

int PageStep(const TextView* view, uint32_t pageField)
{
    int rows = view->rowsDrawn;
    int step = (pageField == 2 || pageField == 4) ? rows / 2 : rows - 1;
    // Nothing drawn yet gives -1: a page forward must never move back.
    return std::abs(step);
}

void CreateDateBandFont()
{
    if (g_state.dateBandFont)
        DeleteObject(g_state.dateBandFont);
    LOGFONTW font = {};
    font.lfHeight = ScaleToDpi(DATE_BAND_FONT_HEIGHT);
    font.lfWeight = FW_NORMAL;
    SetHebrewFace(font, g_settings.FontName);
    g_state.dateBandFont = CreateFontIndirectW(&font);
}

int CreateView(HWND window, ReadingLoader load)
{
    HDC dc = GetDC(window);
    CreateDateBandFont();
    HGDIOBJ kept = SelectObject(dc, g_state.dateBandFont);
    RECT box;
    GetClientRect(window, &box);
    if (g_state.toolbar)
        box.top += ToolbarHeight() - 1;
    TakeGutter(&box);
    MeasureDateBand(dc, box);
    box.bottom -= g_state.dateBand.height;
    SelectObject(dc, kept);
    // The view takes at once the size the first WM_SIZE gives it (OnSize),
    // so the lesson is laid out once, not again before the first paint.
    RECT client;
    GetClientRect(window, &client);
    SIZE inner = InsideGutter(client.right, client.bottom);
    box.right = box.left + inner.cx;
    box.bottom = box.top + inner.cy - g_state.dateBand.height - ToolbarHeight();
    g_state.mainView = NewTextView(dc, &box, FontBlockOf(&g_settings), 100);
    if (!g_state.mainView) {
        ReleaseDC(window, dc);
        return 1;
    }
    return LoadFirstLesson(window, load);
}

void OnSize(HWND window, LPARAM lParam)
{
    SIZE inner = InsideGutter(LOWORD(lParam), HIWORD(lParam));
    int w = inner.cx, h = inner.cy;
    int g = g_state.SurroundingGutter;
    RECT outer = {};
    GetWindowRect(window, &outer);
    TakeGutter(&outer);
    g_state.chooserWidth = outer.right - outer.left;
    g_state.chooserHeight = outer.bottom - outer.top;
    BandBox& band = g_state.dateBand;
    h -= band.height;
    if (!g_state.mainView)
        return;
    if (band.width == w + 2 * g && band.top == h + 2 * g)
        return;
    band.width = w + 2 * g;
    band.top = h + 2 * g;
    if (g_state.toolbar) {
        int toolbarHeight = ToolbarHeight();
        MoveWindow(g_state.toolbar, 0, 0, w, toolbarHeight, TRUE);
        h -= toolbarHeight;
    }
    const TextView* view = g_state.mainView;
    if (view->width != w || view->height != h)
        ResizeView(g_state.mainView, w, h);
    UpdateScrollBar(window);
}

// The band in the reader's colours: its ground, the date and the standing.
void PaintDateBand(HDC dc)
{
    const BandBox& band = g_state.dateBand;
    const ColourSet& colours = ReaderColours();
    FillColour(dc, {band.left, band.top, band.left + band.width, band.top + band.height}, colours.band);
    SetBkMode(dc, TRANSPARENT);
    COLORREF kept = SetTextColor(dc, colours.bandText);
    DrawDateBand(dc);
    SetTextColor(dc, kept);
}

void PaintMain(HDC dc, HWND window, int flags)
{
    PAINTSTRUCT ps;
    HDC paintDc = dc ? dc : BeginPaint(window, &ps);
    if (flags & PAINT_ERASE) {
        RECT client;
        GetClientRect(window, &client);
        if (g_state.toolbar)
            client.top += ToolbarHeight() - 1;
        FillColour(paintDc, client, ReaderColours().page);
    }
    if (flags & PAINT_PAGE)
        DrawPage(g_state.mainView, (flags & PAINT_ERASE) ? 1 : 0);
    PaintDateBand(paintDc);
    if (!dc)
        EndPaint(window, &ps);
}

void RefreshMain(HWND window, int flags)
{
    if (!window)
        window = g_state.mainWindow;
    HDC dc = GetDC(window);
    PaintMain(dc, window, flags);
    ReleaseDC(window, dc);
    UpdateScrollBar(window);
}

namespace {

// The standing sits at the band's left end, in as many parts as fit
// before the centred date: the tick box always, then its word, then how
// far behind.
void DrawStanding(HDC dc, int dateWidth)
{
    if (!s_standingSource)
        return;
    BandStanding standing = {};
    s_standingSource(&standing);
    const BandBox& band = g_state.dateBand;
    int gap = ScaleToDpi(STANDING_GAP);
    int size = band.height - 4;
    if (size < 5)
        return;
    int x = band.left + gap;
    int limit = band.left + (band.width - dateWidth) / 2 - gap;
    DrawTickMark(dc, x, band.top + 2, size, standing.learned ? TickMark::TickedBox : TickMark::Box, GetTextColor(dc));
    x += size + gap / 2;
    wchar_t behind[40] = L"";
    if (standing.behind > 0)
        wsprintfW(behind, standing.behind == 1 ? L"%d day behind" : L"%d days behind", standing.behind);
    else if (standing.marking)
        wsprintfW(behind, L"Up to date");
    const wchar_t* parts[] = {standing.learned ? L"Learned" : L"Not learned", behind};
    for (const wchar_t* part : parts) {
        int n = lstrlenW(part);
        SIZE extent = {};
        if (!n || !GetTextExtentPoint32W(dc, part, n, &extent) || x + extent.cx > limit)
            return;
        RECT box = {x, band.top, x + extent.cx, band.top + band.height};
        DrawTextW(dc, part, n, &box, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        x += extent.cx + gap * 2;
    }
}

}  // namespace

void SetStandingSource(StandingSource source)
{
    s_standingSource = source;
}

void DrawDateBand(HDC dc)
{
    const BandBox& band = g_state.dateBand;
    HGDIOBJ kept = SelectObject(dc, g_state.dateBandFont);
    int length = DateBandLength();
    DrawCell(dc, g_settings.dateText, length, band.left + 1, band.top + 1, band.width - 2, band.height - 2);
    int width = band.width, count = length;
    MeasureFit(dc, g_settings.dateText, &width, &count);
    DrawStanding(dc, count ? width : 0);
    SelectObject(dc, kept);
}

void RedrawDateBand(HWND window)
{
    const BandBox& band = g_state.dateBand;
    if (!window || band.width <= 0)
        return;
    HDC dc = GetDC(window);
    PaintDateBand(dc);
    ReleaseDC(window, dc);
}

void UpdateScrollBar(HWND window)
{
    const TextView* view = g_state.mainView;
    if (!(g_settings.Flags & (FLAG_SCROLLBAR_RIGHT | FLAG_SCROLLBAR_LEFT)) || !view)
        return;
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_POS;
    info.nMin = 0;
    info.nMax = view->maxFirstRow;
    info.nPos = view->firstRow;
    SetScrollInfo(window, SB_VERT, &info, TRUE);
}

int InGutteredBox(const TextView* view, int x, int y)
{
    int g = g_state.SurroundingGutter;
    return view->left - g <= x && x <= view->left + view->width + g && view->top - g <= y &&
           y <= view->top + view->height;
}

int ClickPage(HWND window, TextView* view, int x, int y, int redraw)
{
    if (!InGutteredBox(view, x, y) || !(g_settings.Flags & FLAG_CLICK_PAGING))
        return 0;
    bool split = g_settings.Flags & FLAG_CLICK_SPLIT;
    int middle = split ? view->top + view->height / 2 : view->left + view->width / 2;
    int coordinate = split ? y : x;
    int amount = PageStep(view, (g_settings.Flags & FLAG_CLICK_PAGE_MASK) >> FLAG_CLICK_PAGE_SHIFT);
    if (coordinate < middle)
        amount = -amount;
    ScrollRows(view, amount, redraw, 1);
    UpdateScrollBar(window);
    return 1;
}

void PutBackLesson(HWND window, const Settings& before)
{
    g_settings = before;
    MessageBoxW(window, L"Could not access the\r\nThe lesson for the selected day", L"Error", MB_ICONWARNING);
}

bool TakeLessonText(HWND window, uint8_t* text, const Settings& before)
{
    TextView* view = g_state.mainView;
    if (!view) {
        free(text);
        return true;
    }
    if (TakeOver(view, text))
        return true;
    PutBackLesson(window, before);
    return false;
}
