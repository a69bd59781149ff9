// Drives the real main window inside the test process: the registry is
// reset and preset, StartInstance makes the window, messages are pumped
// here, and modal boxes are closed by a CBT hook instead of a person.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/lifetime.h"
#include "app/start_up.h"
#include "base/globals.h"
#include "calendar/calendar.h"
#include "settings/settings.h"
#include "settings/settings_store_win.h"
#include "tests/app/dialog_boxes.h"
#include "text/text_view.h"

namespace reader_test {

// Every dialog box that opens while the hook is installed is noted and
// ended with Cancel (a box with OK only takes it as OK).
struct BoxCloser {
    static inline HHOOK hook;
    static inline std::vector<std::wstring> texts;
    static inline std::vector<std::wstring> titles;

    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        if (HWND box = box_hook::ActivatedDialog(code, wParam)) {
            texts.push_back(box_hook::BoxText(box));
            wchar_t title[256] = {};
            GetWindowTextW(box, title, 256);
            titles.push_back(title);
            PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
        return CallNextHookEx(hook, code, wParam, lParam);
    }
    static void Install()
    {
        texts.clear();
        titles.clear();
        hook = SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId());
    }
    static void Remove()
    {
        if (hook)
            UnhookWindowsHookEx(hook);
        hook = nullptr;
    }
};

inline int32_t TodayNumber()
{
    DateRec d = LocalDate();
    return AbsoluteFromGregorian(d.month, d.day, d.year);
}

class ReaderTest : public ::testing::Test {
protected:
    HWND window = nullptr;
    bool quitPosted = false;

    void SetUp() override
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Lumivex");
        BoxCloser::Install();
    }
    void TearDown() override
    {
        Close();
        BoxCloser::Remove();
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Lumivex");
    }

    static void Preset(const wchar_t* name, DWORD value)
    {
        WriteNumber(name, int32_t(value));
    }
    static void PresetText(const wchar_t* name, const wchar_t* text) { WriteText(name, text); }
    static void PresetBytes(const wchar_t* name, const void* bytes, DWORD count)
    {
        WriteBytes(name, bytes, count);
    }
    // A placed window with a face name, so no first-run dialog is asked for.
    static void PresetWindow(int width = 640, int height = 520)
    {
        PresetText(L"FontName", L"David CLM");
        Preset(L"Left", 20);
        Preset(L"Top", 20);
        Preset(L"Width", DWORD(width));
        Preset(L"Height", DWORD(height));
    }

    // A placed window on a day or lesson the reader chose (Day 0: by number).
    static void PresetPinned(int32_t day, int lesson, DWORD flags = DEFAULT_FLAGS)
    {
        PresetWindow();
        Preset(L"Flags", flags | FLAG_PIN);
        Preset(L"Day", DWORD(day));
        Preset(L"Lesson", DWORD(lesson));
    }

    void ExpectWindowSize(int width, int height) const
    {
        RECT r;
        GetWindowRect(window, &r);
        EXPECT_EQ(r.right - r.left, width);
        EXPECT_EQ(r.bottom - r.top, height);
    }

    HWND Start(int showCmd = SW_SHOWNORMAL)
    {
        ResetProgramState(GetModuleHandleW(nullptr));
        g_state.SurroundingGutter = ReadGutter();
        window = StartInstance(showCmd);
        quitPosted = false;
        Pump();
        return window;
    }

    void Pump()
    {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                quitPosted = true;
                continue;
            }
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }

    void Close()
    {
        if (window && IsWindow(window))
            DestroyWindow(window);
        window = nullptr;
        Pump();
    }

    // The window closed and opened again on what it saved.
    void Restart()
    {
        Close();
        Start();
    }

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        LRESULT result = SendMessageW(window, message, wParam, lParam);
        Pump();
        return result;
    }
    void Command(int id) { Send(WM_COMMAND, WPARAM(id)); }
    LRESULT Key(WPARAM key) { return Send(WM_KEYDOWN, key, 1); }

    TextView* View() const { return g_state.mainView; }
    int FirstRow() const { return View()->firstRow; }
};

}  // namespace reader_test
