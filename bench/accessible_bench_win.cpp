// What a screen reader's questions cost the reader: the page's text asked
// through the view's accessible object (the object fetched, its value read,
// as a reader does at each page change), paired with painting that page, and
// a calendar day's name against the calendar's own painting of a day. Prints
// rows of the bench table. Usage: accessible_bench.exe [pairs]
#include <windows.h>
#include <oleacc.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/lifetime.h"
#include "app/start_up.h"
#include "base/globals.h"
#include "bench/bench_figures.h"
#include "bench/win_clock.h"
#include "settings/settings.h"
#include "settings/settings_store_win.h"

namespace {

constexpr int32_t FIXED_DAY = 739959;  // 9 December 2026

void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

double AskValue(HWND window, size_t* length)
{
    double start = Now();
    IAccessible* object = nullptr;
    VARIANT self = {};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR value = nullptr;
    if (AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&object)) ==
        S_OK) {
        object->get_accValue(self, &value);
        object->Release();
    }
    double end = Now();
    *length = value ? SysStringLen(value) : 0;
    SysFreeString(value);
    return end - start;
}

double Paint(HWND window)
{
    double start = Now();
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
    return Now() - start;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    int pairs = argc > 1 ? _wtoi(argv[1]) : 60;
    if (pairs < 4) pairs = 4;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Lumivex\\Quorin-3-Chapter-Hebrew");
    WriteText(L"FontName", L"Arial");
    WriteNumber(L"Flags", int32_t(DEFAULT_FLAGS | FLAG_PIN));
    WriteNumber(L"Day", FIXED_DAY);
    ResetProgramState(GetModuleHandleW(nullptr));
    g_state.SurroundingGutter = ReadGutter();
    HWND window = StartInstance(SW_SHOWNORMAL);
    if (!window) return 1;
    Pump();
    std::vector<double> asked, painted, ratios;
    size_t length = 0;
    for (int i = 0; i <= pairs; ++i) {
        double a = AskValue(window, &length), p = Paint(window);
        if (!i) continue;   // the first pair loads oleacc and warms the caches
        asked.push_back(a);
        painted.push_back(p);
        ratios.push_back(a / p);
    }
    char measure[80];
    snprintf(measure, sizeof measure, "a screen reader reads the page (%zu chars), Wine", length);
    Row(measure, Ms(SpreadOf(asked), 3), "painting that page: " + Ms(SpreadOf(painted), 3), Ratio(SpreadOf(ratios)),
        "<= 1x");
    DestroyWindow(window);
    Pump();
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Lumivex\\Quorin-3-Chapter-Hebrew");
    return 0;
}
