// A program of its own whose lesson containers are damaged resources: the
// real resource lookup, the store and the document view meet them under
// Wine. Built and run by tests/scripts/damaged_resources.sh; prints one line
// per check and exits 1 when one failed.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/lifetime.h"
#include "app/navigation.h"
#include "app/start_up.h"
#include "base/globals.h"
#include "content/lesson_store.h"
#include "search/find_next.h"
#include "settings/settings.h"
#include "settings/settings_store_win.h"
#include "tests/app/dialog_boxes.h"
#include "text/text_view.h"

namespace {

std::vector<std::wstring> g_boxes;
HHOOK g_hook;
int g_failed;

// Notes every message box and ends it, as a person pressing OK would.
LRESULT CALLBACK CloseBoxes(int code, WPARAM wParam, LPARAM lParam)
{
    if (HWND box = box_hook::ActivatedDialog(code, wParam)) {
        g_boxes.push_back(box_hook::BoxText(box));
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

void Check(bool ok, const char* what)
{
    printf("%s %s\n", ok ? "ok  " : "FAIL", what);
    if (!ok) g_failed = 1;
}

bool Shown(const wchar_t* text)
{
    for (const std::wstring& b : g_boxes)
        if (b == text) return true;
    return false;
}

void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// Starts the reader pinned on a lesson and closes it again.
TextView* StartOn(int lesson, HWND* window)
{
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Lumivex");
    WriteText(L"FontName", L"Arial");
    WriteNumber(L"Flags", int32_t(DEFAULT_FLAGS | FLAG_PIN));
    WriteNumber(L"Lesson", lesson);
    ResetProgramState(GetModuleHandleW(nullptr));
    g_state.SurroundingGutter = ReadGutter();
    *window = StartInstance(SW_SHOWNORMAL);
    Pump();
    return g_state.mainView;
}

}  // namespace

int wmain()
{
    g_hook = SetWindowsHookExW(WH_CBT, CloseBoxes, nullptr, GetCurrentThreadId());

    // Straight through the store: each slot of the damaged container 1001.
    struct Slot {
        int lesson;
        int32_t reason;   // 0: loads
        const char* what;
    } slots[] = {
        {1, LOAD_BUFFER_ERROR, "a back-reference before the start is a buffer error"},
        {2, LOAD_BUFFER_ERROR, "a record cut by the end of the resource is a buffer error"},
        {6, LOAD_NO_SLOT, "a body length of 3 leaves no slot"},
        {11, LOAD_BAD_RECORD, "an uncompressed size of 0 is refused"},
        {12, 0, "an unended record decodes to its stated size"},
        {16, LOAD_NO_MEMORY, "a resource shorter than its header is refused"},
        {21, LOAD_NO_RESOURCE, "a missing resource is reported as missing"},
    };
    for (const Slot& s : slots) {
        int32_t reason = 0;
        uint8_t* text = LoadLesson(s.lesson, &reason);
        Check(s.reason == 0 ? text != nullptr && reason == 0 : text == nullptr && reason == s.reason, s.what);
        free(text);
    }
    Check(Shown(L"UnCompress() buffer error!"), "the buffer error is shown");

    // The document view on a damaged lesson: the buffer error, then its own word.
    g_boxes.clear();
    HWND window = nullptr;
    TextView* view = StartOn(1, &window);
    Check(window != nullptr && view != nullptr, "the window opens on a damaged lesson");
    Check(view && view->text == nullptr, "the view holds no text");
    Check(Shown(L"UnCompress() buffer error!") && Shown(L"Resource not found"),
          "the view says \"Resource not found\" after the buffer error");
    if (window) {
        SendMessageW(window, WM_KEYDOWN, VK_NEXT, 1);
        SendMessageW(window, WM_KEYDOWN, VK_END, 1);
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        Pump();
        Check(IsWindow(window) != 0, "paging and painting an empty view");
        DestroyWindow(window);
        Pump();
    }

    // An unended record is laid out and painted like any text.
    g_boxes.clear();
    view = StartOn(12, &window);
    Check(view && view->text != nullptr && view->lineCount > 0, "an unended record is shown");
    if (window) {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        Pump();
    }

    // A lesson the layout refuses, reached by number or as a search's hit:
    // the move is undone and the reader told, and the view keeps its text.
    if (window && view) {
        const wchar_t* refused = L"Could not access the\r\nThe lesson for the selected day";
        uint8_t* shown = view->text;
        g_boxes.clear();
        GoToLesson(window, 13);
        Pump();
        Check(Shown(refused) && g_settings.Lesson == 12 && view->text == shown && view->lineCount > 0,
              "a lesson the layout refuses is not shown, and the reader is told");
        g_boxes.clear();
        g_settings.SearchString[0] = 'y';
        g_settings.SearchString[1] = 0;
        FindNext(window);
        Pump();
        Check(Shown(refused) && g_settings.Lesson == 12 && g_settings.Day == 0 && view->text == shown &&
                  view->highlightEnd == 0,
              "a found lesson the layout refuses is not shown, and the reader is told");
    }
    if (window) {
        DestroyWindow(window);
        Pump();
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Lumivex");
    UnhookWindowsHookEx(g_hook);
    return g_failed;
}
