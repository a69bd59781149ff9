// The reader's yardsticks, printed as rows of one table (scripts/bench.sh
// adds the rows measured under Wine): full-cycle search against bare
// decompression and grep -c, the decoder against zlib inflate, encoded sizes
// against zlib -9 and the greedy parse, layout of the longest lesson at three
// widths, and peak memory. Figures only; nothing here passes or fails.
// Usage: reader_bench [work-dir]   (work-dir holds the text grep reads)
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "calendar/schedule.h"
#include "bench/zlib_yardstick.h"
#include "content/lesson_store.h"
#include "content/resource_lookup.h"
#include "search/search_walk.h"
#include "settings/settings.h"
#include "text/layout.h"
#include "text/text_device_fixed.h"
#include "text/text_format.h"
#include "tools/compressor.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Clock = std::chrono::steady_clock;

// Letter code for a word the work never uses, so every search reads it all.
constexpr uint8_t kAbsent[] = "zqzqx";

// Best of several timed runs, in seconds: the machine is shared, and the
// quickest run is the one least disturbed by others.
double BestSeconds(int runs, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        auto start = Clock::now();
        work();
        times.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times.front();
}

long PeakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void Row(const char* measure, const std::string& figure, const std::string& against, const std::string& ratio,
         const char* goal)
{
    printf("| %-48s | %-14s | %-30s | %-7s | %-16s |\n", measure, figure.c_str(), against.c_str(), ratio.c_str(), goal);
}

std::string Fmt(const char* format, double value)
{
    char text[64];
    snprintf(text, sizeof text, format, value);
    return text;
}

struct Record {
    Bytes packed;
    uint16_t size;
};

// Every compressed lesson record of the embedded containers.
std::vector<Record> LessonRecords()
{
    std::vector<Record> records;
    for (int id = FIRST_LESSON_RESOURCE;; ++id) {
        const uint8_t* data = nullptr;
        size_t size = 0;
        if (FindResourceBytes(static_cast<uint16_t>(id), &data, &size) != 0) break;
        size_t at = CONTAINER_HEADER_SIZE;
        while (at + RECORD_HEADER_SIZE <= size) {
            size_t packed = data[at] << 8 | data[at + 1];
            uint16_t length = static_cast<uint16_t>(data[at + 2] << 8 | data[at + 3]);
            if (!packed || at + RECORD_HEADER_SIZE + packed > size) break;
            records.push_back({Bytes(data + at + RECORD_HEADER_SIZE, data + at + RECORD_HEADER_SIZE + packed), length});
            at += RECORD_HEADER_SIZE + packed;
        }
    }
    return records;
}

// grep -c over the lessons written out uncompressed, one record a line.
double GrepSeconds(const std::vector<Bytes>& texts, const std::string& dir, int runs, long* count)
{
    std::string path = dir + "/lessons.txt";
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) return -1;
    for (const Bytes& t : texts)
        for (uint8_t b : t) fputc(b ? b : '\n', f);
    fclose(f);
    std::string command = "LC_ALL=C grep -c -a -F -e '" + std::string(reinterpret_cast<const char*>(kAbsent)) +
                          "' '" + path + "'";
    return BestSeconds(runs, [&] {
        FILE* p = popen(command.c_str(), "r");
        if (!p || fscanf(p, "%ld", count) != 1) *count = -1;
        if (p) pclose(p);
    });
}

}  // namespace

int main(int argc, char** argv)
{
    std::string dir = argc > 1 ? argv[1] : "/tmp";
    constexpr int RUNS = 9;
    g_settings = {};
    g_settings.FontAsciiBase = DEFAULT_ASCII_BASE;
    g_settings.Flags = DEFAULT_FLAGS;

    // Start-up, as far as the portable heart goes: one lesson loaded and laid out.
    g_fixedMetrics = {8, 18, 14};
    g_textDevice = &g_fixedDevice;
    ViewBox box = {0, 0, 800, 600};
    TextView* view = NewTextView(reinterpret_cast<ViewDc>(uintptr_t{1}), &box, nullptr, 0);
    LayoutText(view, LoadLesson(1, nullptr), 1);
    long startKb = PeakKilobytes();

    std::vector<Bytes> texts;
    size_t total = 0, longest = 0;
    for (int lesson = 1; lesson <= LESSON_COUNT; ++lesson) {
        uint8_t* t = LoadLesson(lesson, nullptr);
        if (!t) {
            fprintf(stderr, "reader_bench: lesson %d did not load (no embedded containers?)\n", lesson);
            return 1;
        }
        size_t n = 0;
        while (t[n]) n += 2, n += strlen(reinterpret_cast<char*>(t + n)) + 1;
        texts.emplace_back(t, t + n + 1);
        total += n + 1;
        if (n > texts[longest].size()) longest = texts.size() - 1;
        free(t);
    }

    double decompress = BestSeconds(RUNS, [] {
        for (int lesson = 1; lesson <= LESSON_COUNT; ++lesson) free(LoadLesson(lesson, nullptr));
    });
    int found = 0;
    double search = BestSeconds(RUNS, [&] {
        SearchHit hit{};
        found = WalkLessons(kAbsent, nullptr, 0, 0, nullptr, &hit);
        if (found) free(hit.text);
    });
    long searchKb = PeakKilobytes();
    long grepCount = 0;
    double grep = GrepSeconds(texts, dir, RUNS, &grepCount);

    printf("| %-48s | %-14s | %-30s | %-7s | %-16s |\n", "measure", "figure", "against", "ratio", "goal");
    printf("|%s|%s|%s|%s|%s|\n", std::string(50, '-').c_str(), std::string(16, '-').c_str(),
           std::string(32, '-').c_str(), std::string(9, '-').c_str(), std::string(18, '-').c_str());
    std::string lessons = Fmt("%.0f", LESSON_COUNT) + " lessons, " + Fmt("%.2f MB", total / 1e6);
    Row(("search, finds nothing (" + lessons + ")").c_str(), Fmt("%.1f ms", search * 1e3),
        "grep -c: " + Fmt("%.1f ms", grep * 1e3) + (grepCount == 0 ? "" : " (found!)"), Fmt("%.2fx", search / grep),
        "<= 1.5x grep");
    Row("search against decompression alone", Fmt("%.1f ms", search * 1e3), "decompress: " + Fmt("%.1f ms", decompress * 1e3),
        Fmt("%.2fx", search / decompress), "<= 2x");
    if (found) printf("(the search found the absent word: figures above are not a full cycle)\n");

    // Decoder against inflate, on the same texts.
    std::vector<Record> records = LessonRecords();
    std::vector<Bytes> deflated;
    size_t recordBytes = 0, packedOurs = 0, packedZlib = 0, packedGreedy = 0;
    std::vector<Bytes> recordTexts;
    for (const Record& r : records) {
        CompressedRecord rec{r.packed.data(), static_cast<uint16_t>(r.packed.size()), r.size};
        uint8_t* t = UnCompress(&rec, nullptr);
        recordTexts.emplace_back(t, t + r.size);
        free(t);
        deflated.push_back(Deflate(recordTexts.back()));
        recordBytes += r.size;
        packedOurs += r.packed.size();
        packedZlib += deflated.back().size();
        packedGreedy += CompressGreedy(recordTexts.back()).size();
    }
    double ours = BestSeconds(RUNS, [&] {
        for (const Record& r : records) {
            CompressedRecord rec{r.packed.data(), static_cast<uint16_t>(r.packed.size()), r.size};
            free(UnCompress(&rec, nullptr));
        }
    });
    double inflate = BestSeconds(RUNS, [&] {
        for (size_t i = 0; i < records.size(); ++i) {
            auto* t = static_cast<uint8_t*>(malloc(records[i].size + 2));
            Inflate(deflated[i], t, records[i].size);
            free(t);
        }
    });
    Row(("decoder (" + std::to_string(records.size()) + " records)").c_str(), Fmt("%.0f MB/s", recordBytes / ours / 1e6),
        "zlib inflate: " + Fmt("%.0f MB/s", recordBytes / inflate / 1e6), Fmt("%.2fx", inflate / ours),
        "not slower");
    Row("encoded size, optimal parse", Fmt("%.1f%%", 100.0 * packedOurs / recordBytes),
        "zlib -9: " + Fmt("%.1f%%", 100.0 * packedZlib / recordBytes), Fmt("%.2fx", double(packedOurs) / packedZlib),
        "(yardstick)");
    Row("encoded size, optimal against greedy", Fmt("%.0f B", double(packedOurs)), "greedy: " + Fmt("%.0f B", double(packedGreedy)),
        Fmt("%.3fx", double(packedOurs) / packedGreedy), "clearly smaller");

    // Layout of the longest lesson; also left in the work folder for the
    // same layout with GDI under Wine.
    if (FILE* f = fopen((dir + "/longest_lesson.bin").c_str(), "wb")) {
        fwrite(texts[longest].data(), 1, texts[longest].size(), f);
        fclose(f);
    }
    for (int width : {320, 800, 1600}) {
        view->width = width;
        view->height = 600;
        uint8_t* text = static_cast<uint8_t*>(malloc(texts[longest].size() + LESSON_TEXT_PADDING));
        memcpy(text, texts[longest].data(), texts[longest].size());
        memset(text + texts[longest].size(), 0, LESSON_TEXT_PADDING);
        if (LayoutText(view, text, 1) != 0) printf("(layout at %d px failed)\n", width);
        double t = BestSeconds(RUNS, [&] { LayoutText(view, view->text, 0); });
        Row(("layout, longest lesson (" + Fmt("%.0f B", texts[longest].size()) + "), " + std::to_string(width) + " px").c_str(),
            Fmt("%.2f ms", t * 1e3), std::to_string(view->lineCount) + " lines, fixed measure", "", "(instant)");
    }
    Row("peak memory after start-up (native)", Fmt("%.1f MB", startKb / 1024.0), "maximum resident set", "", "(figure)");
    Row("peak memory after a full-cycle search (native)", Fmt("%.1f MB", searchKb / 1024.0), "maximum resident set", "",
        "(figure)");
    FreeTextView(view, 1);
    ReleaseConversionBuffer();
    return 0;
}
