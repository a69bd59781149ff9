// Where start-up spends its time, step by step, without timestamps in the
// program: the program's own start (the same calls as its entry) in a probe
// process that times every message the main window and its toolbar handle,
// through message hooks. Prints the steps longer than a tenth of a
// millisecond, from the probe's entry. Usage: startup_steps.exe
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/lifetime.h"
#include "app/start_up.h"
#include "base/globals.h"
#include "bench/win_clock.h"
#include "resources/resource.h"
#include "settings/settings.h"

namespace {

struct Step {
    UINT message;
    HWND window;
    double start, end;
};

double g_entry;
double g_boxAsked;
std::vector<Step> g_steps;
std::vector<size_t> g_open;

LRESULT CALLBACK BeforeMessage(int code, WPARAM wParam, LPARAM lParam)
{
    auto* m = reinterpret_cast<CWPSTRUCT*>(lParam);
    if (code == HC_ACTION) {
        g_open.push_back(g_steps.size());
        g_steps.push_back({m->message, m->hwnd, Now() - g_entry, -1});
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK AfterMessage(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && !g_open.empty()) {
        g_steps[g_open.back()].end = Now() - g_entry;
        g_open.pop_back();
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The "Not Found!" box: when it is asked for, and closed once it is up.
LRESULT CALLBACK WatchBox(int code, WPARAM wParam, LPARAM lParam)
{
    wchar_t name[16] = {};
    if (code == HCBT_CREATEWND || code == HCBT_ACTIVATE) GetClassNameW(reinterpret_cast<HWND>(wParam), name, 16);
    if (!wcscmp(name, L"#32770")) {
        if (code == HCBT_CREATEWND && g_boxAsked < 0) g_boxAsked = Now();
        if (code == HCBT_ACTIVATE) PostMessageW(reinterpret_cast<HWND>(wParam), WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Search Again for a word found nowhere, three times: the program's own
// part (from the command to the box being asked for) and the box's.
void SearchSteps(HWND window)
{
    static constexpr uint8_t absent[] = "zqzqx";
    memcpy(g_settings.SearchString, absent, sizeof absent);
    HHOOK hook = SetWindowsHookExW(WH_CBT, WatchBox, nullptr, GetCurrentThreadId());
    printf("Search Again, nothing found, ms: to the box asked for, then the box until closed\n");
    for (int run = 1; run <= 3; ++run) {
        g_boxAsked = -1;
        double start = Now();
        SendMessageW(window, WM_COMMAND, IDM_SEARCH_AGAIN, 0);
        double end = Now();
        if (g_boxAsked < 0) {
            printf("  search %d: no box\n", run);
            continue;
        }
        printf("  search %d: %8.2f  %8.2f\n", run, (g_boxAsked - start) * 1e3, (end - g_boxAsked) * 1e3);
    }
    UnhookWindowsHookEx(hook);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    g_entry = Now();
    HINSTANCE instance = GetModuleHandleW(nullptr);
    DWORD thread = GetCurrentThreadId();
    HHOOK beforeHook = SetWindowsHookExW(WH_CALLWNDPROC, BeforeMessage, nullptr, thread);
    HHOOK afterHook = SetWindowsHookExW(WH_CALLWNDPROCRET, AfterMessage, nullptr, thread);
    ResetProgramState(instance);
    g_state.SurroundingGutter = ReadGutter();
    double before = Now() - g_entry;
    HWND window = StartInstance(SW_SHOWNORMAL);
    double shown = Now() - g_entry;
    if (!window) return 1;
    // Whatever start-up left queued (the first paint among it), as the
    // message loop would take it before waiting for input.
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    double idle = Now() - g_entry;
    UnhookWindowsHookEx(beforeHook);
    UnhookWindowsHookEx(afterHook);
    printf("start-up steps, ms from the probe's entry:\n");
    printf("  %8.2f  StartInstance called\n", before * 1e3);
    for (const Step& s : g_steps) {
        if (s.end < 0 || s.end - s.start < 1e-4) continue;
        wchar_t name[64] = L"?";
        GetClassNameW(s.window, name, 64);
        printf("  %8.2f  %8.2f ms  message 0x%04X to %ls\n", s.start * 1e3, (s.end - s.start) * 1e3, s.message,
               name);
    }
    printf("  %8.2f  StartInstance returned\n  %8.2f  queue empty (first paint done)\n", shown * 1e3, idle * 1e3);
    SearchSteps(window);
    DestroyWindow(window);
    return 0;
}
