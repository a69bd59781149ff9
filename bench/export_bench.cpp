// The whole-cycle EPUB export (339 days), timed in pairs with reading the
// same lessons alone, so the figure shows what the markup, the zip and the
// write add to the decompression every export needs. Median and spread of
// each; figures only.
// Usage: export_bench [work-dir] [runs]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "calendar/calendar.h"
#include "calendar/schedule.h"
#include "settings/settings.h"
#include "content/lesson_store.h"
#include "tools/cli/epub_book.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

struct Spread {
    double median, low, high;
};

Spread Of(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.front(), times.back()};
}

std::string Ms(double seconds)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.0f ms", seconds * 1e3);
    return text;
}

// A row of the reader's table (scripts/bench.sh prints them together).
void Row(const char* measure, const std::string& figure, const std::string& against, const std::string& ratio,
         const char* goal)
{
    std::printf("| %-48s | %-14s | %-30s | %-7s | %-16s |\n", measure, figure.c_str(), against.c_str(), ratio.c_str(),
                goal);
}

}  // namespace

int main(int argc, char** argv)
{
    std::string dir = argc > 1 ? argv[1] : ".";
    int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
    std::string path = dir + "/cycle.epub";
    int32_t first = AbsoluteFromGregorian(12, 8, 2026);
    std::vector<double> exports, reads;
    for (int i = 0; i < runs; ++i) {
        auto start = Clock::now();
        std::string error;
        if (!WriteEpub(path, first, LESSON_COUNT, TRACK_THREE, error)) {
            std::fprintf(stderr, "export_bench: %s\n", error.c_str());
            return 1;
        }
        exports.push_back(Seconds(start));
        start = Clock::now();
        for (int lesson = 1; lesson <= LESSON_COUNT; ++lesson) std::free(LoadLesson(lesson, nullptr));
        reads.push_back(Seconds(start));
    }
    Spread e = Of(exports), r = Of(reads);
    char ratio[16];
    std::snprintf(ratio, sizeof ratio, "%.0fx", e.median / r.median);
    Row("EPUB export, whole cycle (339 days, median)", Ms(e.median),
        "spread " + Ms(e.low) + ".." + Ms(e.high) + ", " + std::to_string(runs) + " runs", "", "< 2 s");
    Row("EPUB export against decompression alone", Ms(e.median), "decompress: " + Ms(r.median), ratio, "(context)");
    return 0;
}
