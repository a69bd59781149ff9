// The one-chapter track against the three-chapter one, in the same run:
// start-up (the program's own start, the same calls as its entry, until the
// first paint is done) and Next day (command to the page painted), taken in
// turn on a fixed day so each pair meets the same machine. Prints rows of
// the bench table. Usage: track_bench.exe [pairs]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/lifetime.h"
#include "app/start_up.h"
#include "base/globals.h"
#include "bench/bench_figures.h"
#include "bench/win_clock.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "settings/settings_store_win.h"

namespace {

constexpr int32_t FIXED_DAY = 739959;  // 9 December 2026: portion 310, lesson 309

void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

// The registry as a reader of that track left it, on the fixed day.
void Prepare(int track)
{
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Lumivex\\Quorin-3-Chapter-Hebrew");
    WriteText(L"FontName", L"Arial");
    WriteNumber(L"Flags", int32_t(DEFAULT_FLAGS | FLAG_PIN));
    WriteNumber(L"Day", FIXED_DAY);
    WriteNumber(L"Track", track);
}

HWND StartReader(double* seconds)
{
    double start = Now();
    ResetProgramState(GetModuleHandleW(nullptr));
    g_state.SurroundingGutter = ReadGutter();
    HWND window = StartInstance(SW_SHOWNORMAL);
    Pump();
    *seconds = Now() - start;
    return window;
}

double NextDay(HWND window)
{
    double start = Now();
    SendMessageW(window, WM_COMMAND, IDM_NEXT_DAY, 0);
    UpdateWindow(window);
    Pump();
    return Now() - start;
}

void Rows(const char* measure, const char* against, std::vector<double>& one, std::vector<double>& three)
{
    std::vector<double> ratios;
    for (size_t i = 0; i < one.size(); ++i) ratios.push_back(one[i] / three[i]);
    std::string other = std::string(against) + ": " + Ms(SpreadOf(three));
    Row(measure, Ms(SpreadOf(one)), other, Ratio(SpreadOf(ratios)), "<= 1x");
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    int pairs = argc > 1 ? _wtoi(argv[1]) : 15;
    if (pairs < 3) pairs = 3;
    std::vector<double> startOne, startThree, stepOne, stepThree;
    for (int i = 0; i <= pairs; ++i) {
        // The first pair warms the caches and is not counted.
        for (int track : {TRACK_THREE, TRACK_ONE}) {
            Prepare(track);
            double start = 0;
            HWND window = StartReader(&start);
            if (!window) return 1;
            std::vector<double> steps;
            for (int k = 0; k < 5; ++k) steps.push_back(NextDay(window));
            DestroyWindow(window);
            Pump();
            if (!i) continue;
            (track == TRACK_ONE ? startOne : startThree).push_back(start);
            for (double s : steps) (track == TRACK_ONE ? stepOne : stepThree).push_back(s);
        }
    }
    Rows("start-up in process, one-chapter track", "three-chapter", startOne, startThree);
    Rows("next day, one-chapter track, Wine", "three-chapter", stepOne, stepThree);
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Lumivex\\Quorin-3-Chapter-Hebrew");
    return 0;
}
