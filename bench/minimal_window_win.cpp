// The yardstick for start-up under Wine: the least a Win32 program does to
// put a painted window on the screen, started the same way as the reader.
// Built a second time with BENCH_TOOLBAR, it also gets the reader's frame:
// a menu bar of two menus, a scroll bar, and a toolbar from the common
// controls, which shows what the frame costs before any reading is done.
// Search Again (command 117) shows the reader's "Not Found!" box at once: the
// floor under the reader's search as the start-up probe times it.
#include <windows.h>
#ifdef BENCH_TOOLBAR
#include <commctrl.h>
#include <initializer_list>
#endif

namespace {

LRESULT CALLBACK MinimalWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        TextOutW(dc, 10, 10, L"\u05D0\u05D1\u05D2", 3);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == 117) MessageBoxW(window, L"Not Found!", L"Quorin", MB_OK);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = MinimalWndProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"QuorinBenchMinimal";
    RegisterClassW(&wc);
    DWORD style = WS_OVERLAPPEDWINDOW;
    HMENU menu = nullptr;
#ifdef BENCH_TOOLBAR
    style |= WS_VSCROLL;
    menu = CreateMenu();
    for (const wchar_t* name : {L"&File", L"&Go"}) {
        HMENU popup = CreatePopupMenu();
        AppendMenuW(popup, MF_STRING, 1, L"&About");
        AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), name);
    }
#endif
    HWND window = CreateWindowExW(0, wc.lpszClassName, L"Minimal", style, CW_USEDEFAULT, CW_USEDEFAULT, 640, 480,
                                  nullptr, menu, instance, nullptr);
#ifdef BENCH_TOOLBAR
    InitCommonControls();
    CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, window, nullptr, instance,
                    nullptr);
#endif
    ShowWindow(window, show);
    UpdateWindow(window);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
