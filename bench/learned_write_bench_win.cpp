// What keeping a mark costs: the learned days' record written to the
// registry the way every Learned command writes it, paired with the DWORD
// write the close makes for each setting. Prints rows of the bench table.
// Usage: learned_write_bench.exe [pairs]
#include <windows.h>

#include <cstdio>
#include <vector>

#include "bench/bench_figures.h"
#include "bench/win_clock.h"
#include "calendar/calendar.h"
#include "calendar/learned_days.h"
#include "settings/settings_store_win.h"

int wmain(int argc, wchar_t** argv)
{
    int pairs = argc > 1 ? _wtoi(argv[1]) : 400;
    if (pairs < 4) pairs = 4;
    // The larger of the two records: the one-chapter cycle's 1,017 days.
    LearnedDays days;
    EmptyLearned(&days, TrackCycle(1), TodayAbsolute());
    uint8_t blob[LEARNED_BLOB_MAX];
    std::vector<double> record, number, ratio;
    for (int i = 0; i < pairs; ++i) {
        ToggleLearned(&days, days.first + i % 1017);
        WriteLearnedBlob(&days, blob);
        double start = Now();
        WriteBytes(L"BenchLearned", blob, uint32_t(LearnedBlobSize(&days)));
        double middle = Now();
        WriteNumber(L"BenchNumber", i);
        double end = Now();
        record.push_back(middle - start);
        number.push_back(end - middle);
        ratio.push_back((middle - start) / (end - middle));
    }
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, SETTINGS_KEY, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        RegDeleteValueW(key, L"BenchLearned");
        RegDeleteValueW(key, L"BenchNumber");
        RegCloseKey(key);
    }
    Row("a mark written (Learned, 1,017-day record)", Ms(SpreadOf(record), 3),
        "one REG_DWORD: " + Ms(SpreadOf(number), 3), Ratio(SpreadOf(ratio)), "(cheap)");
    return 0;
}
