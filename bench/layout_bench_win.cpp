// Layout of one lesson with real GDI measuring, under Wine: the reader's own
// LayoutText on a memory device context, at three widths. Prints rows of the
// bench table. Usage: layout_bench.exe <lesson-text-file> [runs]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "bench/win_clock.h"
#include "settings/settings.h"
#include "text/layout.h"
#include "text/text_format.h"

namespace {

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) return 2;
    int runs = argc > 2 ? _wtoi(argv[2]) : 5;
    FILE* f = _wfopen(argv[1], L"rb");
    if (!f) return 1;
    std::vector<uint8_t> bytes;
    for (int c; (c = fgetc(f)) != EOF;) bytes.push_back(uint8_t(c));
    fclose(f);

    g_settings.FontAsciiBase = DEFAULT_ASCII_BASE;
    g_settings.Flags = DEFAULT_FLAGS;
    FontBlock font = {u"Arial", 0, DEFAULT_ASCII_BASE};
    HDC dc = CreateCompatibleDC(nullptr);
    for (int width : {320, 800, 1600}) {
        ViewBox box = {0, 0, width, 600};
        TextView* view = NewTextView(reinterpret_cast<ViewDc>(dc), &box, &font, 0);
        auto* text = static_cast<uint8_t*>(calloc(bytes.size() + 8, 1));
        memcpy(text, bytes.data(), bytes.size());
        LayoutText(view, text, 1);
        double best = 1e9;
        for (int i = 0; i < runs; ++i) {
            double start = Now();
            LayoutText(view, view->text, 0);
            best = std::min(best, Now() - start);
        }
        char measure[64], figure[32], against[48];
        snprintf(measure, sizeof measure, "layout, longest lesson, %d px, GDI under Wine", width);
        snprintf(figure, sizeof figure, "%.1f ms", best * 1e3);
        snprintf(against, sizeof against, "%u lines, Arial, default size", unsigned(view->lineCount));
        printf("| %-48s | %-22s | %-44s | %-19s | %-16s |\n", measure, figure, against, "", "(instant)");
        FreeTextView(view, 1);
    }
    DeleteDC(dc);
    return 0;
}
