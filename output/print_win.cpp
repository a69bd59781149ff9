#include "output/print_win.h"

#include <commdlg.h>
#include <cderr.h>

#include <cstddef>
#include <cstdio>
#include <cstring>

#include "base/globals.h"
#include "base/late_libraries_win.h"
#include "base/maker.h"
#include "settings/settings.h"
#include "settings/settings_store_win.h"
#include "text/layout.h"
#include "text/page_render_win.h"
#include "text/style_fonts_win.h"
#include "text/text_draw_win.h"
#include "text/text_format.h"

namespace {

// The printer set-up the dialog returned last in this run.
HGLOBAL s_runDevMode;

struct ErrorText {
    DWORD code;
    const wchar_t* text;
};

constexpr ErrorText COMMDLG_ERRORS[] = {
    {CDERR_STRUCTSIZE, L"Struct Size"},
    {CDERR_INITIALIZATION, L"Initialization"},
    {CDERR_NOTEMPLATE, L"No Template"},
    {CDERR_NOHINSTANCE, L"No hInstance"},
    {CDERR_LOADSTRFAILURE, L"Load String Failure"},
    {CDERR_FINDRESFAILURE, L"Find Resource Failure"},
    {CDERR_LOADRESFAILURE, L"Load Resource Failure"},
    {CDERR_LOCKRESFAILURE, L"Lock Resource Failure"},
    {CDERR_MEMALLOCFAILURE, L"Memory Allocation Failure"},
    {CDERR_MEMLOCKFAILURE, L"Memory Lock Failure"},
    {CDERR_NOHOOK, L"No Hook"},
    {CDERR_REGISTERMSGFAIL, L"RegisterWindowMessage Fail"},
    {PDERR_SETUPFAILURE, L"Setup Failure"},
    {PDERR_PARSEFAILURE, L"Parse Failure"},
    {PDERR_RETDEFFAILURE, L"Return Default Failure"},
    {PDERR_LOADDRVFAILURE, L"Load Driver Failure"},
    {PDERR_GETDEVMODEFAIL, L"GetDevMode Fail"},
    {PDERR_INITFAILURE, L"Init Failure"},
    {PDERR_NODEVICES, L"No Printer Drivers Were Found"},
    {PDERR_NODEFAULTPRN, L"No Default Printer"},
    {PDERR_DNDMMISMATCH, L"DevMode and DevNames Are For Different Printers"},
    {PDERR_CREATEICFAILURE, L"Create Information Context  Failure"},
    {PDERR_PRINTERNOTFOUND, L"Printer Not Found"},
    {PDERR_DEFAULTDIFFERENT, L"Default Different"},
    {CDERR_DIALOGFAILURE, L"Dialog Failure"},
};

constexpr int32_t PRINT_DEFAULT_POINTS = 12;

constexpr wchar_t FOOTER_TEXT[] = L"" MAKER_HOST " -- Quorin";

// The header mark in letter code: with the Unicode letter base the four
// letters, otherwise bytes that stand for themselves under every base.
constexpr uint8_t HEADER_MARK_LETTERS[] = {0x64, 0x22, 0x72, 0x62};
constexpr uint8_t HEADER_MARK_CODE_PAGE[] = {0xE3, 0x22, 0xF1, 0xE1};

// A stored block is used only when its own sizes lie inside it; the dialog
// and CreateDCW would otherwise read past a damaged value.
bool DevModeFits(const void* bytes, DWORD size)
{
    if (size < offsetof(DEVMODEW, dmFields)) return false;
    const auto* mode = static_cast<const DEVMODEW*>(bytes);
    return mode->dmSize >= offsetof(DEVMODEW, dmFields) && DWORD{mode->dmSize} + mode->dmDriverExtra <= size;
}

void ReadMargins(PrintMargins* m)
{
    m->left = ReadNumber(SETTINGS_KEY, L"PrintLeft", DEFAULT_PRINT_MARGIN);
    m->top = ReadNumber(SETTINGS_KEY, L"PrintTop", DEFAULT_PRINT_MARGIN);
    m->right = ReadNumber(SETTINGS_KEY, L"PrintRight", DEFAULT_PRINT_MARGIN);
    m->bottom = ReadNumber(SETTINGS_KEY, L"PrintBottom", DEFAULT_PRINT_MARGIN);
}

void WriteMargins(const PrintMargins* m)
{
    WriteNumber(L"PrintTop", m->top);
    WriteNumber(L"PrintBottom", m->bottom);
    WriteNumber(L"PrintLeft", m->left);
    WriteNumber(L"PrintRight", m->right);
}

void ReportSetupFailure()
{
    const wchar_t* text = CommDlgErrorText();
    if (!text || !*text) text = L"Unknown Error";
    MessageBoxW(g_state.mainWindow, text, L"Error Printing", MB_OK);
}

// The dialog's device mode becomes the run's and is stored; the dc is made
// for the printer it names.
HDC PrinterDc(HGLOBAL devMode, HGLOBAL handedIn)
{
    if (s_runDevMode && s_runDevMode != handedIn && s_runDevMode != devMode) GlobalFree(s_runDevMode);
    s_runDevMode = devMode;
    auto* mode = static_cast<DEVMODEW*>(GlobalLock(devMode));
    if (!mode) return nullptr;
    WriteBytes(L"DevMode", mode, static_cast<uint32_t>(GlobalSize(devMode)));
    // The name field need not be terminated when it is full.
    wchar_t device[CCHDEVICENAME + 1] = {};
    memcpy(device, mode->dmDeviceName, sizeof mode->dmDeviceName);
    HDC dc = CreateDCW(nullptr, device, nullptr, mode);
    GlobalUnlock(devMode);
    return dc;
}

// The box inside the margins, in the printer's pixels.
void SetPrintBox(TextView* v, const PrintMargins* m)
{
    int px = GetDeviceCaps(v->dc, LOGPIXELSX);
    int py = GetDeviceCaps(v->dc, LOGPIXELSY);
    v->left = px * m->left / 1000;
    v->top = py * m->top / 1000;
    v->width = GetDeviceCaps(v->dc, HORZRES) - px * m->right / 1000 - v->left;
    v->height = GetDeviceCaps(v->dc, VERTRES) - py * m->bottom / 1000 - v->top;
}

// Room for the header line above and the footer line below the text.
int ReserveHeaderFooter(TextView* v)
{
    TEXTMETRICW tm;
    HGDIOBJ old = SelectStyleFont(v, STYLE_CODE_FOOTER);
    GetTextMetricsW(v->dc, &tm);
    SelectStyleFont(v, STYLE_CODE_HEADER);
    GetTextMetricsW(v->dc, &tm);
    SelectObject(v->dc, old);
    int h = tm.tmHeight;
    v->top += h + 5;
    v->height -= 2 * h + 10;
    return h;
}

// 1 when a page could not be opened and the document must be aborted.
int PrintPages(TextView* v, int h)
{
    int page = 1;
    DrawPage(v, 0);
    if (v->rowsDrawn == 0) {
        // Nothing fits or nothing to print: the page opened with the document closes empty.
        EndPage(v->dc);
        return 0;
    }
    while (v->rowsDrawn != 0) {
        DrawHeaderFooter(v, h, page);
        v->pageStart = v->pageNext;
        EndPage(v->dc);
        if (!v->pageStart || v->pageStart->style == 0) break;
        ++page;
        if (StartPage(v->dc) <= 0) return 1;
        DrawPage(v, 0);
        if (v->rowsDrawn == 0) EndPage(v->dc);
    }
    return 0;
}

}  // namespace

const wchar_t* CommDlgErrorText(DWORD code)
{
    for (const ErrorText& e : COMMDLG_ERRORS)
        if (e.code == code) return e.text;
    return nullptr;
}

const wchar_t* CommDlgErrorText() { return CommDlgErrorText(LateCommDlgExtendedError()); }

HGLOBAL ReadDevMode(HGLOBAL fallback)
{
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, SETTINGS_KEY, 0, KEY_READ, &key) != ERROR_SUCCESS) return fallback;
    HGLOBAL block = nullptr;
    DWORD size = 0;
    if (RegQueryValueExW(key, L"DevMode", nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS && size > 0) {
        // Moveable: the page set-up dialog may resize or replace it.
        block = GlobalAlloc(GMEM_MOVEABLE, size);
        void* bytes = block ? GlobalLock(block) : nullptr;
        bool read = bytes && RegQueryValueExW(key, L"DevMode", nullptr, nullptr, static_cast<BYTE*>(bytes), &size) ==
                                 ERROR_SUCCESS && DevModeFits(bytes, size);
        if (bytes) GlobalUnlock(block);
        if (!read && block) {
            GlobalFree(block);
            block = nullptr;
        }
    }
    RegCloseKey(key);
    return block ? block : fallback;
}

HDC BeginPrintJob(const wchar_t* name, PrintMargins* margins)
{
    ReadMargins(margins);
    PAGESETUPDLGW psd = {};
    psd.lStructSize = sizeof psd;
    psd.hwndOwner = g_state.mainWindow;
    psd.hInstance = g_state.instance;
    psd.Flags = PSD_MARGINS | PSD_INTHOUSANDTHSOFINCHES;
    psd.rtMargin = {margins->left, margins->top, margins->right, margins->bottom};
    HGLOBAL handedIn = ReadDevMode(s_runDevMode);
    psd.hDevMode = handedIn;
    if (!LatePageSetupDlg(&psd)) {
        if (psd.hDevMode && psd.hDevMode != s_runDevMode) GlobalFree(psd.hDevMode);
        ReportSetupFailure();
        return nullptr;
    }
    if (psd.hDevNames) GlobalFree(psd.hDevNames);
    HDC dc = psd.hDevMode ? PrinterDc(psd.hDevMode, handedIn) : nullptr;
    if (!dc) {
        MessageBoxW(g_state.mainWindow, L"Printer Initialitazion failed!", L"Error", MB_OK);
        return nullptr;
    }
    DOCINFOW doc = {};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = name;
    if (StartDocW(dc, &doc) <= 0) {
        DeleteDC(dc);
        return nullptr;
    }
    if (StartPage(dc) <= 0) {
        // The document was started: end it, or the spooler keeps an empty job.
        AbortDoc(dc);
        DeleteDC(dc);
        return nullptr;
    }
    SetMapMode(dc, MM_TEXT);
    *margins = {psd.rtMargin.left, psd.rtMargin.top, psd.rtMargin.right, psd.rtMargin.bottom};
    WriteMargins(margins);
    return dc;
}

void EndPrintJob(HDC dc, int abort)
{
    if (abort) AbortDoc(dc);
    else EndDoc(dc);
    DeleteDC(dc);
}

void DrawHeaderFooter(TextView* v, int h, int page)
{
    HDC dc = v->dc;
    HGDIOBJ old = SelectStyleFont(v, STYLE_CODE_FOOTER);
    // Chosen by the base that DrawCell maps it with.
    const uint8_t* mark = g_settings.FontAsciiBase == LETTER_BASE_UNICODE ? HEADER_MARK_LETTERS : HEADER_MARK_CODE_PAGE;
    int mode = SetBkMode(dc, TRANSPARENT);

    RECT footer = {v->left, v->top + v->height + 5, v->left + v->width, v->top + v->height + 5 + h};
    DrawTextW(dc, FOOTER_TEXT, -1, &footer, DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER);
    wchar_t number[24];
    swprintf(number, 24, L" Page %d", page);
    DrawTextW(dc, number, -1, &footer, DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER | DT_RIGHT);

    // The mark is Hebrew already in display order: drawn as it stands,
    // neither reordered by the platform nor turned by the Reverse mode.
    SelectStyleFont(v, STYLE_CODE_HEADER);
    uint32_t flags = g_settings.Flags;
    g_settings.Flags &= ~FLAG_REVERSE;
    int width = v->width, count = 4;
    MeasureFit(dc, mark, &width, &count);
    int headerTop = v->top - h - 5;
    DrawCell(dc, mark, count, v->left + v->width - width, headerTop, width, h);
    g_settings.Flags = flags;

    SetBkMode(dc, mode);
    SelectObject(dc, old);
}

void PrintLesson(TextView* view)
{
    if (!view) return;
    TextView print = {};
    *FontBlockOf(&print) = *FontBlockOf(view);
    // No size chosen means the font's default height, a few pixels: fine
    // on a screen, four-point type on a printer.
    if (print.pointSize == 0) print.pointSize = PRINT_DEFAULT_POINTS;
    PrintMargins margins;
    HDC dc = BeginPrintJob(L"Quorin", &margins);
    if (!dc) return;
    print.dc = dc;
    SetPrintBox(&print, &margins);
    // A box the margins leave no room in gets no layout and so no pages.
    if (print.width > 0 && print.height > 0) LayoutText(&print, view->text, 0);
    int h = ReserveHeaderFooter(&print);
    EndPrintJob(dc, PrintPages(&print, h));
    print.text = nullptr;
    FreeTextView(&print, 0);
}
