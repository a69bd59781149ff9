// The reader's yardsticks, printed as rows of one table (scripts/bench.sh
// adds the whole-process rows and those measured under Wine): full-cycle
// search against a memmem scan of the same text already decoded and against
// bare decompression, the decoder against zlib inflate, encoded sizes against
// zlib -9 and the greedy parse, layout of the longest lesson at three widths,
// and peak memory. Times are the thread's processor time, medians of paired
// runs taken in turn, with the quartiles as spread; the ratio is the median
// of the pairs' ratios. Figures only; nothing here passes or fails.
// Usage: reader_bench [work-dir] [runs]
//   work-dir gets lessons-utf8.txt (every lesson as UTF-8, one record a line)
//   and absent-reading.txt / absent-stored.txt (the absent word as UTF-8 in
//   reading and in stored order), for the whole-process comparison with grep.
#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "bench/bench_figures.h"
#include "bench/zlib_yardstick.h"
#include "calendar/schedule.h"
#include "content/lesson_store.h"
#include "content/resource_lookup.h"
#include "search/search_walk.h"
#include "search/spelling_matcher.h"
#include "settings/settings.h"
#include "text/layout.h"
#include "text/letter_code.h"
#include "text/text_device_fixed.h"
#include "text/text_format.h"
#include "tools/compressor.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Letter code for a word the work never uses, so every search reads it all.
constexpr uint8_t ABSENT[] = "zqzqx";

// The thread's own processor time: on a shared machine the wall clock also
// counts the slices other programs were given, which says nothing of ours.
double ThreadSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec * 1e-9;
}

double Seconds(const std::function<void()>& work)
{
    double start = ThreadSeconds();
    work();
    return ThreadSeconds() - start;
}

// Two pieces of work timed in turn, the order swapped every run, so a
// neighbour's load falls on both alike.
struct Paired {
    Spread a, b, ratio;
};

Paired TimePaired(int runs, const std::function<void()>& a, const std::function<void()>& b)
{
    a(), b();   // warm caches and the allocator
    std::vector<double> ta, tb, ratio;
    for (int i = 0; i < runs; ++i) {
        double x, y;
        if (i % 2) y = Seconds(b), x = Seconds(a);
        else x = Seconds(a), y = Seconds(b);
        ta.push_back(x);
        tb.push_back(y);
        ratio.push_back(x / y);
    }
    return {SpreadOf(ta), SpreadOf(tb), SpreadOf(ratio)};
}

long PeakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

std::string Fmt(const char* format, double value)
{
    char text[64];
    snprintf(text, sizeof text, format, value);
    return text;
}

// A ratio of times as a ratio of speeds.
Spread Inverse(const Spread& r)
{
    return {1 / r.median, 1 / r.high, 1 / r.low};
}

std::string Rate(double bytes, const Spread& t)
{
    return Fmt("%.0f", bytes / t.median / 1e6) + " MB/s (" + Fmt("%.0f", bytes / t.high / 1e6) + "-" +
           Fmt("%.0f", bytes / t.low / 1e6) + ")";
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

void WriteFile(const std::string& path, const std::string& bytes)
{
    if (FILE* f = fopen(path.c_str(), "wb")) {
        fwrite(bytes.data(), 1, bytes.size(), f);
        fclose(f);
    }
}

// What grep reads: every lesson as UTF-8 in stored order, a record a line;
// and the absent word as the terminal reader takes it (reading order) and
// as grep must look for it in that file (stored order).
void WriteGrepInputs(const std::vector<Bytes>& texts, const std::string& dir)
{
    std::string all;
    for (const Bytes& t : texts) {
        for (size_t r = 0; r + 2 < t.size() && t[r];) {
            const uint8_t* s = t.data() + r + 2;
            size_t n = strlen(reinterpret_cast<const char*>(s));
            all += LetterCodeToUtf8(std::span<const uint8_t>(s, n));
            all += '\n';
            r += 2 + n + 1;
        }
    }
    WriteFile(dir + "/lessons-utf8.txt", all);
    std::string stored(reinterpret_cast<const char*>(ABSENT));
    WriteFile(dir + "/absent-stored.txt", LetterCodeToUtf8(stored));
    WriteFile(dir + "/absent-reading.txt", LetterCodeToUtf8(std::string(stored.rbegin(), stored.rend())));
}

}  // namespace

int main(int argc, char** argv)
{
    std::string dir = argc > 1 ? argv[1] : "/tmp";
    int runs = argc > 2 ? atoi(argv[2]) : 21;
    if (runs < 3) runs = 3;
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
    // Peak memory of one full walk, before the bench's own copies of the text.
    {
        SearchHit hit{};
        if (WalkLessons(ABSENT, nullptr, 0, 0, nullptr, &hit)) free(hit.text);
    }
    long searchKb = PeakKilobytes();

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

    WriteGrepInputs(texts, dir);
    // The floor of any search of this text: one memmem over all of it,
    // already decoded and in memory.
    std::string plain;
    for (const Bytes& t : texts) plain.append(t.begin(), t.end());
    const size_t absentLength = strlen(reinterpret_cast<const char*>(ABSENT));
    int found = 0;
    bool floorFound = false;
    auto search = [&] {
        SearchHit hit{};
        found = WalkLessons(ABSENT, nullptr, 0, 0, nullptr, &hit);
        if (found) free(hit.text);
    };
    Paired floor = TimePaired(runs, search, [&] {
        floorFound = memmem(plain.data(), plain.size(), ABSENT, absentLength) != nullptr;
    });
    Paired decompress = TimePaired(runs, search, [] {
        for (int lesson = 1; lesson <= LESSON_COUNT; ++lesson) free(LoadLesson(lesson, nullptr));
    });
    // The search's choices against the exact search: the same walk for the
    // same absent word, side by side.
    int foundWith = 0;
    auto searchWith = [&](uint32_t options) {
        return [&foundWith, options] {
            SearchHit hit{};
            foundWith |= WalkLessons(ABSENT, nullptr, 0, 0, nullptr, &hit, options);
            free(hit.text);
        };
    };
    Paired anySpelling = TimePaired(runs, searchWith(SEARCH_ANY_SPELLING), search);
    Paired bothChoices = TimePaired(runs, searchWith(SEARCH_ANY_SPELLING | SEARCH_WHOLE_WORDS), search);

    Row("measure", "figure", "against", "ratio", "goal");
    printf("|%s|%s|%s|%s|%s|\n", std::string(50, '-').c_str(), std::string(24, '-').c_str(),
           std::string(46, '-').c_str(), std::string(21, '-').c_str(), std::string(18, '-').c_str());
    Row(("search in process, nothing found (" + Fmt("%.2f MB", total / 1e6) + ")").c_str(), Ms(floor.a),
        "memmem, decoded text: " + Ms(floor.b) + (floorFound ? " (found!)" : ""), Ratio(floor.ratio), "(floor)");
    Row("search against decompression alone", Ms(decompress.a), "decompress: " + Ms(decompress.b),
        Ratio(decompress.ratio), "<= 2x");
    Row("search in process, Any spelling", Ms(anySpelling.a), "exact search: " + Ms(anySpelling.b),
        Ratio(anySpelling.ratio), "<= 1.5x");
    Row("search in process, Any spelling, Whole words", Ms(bothChoices.a), "exact search: " + Ms(bothChoices.b),
        Ratio(bothChoices.ratio), "<= 1.5x");
    if (found || foundWith) printf("(the search found the absent word: figures above are not a full cycle)\n");

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
    Paired decoder = TimePaired(
        runs,
        [&] {
            for (const Record& r : records) {
                CompressedRecord rec{r.packed.data(), static_cast<uint16_t>(r.packed.size()), r.size};
                free(UnCompress(&rec, nullptr));
            }
        },
        [&] {
            for (size_t i = 0; i < records.size(); ++i) {
                auto* t = static_cast<uint8_t*>(malloc(records[i].size + 2));
                Inflate(deflated[i], t, records[i].size);
                free(t);
            }
        });
    Row(("decoder (" + std::to_string(records.size()) + " records)").c_str(), Rate(recordBytes, decoder.a),
        "zlib inflate: " + Rate(recordBytes, decoder.b), Ratio(Inverse(decoder.ratio)), ">= 1500 MB/s");
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
        std::vector<double> times;
        for (int i = 0; i < runs; ++i) times.push_back(Seconds([&] { LayoutText(view, view->text, 0); }));
        double t = SpreadOf(times).median;
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
