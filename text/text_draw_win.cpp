// Measuring and drawing letter-code runs with GDI.
#include "text/text_draw_win.h"

#include <cstdlib>

#include "settings/settings.h"
#include "text/text_format.h"

namespace {

int ConvertedLength(const char16_t* s, int count)
{
    int n = 0;
    while (n < count && s[n]) ++n;
    return n;
}

// The glyphs of the latest run and their advances, like the conversion
// buffer: grown on demand, never shrunk.
struct GlyphRun {
    WORD* glyphs;
    int* advances;
    int capacity;
};
GlyphRun s_run;

bool RoomFor(int n)
{
    if (n <= s_run.capacity) return true;
    auto* glyphs = static_cast<WORD*>(realloc(s_run.glyphs, size_t(n) * sizeof(WORD)));
    if (glyphs) s_run.glyphs = glyphs;
    auto* advances = static_cast<int*>(realloc(s_run.advances, size_t(n) * sizeof(int)));
    if (advances) s_run.advances = advances;
    if (!glyphs || !advances) return false;
    s_run.capacity = n;
    return true;
}

// The run as glyph indices of the dc's own font. Measuring characters may
// go through complex-script shaping and font fallback where drawing with
// ETO_IGNORELANGUAGE does not, and a line would then clip its last letter;
// glyphs are measured as they are drawn. None when the font lacks a
// character (or has no glyph table): such a run is measured and drawn as
// characters, both through the same fallback.
WORD* GlyphsOf(HDC dc, const wchar_t* s, int n)
{
    if (!RoomFor(n)) return nullptr;
    if (GetGlyphIndicesW(dc, s, n, s_run.glyphs, GGI_MARK_NONEXISTING_GLYPHS) != DWORD(n)) return nullptr;
    for (int i = 0; i < n; ++i)
        if (s_run.glyphs[i] == 0xFFFF) return nullptr;
    return s_run.glyphs;
}

// The width of the characters that fit in width pixels (their count in fit).
SIZE FitRun(HDC dc, const wchar_t* s, int n, int width, int* fit)
{
    SIZE size = {};
    *fit = 0;
    if (WORD* glyphs = GlyphsOf(dc, s, n)) {
        GetTextExtentExPointI(dc, glyphs, n, width, fit, nullptr, &size);
        if (*fit > n) *fit = n;
        if (*fit > 0) GetTextExtentPointI(dc, glyphs, *fit, &size);
        return size;
    }
    GetTextExtentExPointW(dc, s, n, width, fit, nullptr, &size);
    if (*fit > n) *fit = n;
    if (*fit > 0) GetTextExtentExPointW(dc, s, *fit, 0, nullptr, nullptr, &size);
    return size;
}

// The run's size, and with the font's own glyphs each character's advance
// as measured, for drawing them exactly there; none otherwise.
const int* MeasureRun(HDC dc, const wchar_t* s, int n, SIZE* size)
{
    *size = {};
    WORD* glyphs = GlyphsOf(dc, s, n);
    if (!glyphs) {
        GetTextExtentPoint32W(dc, s, n, size);
        return nullptr;
    }
    int* advances = s_run.advances;
    GetTextExtentExPointI(dc, glyphs, n, 0, nullptr, advances, size);
    for (int i = n - 1; i > 0; --i) advances[i] -= advances[i - 1];
    return advances;
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
    if (n > 0 && *width > 0) size = FitRun(dc, reinterpret_cast<const wchar_t*>(s), n, *width, &fit);
    *count = fit;
    *width = fit > 0 ? size.cx : 0;
}

int DrawCell(HDC dc, const uint8_t* bytes, int count, int x, int y, int w, int h)
{
    // DrawTextW would run Hebrew stored in display order through the bidi
    // algorithm and turn it around; ExtTextOutW with ETO_IGNORELANGUAGE puts
    // the glyphs down in exactly the order we give, each at the advance it
    // was measured with, centred as DrawTextW with DT_CENTER | DT_VCENTER |
    // DT_SINGLELINE would.
    const char16_t* s = MapToDisplay(bytes, &g_conversionBuffer, count);
    if (!s) return 0;
    int n = ConvertedLength(s, count);
    auto* wide = reinterpret_cast<const wchar_t*>(s);
    SIZE size = {};
    const int* advances = nullptr;
    if (n > 0) {
        advances = MeasureRun(dc, wide, n, &size);
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
        ExtTextOutW(dc, left, top, ETO_CLIPPED | ETO_IGNORELANGUAGE, &box, wide, n, advances);
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
