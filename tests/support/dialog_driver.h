// Drives a modal dialog from inside its own message loop: when it first
// activates, a zero-time timer runs the test's script on it. Message boxes
// that open meanwhile are noted and answered from a queue (default OK).
#pragma once
#include "text/edit_direction.h"
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
        // The dialog box shows itself once its queue is first empty; on a
        // loaded machine the timer can come due before that. Wait for it, so
        // a script sees the dialog as the reader does.
        if (!IsWindowVisible(window))
            return;
        KillTimer(window, id);
        auto run = std::move(script);
        script = nullptr;
        if (run) run(window);
    }

    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        HWND window = box_hook::ActivatedDialog(code, wParam);
        if (window && window != dialog) {
            if (!dialog && script) {
                dialog = window;
                SetTimer(window, 1, 0, RunScript);
            } else {
                boxes.push_back(box_hook::BoxText(window));
                int answer = IDOK;
                if (!answers.empty()) {
                    answer = answers.front();
                    answers.pop_front();
                }
                PostMessageW(window, WM_COMMAND, answer, 0);
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
    // The same, then ends the dialog with end: WM_CLOSE for the close box,
    // else that command (0: Cancel). After a script that ended the dialog
    // itself the message is never read; it keeps a miss from hanging.
    static void Next(std::function<void(HWND)> run, UINT end)
    {
        Next([run = std::move(run), end](HWND window) {
            run(window);
            if (end == WM_CLOSE)
                PostMessageW(window, WM_CLOSE, 0, 0);
            else
                PostMessageW(window, WM_COMMAND, end ? end : IDCANCEL, 0);
        });
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

// A key as the dialog's own loop takes it: through the dialog manager to
// the control with the focus (the dialog when it has none), Shift and Alt
// held as asked. Alt with a letter is the mnemonic's WM_SYSCHAR.
inline void PressKey(HWND dialog, WPARAM key, bool shift = false, bool alt = false)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    keys[VK_MENU] = alt ? 0x80 : 0;
    SetKeyboardState(keys);
    HWND focus = GetFocus();
    MSG m = {focus && IsChild(dialog, focus) ? focus : dialog, WM_KEYDOWN, key, 1};
    if (alt) m = {m.hwnd, WM_SYSCHAR, key, LPARAM(1) << 29};
    if (!IsDialogMessageW(dialog, &m)) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
    keys[VK_SHIFT] = keys[VK_MENU] = 0;
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
