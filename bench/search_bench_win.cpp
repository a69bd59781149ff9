// Where a full-cycle search spends its time under Wine, inside the process:
// the reader's own walk over the lessons carried as resources, against a
// memmem over the same text already decoded, and its parts (resource
// lookup, allocation, decoding, the matcher). The C runtime here has no
// memmem; std::string's find (memchr, then a compare) stands in. Runs in turn, medians
// with quartiles. Prints rows of the bench table.
// Usage: search_bench.exe [runs]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "bench/bench_figures.h"
#include "bench/win_clock.h"
#include "calendar/schedule.h"
#include "content/lesson_store.h"
#include "content/resource_lookup.h"
#include "search/matcher.h"
#include "search/search_walk.h"
#include "search/spelling_matcher.h"

namespace {

constexpr uint8_t ABSENT[] = "zqzqx";

double Seconds(const std::function<void()>& work)
{
    double start = Now();
    work();
    return Now() - start;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    int runs = argc > 1 ? std::max(3, _wtoi(argv[1])) : 21;
    std::vector<std::vector<uint8_t>> texts;
    std::string plain;
    for (int lesson = 1; lesson <= LESSON_COUNT; ++lesson) {
        uint8_t* t = LoadLesson(lesson, nullptr);
        if (!t) {
            fprintf(stderr, "search_bench: lesson %d did not load\n", lesson);
            return 1;
        }
        size_t n = 0;
        while (t[n]) n += 2, n += strlen(reinterpret_cast<char*>(t + n)) + 1;
        texts.emplace_back(t, t + n + LESSON_TEXT_PADDING);
        plain.append(reinterpret_cast<char*>(t), n + 1);
        free(t);
    }
    const std::string absent(reinterpret_cast<const char*>(ABSENT));
    int found = 0;
    std::vector<std::function<void()>> parts = {
        [&] {
            SearchHit hit{};
            found = WalkLessons(ABSENT, nullptr, 0, 0, nullptr, &hit);
            if (found) free(hit.text);
        },
        [&] { found |= plain.find(absent) != std::string::npos; },
        [] {
            for (int lesson = 1; lesson <= LESSON_COUNT; ++lesson) {
                const uint8_t* data;
                size_t size;
                FindResourceBytes(static_cast<uint16_t>((lesson - 1) / LESSONS_PER_RESOURCE + FIRST_LESSON_RESOURCE),
                                  &data, &size);
            }
        },
        [&] {
            for (const auto& t : texts) free(malloc(t.size() + 32));
        },
        [] {
            for (int lesson = 1; lesson <= LESSON_COUNT; ++lesson) free(LoadLesson(lesson, nullptr));
        },
        [&] {
            for (const auto& t : texts) {
                uint16_t length;
                found |= FindInText(t.data(), 0, ABSENT, &length) != 0;
            }
        },
        [&] {
            SearchHit hit{};
            found |= WalkLessons(ABSENT, nullptr, 0, 0, nullptr, &hit, SEARCH_ANY_SPELLING);
            free(hit.text);
        },
    };
    for (auto& part : parts) part();
    std::vector<std::vector<double>> times(parts.size());
    // Each run takes the parts in turn, starting one further along, so no
    // part always follows the same other part.
    for (int run = 0; run < runs; ++run)
        for (size_t k = 0; k < parts.size(); ++k) {
            size_t p = (k + run) % parts.size();
            times[p].push_back(Seconds(parts[p]));
        }
    std::vector<Spread> s;
    for (auto& t : times) s.push_back(SpreadOf(t));
    char ratio[32];
    snprintf(ratio, sizeof ratio, "%.2fx", s[0].median / s[1].median);
    Row("search in process under Wine, finds nothing", Ms(s[0]), "find, decoded text: " + Ms(s[1]), ratio,
        "(floor)");
    Row("  its parts: resource lookup, 339 lessons", Ms(s[2]), "FindResourceExW, LoadResource", "", "(profile)");
    Row("  its parts: allocation, 339 lessons", Ms(s[3]), "malloc and free of each lesson's size", "", "(profile)");
    Row("  its parts: lookup, allocation, decoding", Ms(s[4]), "LoadLesson of every lesson", "", "(profile)");
    Row("  its parts: the matcher", Ms(s[5]), "FindInText over decoded lessons", "", "(profile)");
    snprintf(ratio, sizeof ratio, "%.2fx", s[6].median / s[0].median);
    Row("search in process under Wine, Any spelling", Ms(s[6]), "exact search: " + Ms(s[0]), ratio, "<= 1.5x");
    if (found) printf("(the absent word was found: figures above are not a full cycle)\n");
    return 0;
}
