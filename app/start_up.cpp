#include "app/start_up.h"

#include <commctrl.h>

#include "app/lifetime.h"
#include "app/main_window.h"
#include "app/navigation.h"
#include "base/globals.h"
#include "calendar/schedule.h"
#include "fonts/font_dialog.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "settings/settings_store_win.h"
#include "text/document_view_win.h"
#include "text/layout.h"
#include "text/page_render_win.h"

namespace {

// The top-level owner of a window: follow parents until there is none.
HWND TopLevelOwner(HWND window)
{
    while (HWND parent = GetParent(window))
        window = parent;
    return window;
}

// A running copy that is active jumps to today; one behind another program
// comes to the front; one showing its own dialog is left alone.
bool HandOverToRunningInstance()
{
    HWND running = FindWindowW(MAIN_CLASS_NAME, MAIN_WINDOW_TITLE);
    if (!running)
        return false;
    HWND foreground = GetForegroundWindow();
    HWND owner = foreground ? TopLevelOwner(foreground) : nullptr;
    if (running == foreground)
        SendMessageW(running, WM_COMMAND, IDM_TODAY, 0);
    if (running != owner)
        SetForegroundWindow(running);
    return true;
}

void RegisterMainClass()
{
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_VREDRAW | CS_HREDRAW;
    wc.lpfnWndProc = MainWndProc;
    wc.hInstance = g_state.instance;
    wc.hIcon = LoadIconW(g_state.instance, MAKEINTRESOURCEW(IDI_PROGRAM));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszMenuName = MAKEINTRESOURCEW(IDR_MAIN_MENU);
    wc.lpszClassName = MAIN_CLASS_NAME;
    // A second registration in the same process (tests) fails harmlessly.
    RegisterClassExW(&wc);
}

// First run: no face name stored yet, so ask for one. Whatever closes the
// dialog, the view takes the settings' font block.
void AskForFontOnFirstRun(HWND window)
{
    if (g_settings.FontName[0])
        return;
    RunFontDialog(window, &g_settings);
    SetViewFont(g_state.mainView, FontBlockOf(&g_settings));
    UpdateScrollBar(window);
}

}  // namespace

int32_t ReadGutter()
{
    int32_t gutter = ReadNumber(VENDOR_KEY, L"SurroundingGutter", DEFAULT_GUTTER);
    return gutter < 0 || gutter > MAX_GUTTER ? DEFAULT_GUTTER : gutter;
}

DWORD MainWindowStyle(uint32_t flags)
{
    DWORD style = WS_OVERLAPPEDWINDOW;
    if (flags & (FLAG_SCROLLBAR_RIGHT | FLAG_SCROLLBAR_LEFT))
        style |= WS_VSCROLL;
    return style;
}

DWORD MainWindowExStyle(uint32_t flags)
{
    DWORD exStyle = WS_EX_WINDOWEDGE;
    if (flags & FLAG_SCROLLBAR_LEFT)
        exStyle |= WS_EX_LEFTSCROLLBAR;
    return exStyle;
}

HWND StartInstance(int showCmd)
{
    if (HandOverToRunningInstance())
        return nullptr;
    InitCommonControls();
    LoadSettings();
    SelectDay(0, SELECT_STARTUP);
    EnsureTrackDay();
    RegisterMainClass();
    // Made at the stored place and size when there is a whole one, so the
    // lesson is not laid out for a default size first; RestorePlacement
    // then moves nothing. Odd stored sizes are left to it as before.
    RECT placed;
    if (!StoredPlacement(&placed) || placed.right <= 0 || placed.bottom <= 0)
        placed = {CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT};
    HWND window = CreateWindowExW(MainWindowExStyle(g_settings.Flags), MAIN_CLASS_NAME, MAIN_WINDOW_TITLE,
                                  MainWindowStyle(g_settings.Flags), placed.left, placed.top, placed.right,
                                  placed.bottom, nullptr, nullptr, g_state.instance, nullptr);
    if (!window)
        return nullptr;
    RestorePlacement(window, showCmd);
    UpdateWindow(window);
    AskForFontOnFirstRun(window);
    return window;
}

int RunMessageLoop()
{
    MSG msg = {};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!TranslateAcceleratorW(msg.hwnd, g_state.accelerators, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return int(msg.wParam);
}
