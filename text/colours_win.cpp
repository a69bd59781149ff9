#include "text/colours_win.h"

#include "base/globals.h"
#include "base/late_libraries_win.h"
#include "resources/resource.h"
#include "settings/settings_store_win.h"

namespace {

constexpr DWORD DARK_TITLE_BAR = 20;   // DWMWA_USE_IMMERSIVE_DARK_MODE, Windows 10 20H1 on

bool HighContrastOn()
{
    HIGHCONTRASTW hc = {sizeof hc};
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof hc, &hc, 0) && (hc.dwFlags & HCF_HIGHCONTRASTON);
}

// The system's colours, read afresh: the reader follows a theme change.
const ColourSet& SystemColours()
{
    static ColourSet set;
    uint32_t window = GetSysColor(COLOR_WINDOW), text = GetSysColor(COLOR_WINDOWTEXT);
    uint32_t mark = GetSysColor(COLOR_HIGHLIGHT), markText = GetSysColor(COLOR_HIGHLIGHTTEXT);
    set = {window, text, GetSysColor(COLOR_HOTLIGHT), markText, mark,
           GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNTEXT), {text, window, text}, window, text};
    return set;
}

}  // namespace

const ColourSet& ReaderColours()
{
    return HighContrastOn() ? SystemColours() : ColourSetOf(g_state.colours);
}

const ColourSet& ViewColours(const TextView* view)
{
    if (view && view == g_state.mainView) return ReaderColours();
    return ColourSetOf(COLOURS_PAPER);
}

void LoadColours()
{
    g_state.colours = ReadNumber(SETTINGS_KEY, COLOURS_VALUE, COLOURS_PAPER);
}

void ChooseColours(HWND window, int32_t choice)
{
    bool wasNight = g_state.colours == COLOURS_NIGHT;
    g_state.colours = choice;
    WriteNumber(COLOURS_VALUE, choice);
    ShowColourChoice(window, wasNight);
    InvalidateRect(window, nullptr, TRUE);
}

void ShowColourChoice(HWND window, bool leavingNight)
{
    int32_t c = g_state.colours;
    int32_t shown = c == COLOURS_SEPIA || c == COLOURS_NIGHT ? c : COLOURS_PAPER;
    CheckMenuRadioItem(GetMenu(window), IDM_COLOURS_PAPER, IDM_COLOURS_NIGHT, IDM_COLOURS_PAPER + shown,
                       MF_BYCOMMAND);
    // dwmapi is loaded only when the title bar has to change.
    BOOL dark = shown == COLOURS_NIGHT;
    if (dark || leavingNight) LateDwmSetWindowAttribute(window, DARK_TITLE_BAR, &dark, sizeof dark);
}

void FillColour(HDC dc, const RECT& box, uint32_t colour)
{
    COLORREF kept = SetDCBrushColor(dc, colour);
    FillRect(dc, &box, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    SetDCBrushColor(dc, kept);
}

HBITMAP ReaderColouredBitmap(HBITMAP source)
{
    const ColourSet& c = ReaderColours();
    if (!source || (c.page == Rgb(255, 255, 255) && c.text == Rgb(0, 0, 0))) return nullptr;
    return RecolouredBitmap(source, c.page, c.text);
}

HBITMAP RecolouredBitmap(HBITMAP source, uint32_t paper, uint32_t ink)
{
    BITMAP info = {};
    if (!GetObjectW(source, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0) return nullptr;
    BITMAPINFO format = {};
    format.bmiHeader = {sizeof(BITMAPINFOHEADER), info.bmWidth, -info.bmHeight, 1, 32, BI_RGB};
    HDC screen = GetDC(nullptr);
    void* bits = nullptr;
    HBITMAP copy = CreateDIBSection(screen, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool read = copy && GetDIBits(screen, source, 0, info.bmHeight, bits, &format, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (!read) {
        if (copy) DeleteObject(copy);
        return nullptr;
    }
    auto mix = [](uint32_t from, uint32_t to, uint32_t shift, uint32_t light) {
        int a = from >> shift & 0xFF, b = to >> shift & 0xFF;
        return static_cast<uint32_t>(b + (a - b) * static_cast<int>(light) / 255);
    };
    auto* pixel = static_cast<uint32_t*>(bits);
    for (long i = 0, n = long(info.bmWidth) * info.bmHeight; i < n; ++i) {
        uint32_t p = pixel[i];   // 0x00RRGGBB in a DIB
        uint32_t light = ((p >> 16 & 0xFF) * 3 + (p >> 8 & 0xFF) * 6 + (p & 0xFF)) / 10;
        pixel[i] = mix(paper, ink, 0, light) << 16 | mix(paper, ink, 8, light) << 8 | mix(paper, ink, 16, light);
    }
    GdiFlush();
    return copy;
}
