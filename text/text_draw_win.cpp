// Measuring and drawing letter-code runs with GDI.
#include "text/text_draw_win.h"

#include "settings/settings.h"
#include "text/text_format.h"

namespace {

int ConvertedLength(const char16_t* s, int count)
{
    int n = 0;
    while (n < count && s[n]) ++n;
    return n;
}

}  // namespace

void MeasureFit(HDC dc, const uint8_t* bytes, int* width, int* count)
{
    // Measuring always sees the characters in stored order.
    uint32_t flags = g_settings.Flags;
    g_settings.Flags &= ~FLAG_REVERSE;
    const char16_t* s = MapToDisplay(bytes, &g_conversionBuffer, *count);
    g_settings.Flags = flags;
    int n = s ? ConvertedLength(s, *count) : 0;
    int fit = 0;
    SIZE size = {};
    if (n > 0 && *width > 0) {
        auto* w = reinterpret_cast<const wchar_t*>(s);
        GetTextExtentExPointW(dc, w, n, *width, &fit, nullptr, &size);
        if (fit > n) fit = n;
        if (fit > 0) GetTextExtentExPointW(dc, w, fit, 0, nullptr, nullptr, &size);
    }
    *count = fit;
    *width = fit > 0 ? size.cx : 0;
}

int DrawCell(HDC dc, const uint8_t* bytes, int count, int x, int y, int w, int h)
{
    // DrawTextW would run Hebrew stored in display order through the bidi
    // algorithm and turn it around; ExtTextOutW with ETO_IGNORELANGUAGE puts
    // the glyphs down in exactly the order we give, centred as DrawTextW
    // with DT_CENTER | DT_VCENTER | DT_SINGLELINE would.
    const char16_t* s = MapToDisplay(bytes, &g_conversionBuffer, count);
    if (!s) return 0;
    int n = ConvertedLength(s, count);
    auto* wide = reinterpret_cast<const wchar_t*>(s);
    SIZE size = {};
    if (n > 0) {
        GetTextExtentPoint32W(dc, wide, n, &size);
    } else {
        TEXTMETRICW tm;
        GetTextMetricsW(dc, &tm);
        size.cy = tm.tmHeight;
    }
    int left = x + (w - size.cx) / 2;
    int top = y + h / 2 - size.cy / 2;
    RECT box = {x, y, x + w, y + h};
    if (n > 0) {
        UINT align = SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
        ExtTextOutW(dc, left, top, ETO_CLIPPED | ETO_IGNORELANGUAGE, &box, wide, n, nullptr);
        SetTextAlign(dc, align);
    }
    return top - y + size.cy;
}

int DrawCellColored(HDC dc, const uint8_t* bytes, int count, int x, int y, int w, int h,
                    COLORREF text, COLORREF background)
{
    COLORREF oldText = SetTextColor(dc, text);
    COLORREF oldBack = SetBkColor(dc, background);
    int result = DrawCell(dc, bytes, count, x, y, w, h);
    SetBkColor(dc, oldBack);
    SetTextColor(dc, oldText);
    return result;
}

void DrawTickMark(HDC dc, int x, int y, int size, TickMark mark, COLORREF colour)
{
    HPEN frame = CreatePen(PS_SOLID, size >= 24 ? 2 : 1, colour);
    HGDIOBJ keptPen = SelectObject(dc, frame);
    HGDIOBJ keptBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    if (mark != TickMark::Tick)
        Rectangle(dc, x, y, x + size, y + size);
    HPEN tick = nullptr;
    if (mark != TickMark::Box) {
        tick = CreatePen(PS_SOLID, size / 6 > 2 ? size / 6 : 2, colour);
        SelectObject(dc, tick);
        POINT stroke[3] = {{x + size * 2 / 10, y + size / 2},
                           {x + size * 4 / 10, y + size * 3 / 4},
                           {x + size * 8 / 10, y + size / 4}};
        Polyline(dc, stroke, 3);
    }
    SelectObject(dc, keptBrush);
    SelectObject(dc, keptPen);
    DeleteObject(frame);
    if (tick)
        DeleteObject(tick);
}
