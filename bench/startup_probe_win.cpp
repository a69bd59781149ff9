// Start-up and memory under Wine, measured from outside the programs: each
// is started with CreateProcess and counted as up when WaitForInputIdle
// returns, which is when its first messages, the first WM_PAINT among them,
// have been handled and it waits for input. The reader then gets Search
// Again with a pattern found nowhere, so it searches the whole cycle;
// the minimal window answers the same command with the same box at once,
// the floor of that measure. Peak working set after start-up and after the
// searches. Medians of runs taken in turn, quartiles as spread.
// Prints rows of the bench table. Usage:
//   startup_probe.exe <reader.exe> <minimal.exe> [runs] [minimal-with-frame.exe]
#include <windows.h>
#include <psapi.h>

#include "bench/bench_figures.h"
#include "bench/win_clock.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr wchar_t READER_KEY[] = L"Software\\Lumivex\\Quorin-3-Chapter-Hebrew";
constexpr wchar_t READER_CLASS[] = L"Quorin-3-Chapter-Hebrew";
constexpr WPARAM SEARCH_AGAIN = 117;
constexpr BYTE ABSENT[] = "zqzqx";

// A face name stops the first-run font dialog; the pattern is for the search.
void PrepareReaderSettings()
{
    HKEY key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, READER_KEY, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr))
        return;
    static constexpr wchar_t face[] = L"Arial";
    RegSetValueExW(key, L"FontName", 0, REG_SZ, reinterpret_cast<const BYTE*>(face), sizeof face);
    RegSetValueExW(key, L"SearchString", 0, REG_BINARY, ABSENT, sizeof ABSENT);
    RegCloseKey(key);
}

struct Started {
    PROCESS_INFORMATION process;
    double seconds;
    HWND window;
};

HWND WindowOf(DWORD pid, const wchar_t* className);

bool Start(const wchar_t* exe, const wchar_t* className, Started* out)
{
    STARTUPINFOW si = {sizeof si};
    wchar_t command[MAX_PATH + 2];
    swprintf(command, MAX_PATH + 2, L"\"%ls\"", exe);
    double start = Now();
    if (!CreateProcessW(exe, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &out->process)) return false;
    DWORD idle = WaitForInputIdle(out->process.hProcess, 60000);
    if (idle != 0) return false;
    // Idle may come before the window is up (a program can wait for input
    // earlier); then the window must be visible and its message loop turning.
    for (double limit = Now() + 30; Now() < limit; Sleep(1)) {
        HWND window = WindowOf(out->process.dwProcessId, className);
        if (!window) continue;
        DWORD_PTR result;
        if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK, 10000, &result)) continue;
        out->seconds = Now() - start;
        out->window = window;
        return true;
    }
    return false;
}

struct FindOwned {
    DWORD pid;
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK FindOwnedWindow(HWND window, LPARAM lParam)
{
    auto* f = reinterpret_cast<FindOwned*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (pid == f->pid && IsWindowVisible(window) && (!f->className || !wcscmp(name, f->className))) {
        f->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND WindowOf(DWORD pid, const wchar_t* className)
{
    FindOwned f{pid, className, nullptr};
    EnumWindows(FindOwnedWindow, reinterpret_cast<LPARAM>(&f));
    return f.found;
}

double PeakMegabytes(HANDLE process)
{
    PROCESS_MEMORY_COUNTERS counters = {sizeof counters};
    if (!GetProcessMemoryInfo(process, &counters, sizeof counters)) return -1;
    return counters.PeakWorkingSetSize / (1024.0 * 1024.0);
}

void Stop(Started& s)
{
    for (int i = 0; i < 5; ++i) {
        // Any message box first, then the main window.
        HWND box = WindowOf(s.process.dwProcessId, L"#32770");
        HWND main = WindowOf(s.process.dwProcessId, nullptr);
        if (box) PostMessageW(box, WM_COMMAND, IDOK, 0);
        else if (main) PostMessageW(main, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(s.process.hProcess, 2000) == WAIT_OBJECT_0) break;
    }
    if (WaitForSingleObject(s.process.hProcess, 0) != WAIT_OBJECT_0) TerminateProcess(s.process.hProcess, 1);
    CloseHandle(s.process.hThread);
    CloseHandle(s.process.hProcess);
}

std::vector<double> Ratios(const std::vector<double>& a, const std::vector<double>& b)
{
    std::vector<double> r;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) r.push_back(a[i] / b[i]);
    return r;
}

std::string Ms0(const Spread& t) { return Ms(t, 0); }

// Search Again posted to a started program; the time until its "Not Found!"
// box shows, which is then dismissed. Negative when none showed.
double SearchToBox(const Started& s)
{
    double start = Now();
    PostMessageW(s.window, WM_COMMAND, SEARCH_AGAIN, 0);
    HWND box = nullptr;
    // A minute is far beyond any search.
    while (!(box = WindowOf(s.process.dwProcessId, L"#32770")) && Now() - start < 60) Sleep(1);
    double seconds = Now() - start;
    if (!box) return -1;
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    while (WindowOf(s.process.dwProcessId, L"#32770") && Now() - start < 60) Sleep(1);
    return seconds;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: startup_probe <reader.exe> <minimal.exe> [runs]\n");
        return 2;
    }
    int runs = argc > 3 ? _wtoi(argv[3]) : 5;
    PrepareReaderSettings();
    const wchar_t* withToolbar = argc > 4 ? argv[4] : nullptr;
    std::vector<double> reader, minimal, toolbar, search, box;
    double startPeak = -1, searchPeak = -1;
    for (int run = 0; run < runs; ++run) {
        Started s{};
        if (!Start(argv[2], L"QuorinBenchMinimal", &s)) {
            fprintf(stderr, "startup_probe: the minimal window did not start\n");
            Stop(s);
            return 1;
        }
        minimal.push_back(s.seconds);
        box.push_back(SearchToBox(s));
        Stop(s);
        if (withToolbar && Start(withToolbar, L"QuorinBenchMinimal", &s)) toolbar.push_back(s.seconds);
        if (withToolbar) Stop(s);

        if (!Start(argv[1], READER_CLASS, &s)) {
            fprintf(stderr, "startup_probe: the reader did not start\n");
            Stop(s);
            return 1;
        }
        reader.push_back(s.seconds);
        if (run == 0) startPeak = PeakMegabytes(s.process.hProcess);
        search.push_back(SearchToBox(s));
        if (run == 0) searchPeak = PeakMegabytes(s.process.hProcess);
        Stop(s);
    }
    Row("start-up to first paint, Wine", Ms0(SpreadOf(reader)), "minimal window: " + Ms0(SpreadOf(minimal)),
        Ratio(SpreadOf(Ratios(reader, minimal))), "<= 1.2x");
    if (!toolbar.empty()) {
        Row("minimal window with menu, toolbar, scroll bar", Ms0(SpreadOf(toolbar)), "the minimal window above",
            Ratio(SpreadOf(Ratios(toolbar, minimal))), "(context)");
        Row("start-up against the same frame, Wine", Ms0(SpreadOf(reader)), "that frame: " + Ms0(SpreadOf(toolbar)),
            Ratio(SpreadOf(Ratios(reader, toolbar))), "(context)");
    }
    Row("full-cycle search in the program, Wine", Ms0(SpreadOf(search)),
        "Search Again to \"Not Found!\"; box alone: " + Ms0(SpreadOf(box)), "", "<= 10 ms");
    char figure[64];
    snprintf(figure, sizeof figure, "%.1f MB", startPeak);
    Row("peak working set after start-up, Wine", figure, "GetProcessMemoryInfo", "", "(figure)");
    snprintf(figure, sizeof figure, "%.1f MB", searchPeak);
    Row("peak working set after full-cycle search, Wine", figure, "GetProcessMemoryInfo", "", "(figure)");
    return reader.empty() ? 1 : 0;
}
