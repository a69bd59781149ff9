// Printing the shown lesson: page set-up, a print view laid out for the
// printer, page after page with header mark and footer.
#pragma once
#include <windows.h>
#include <cstdint>

struct TextView;

// Margins in thousandths of an inch, inside the printable area.
struct PrintMargins {
    int32_t left, top, right, bottom;
};

constexpr int32_t DEFAULT_PRINT_MARGIN = 1000;
constexpr uint16_t STYLE_CODE_FOOTER = 0x1000;
constexpr uint16_t STYLE_CODE_HEADER = 0x1010;

void PrintLesson(TextView* view);

// Page set-up, printer dc, document and first page; the dc or none.
HDC BeginPrintJob(const wchar_t* name, PrintMargins* margins);
void EndPrintJob(HDC dc, int abort);

// A new global block with the stored "DevMode", or fallback.
HGLOBAL ReadDevMode(HGLOBAL fallback);

// The text for CommDlgExtendedError's code, or none.
const wchar_t* CommDlgErrorText();
const wchar_t* CommDlgErrorText(DWORD code);

void DrawHeaderFooter(TextView* view, int h, int page);
