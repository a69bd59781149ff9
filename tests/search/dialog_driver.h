// Drives a modal dialog from inside its own message loop: when it first
// activates, a zero-time timer runs the test's script on it. Message boxes
// that open meanwhile are noted and answered from a queue (default OK).
#pragma once
#include "search/search_entry.h"
#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "tests/app/reader_fixture.h"

namespace dialog_test {

struct DialogDriver {
    static inline HHOOK hook;
    static inline HWND dialog;
    static inline std::function<void(HWND)> script;
    static inline std::vector<std::wstring> boxes;
    static inline std::deque<int> answers;

    static void CALLBACK RunScript(HWND window, UINT, UINT_PTR id, DWORD)
    {
        KillTimer(window, id);
        auto run = std::move(script);
        script = nullptr;
        if (run) run(window);
    }

    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HCBT_ACTIVATE) {
            HWND window = reinterpret_cast<HWND>(wParam);
            wchar_t cls[32] = {};
            GetClassNameW(window, cls, 32);
            if (std::wstring(cls) == L"#32770" && window != dialog) {
                if (!dialog && script) {
                    dialog = window;
                    SetTimer(window, 1, 0, RunScript);
                } else {
                    wchar_t text[256] = {};
                    GetDlgItemTextW(window, 0xFFFF, text, 256);
                    boxes.push_back(text);
                    int answer = IDOK;
                    if (!answers.empty()) {
                        answer = answers.front();
                        answers.pop_front();
                    }
                    PostMessageW(window, WM_COMMAND, answer, 0);
                }
            }
        }
        return CallNextHookEx(hook, code, wParam, lParam);
    }

    static void Install()
    {
        dialog = nullptr;
        script = nullptr;
        boxes.clear();
        answers.clear();
        hook = SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId());
    }
    static void Remove()
    {
        if (hook) UnhookWindowsHookEx(hook);
        hook = nullptr;
    }
    // The next dialog that opens gets this script.
    static void Next(std::function<void(HWND)> run)
    {
        dialog = nullptr;
        script = std::move(run);
    }
};

// The reader's window with dialogs driven by scripts instead of closed at once.
class DialogTest : public reader_test::ReaderTest {
protected:
    void SetUp() override
    {
        ReaderTest::SetUp();
        // As on Windows, whose edit controls reorder Hebrew; a test of the
        // other kind (Wine's) sets 0.
        g_editReordersHebrew = 1;
        reader_test::BoxCloser::Remove();
        DialogDriver::Install();
    }
    void TearDown() override
    {
        DialogDriver::Remove();
        Close();
        reader_test::BoxCloser::Install();
        ReaderTest::TearDown();
    }
};

inline void SetScrollLock(bool on)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SCROLL] = on ? 1 : 0;
    SetKeyboardState(keys);
}

inline std::wstring WindowText(HWND window)
{
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

inline DWORD Caret(HWND edit)
{
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return start;
}

}  // namespace dialog_test
