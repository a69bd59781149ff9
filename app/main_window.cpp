#include "app/main_window.h"

#include <commctrl.h>

#include "app/about_dialog.h"
#include "app/lifetime.h"
#include "app/navigation.h"
#include "app/update_check.h"
#include "base/display_scale.h"
#include "base/globals.h"
#include "calendar/portion_schedule.h"
#include "calendar/schedule.h"
#include "calendar/track_reading.h"
#include "fonts/font_dialog.h"
#include "index/index_text.h"
#include "index/section_dialog.h"
#include "output/clipboard_win.h"
#include "output/print_win.h"
#include "resources/resource.h"
#include "search/find_next.h"
#include "search/search_dialog.h"
#include "settings/bookmarks_win.h"
#include "settings/settings.h"
#include "settings/settings_store_win.h"
#include "text/document_view_win.h"
#include "text/page_render_win.h"
#include "text/text_view.h"

namespace {

// ---- Toolbar: seven plain push buttons over the strip of bitmap 114.

constexpr TBBUTTON MakeButton(int image, int command)
{
    TBBUTTON button = {};
    button.iBitmap = image;
    button.idCommand = command;
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = BTNS_BUTTON;
    return button;
}

constexpr TBBUTTON TOOLBAR_BUTTONS[] = {
    MakeButton(0, IDM_PREVIOUS_DAY), MakeButton(1, IDM_TODAY),  MakeButton(2, IDM_NEXT_DAY),
    MakeButton(3, IDM_FONT),         MakeButton(4, IDM_SEARCH), MakeButton(5, IDM_SEARCH_AGAIN),
    MakeButton(6, IDM_INDEX),
};
constexpr int TOOLBAR_BUTTON_COUNT = sizeof TOOLBAR_BUTTONS / sizeof TOOLBAR_BUTTONS[0];

constexpr int TOOLBAR_IMAGE_SIZE = 16;   // pixels at 96 DPI

// The strip is loaded at the screen's size and handed over as a bitmap (no
// instance); the toolbar copies it, the window deletes it on closing.
void CreateToolbar(HWND window)
{
    int size = ScaleToDpi(TOOLBAR_IMAGE_SIZE);
    HBITMAP strip = LoadScaledBitmap(g_state.instance, IDB_TOOLBAR, size * TOOLBAR_BUTTON_COUNT, size, true);
    g_state.toolbarStrip = strip;
    g_state.toolbar = CreateToolbarEx(window, WS_CHILD | WS_VISIBLE, IDC_TOOLBAR, TOOLBAR_BUTTON_COUNT, nullptr,
                                      reinterpret_cast<UINT_PTR>(strip), TOOLBAR_BUTTONS, TOOLBAR_BUTTON_COUNT,
                                      size, size, size, size, sizeof(TBBUTTON));
}

// ---- Keys and scroll bar requests as data.

enum class Move {
    None,
    SearchAgain,
    PreviousDay,
    NextDay,
    LineUp,          // -1
    LineDown,        // +1
    KeyPageUp,       // -P
    KeyPageDown,     // +P
    BarPageUp,       // 1 - R
    BarPageDown,     // R - 1
    ToStart,         // -firstRow (keys fall back to -P)
    ToEnd,           // +maxFirstRow (keys fall back to +P)
    Thumb,           // thumb position - firstRow
};

struct KeyEntry {
    WPARAM key;
    Move move;
};

constexpr KeyEntry KEY_TABLE[] = {
    {VK_RETURN, Move::SearchAgain}, {VK_PRIOR, Move::KeyPageUp},  {VK_NEXT, Move::KeyPageDown},
    {VK_END, Move::ToEnd},          {VK_HOME, Move::ToStart},     {VK_LEFT, Move::PreviousDay},
    {VK_UP, Move::LineUp},          {VK_RIGHT, Move::NextDay},    {VK_DOWN, Move::LineDown},
};

// Indexed by the request code; codes past the end (SB_ENDSCROLL on) scroll nothing.
constexpr Move SCROLL_BAR_TABLE[] = {
    Move::LineUp,   Move::LineDown, Move::BarPageUp, Move::BarPageDown,
    Move::Thumb,    Move::Thumb,    Move::ToStart,   Move::ToEnd,
};

int KeyPageStep(const TextView* view)
{
    return PageStep(view, (g_settings.Flags & FLAG_KEY_PAGE_MASK) >> FLAG_KEY_PAGE_SHIFT);
}

int BarPageStep(const TextView* view)
{
    return PageStep(view, 0);
}

// The signed row count of a scrolling move; keys get a page when there is
// no distance to the start or the end.
int RowsOf(Move move, const TextView* view, int thumb, bool fromKey)
{
    switch (move) {
    case Move::LineUp: return -1;
    case Move::LineDown: return 1;
    case Move::KeyPageUp: return -KeyPageStep(view);
    case Move::KeyPageDown: return KeyPageStep(view);
    case Move::BarPageUp: return -BarPageStep(view);
    case Move::BarPageDown: return BarPageStep(view);
    case Move::ToStart:
        return view->firstRow || !fromKey ? -int(view->firstRow) : -KeyPageStep(view);
    case Move::ToEnd:
        if (view->maxFirstRow || !fromKey)
            return view->maxFirstRow;
        return KeyPageStep(view);
    case Move::Thumb: return thumb - int(view->firstRow);
    default: return 0;
    }
}

LRESULT OnKeyDown(HWND window, WPARAM key)
{
    for (const KeyEntry& entry : KEY_TABLE) {
        if (entry.key != key)
            continue;
        switch (entry.move) {
        case Move::SearchAgain:
            if (g_settings.SearchString[0])
                FindNext(window);
            break;
        case Move::PreviousDay: StepDay(window, -1); break;
        case Move::NextDay: StepDay(window, 1); break;
        default:
            if (g_state.mainView)
                ScrollMain(window, RowsOf(entry.move, g_state.mainView, 0, true));
            break;
        }
        return 0;
    }
    return 1;
}

LRESULT OnVScroll(HWND window, WPARAM wParam, LPARAM lParam)
{
    int request = LOWORD(wParam);
    int thumb = short(HIWORD(wParam));
    int rows = 0;
    TextView* view = g_state.mainView;
    if (view && request < int(sizeof SCROLL_BAR_TABLE / sizeof SCROLL_BAR_TABLE[0]))
        rows = RowsOf(SCROLL_BAR_TABLE[request], view, thumb, false);
    if (rows)
        ScrollRows(view, rows, 1, 1);
    DefWindowProcW(window, WM_VSCROLL, wParam, lParam);
    if (rows)
        UpdateScrollBar(window);
    return 1;
}

// One row per notch, rolling away from the reader moves towards the start.
void OnMouseWheel(HWND window, WPARAM wParam)
{
    ScrollMain(window, GET_WHEEL_DELTA_WPARAM(wParam) / -120);
}

void OnCreate(HWND window)
{
    g_state.mainWindow = window;
    CreateToolbar(window);
    CreateView(window, LoadShownReading);
    SyncReverseCheck(window, MENU_CHECK_SET);
    SyncBookmarkCheck(window, MENU_CHECK_SET);
    SetMenuCheck(GetMenu(window), MENU_CHECK_SET, IDM_ONE_CHAPTER, OnTrackOne());
}

void OnDestroy(HWND window)
{
    if (g_state.mainView)
        ReleaseDC(window, g_state.mainView->dc);
    if (g_state.toolbar)
        DestroyWindow(g_state.toolbar);
    g_state.toolbar = nullptr;
    if (g_state.toolbarStrip)
        DeleteObject(g_state.toolbarStrip);
    g_state.toolbarStrip = nullptr;
    SavePlacement(window);
    ShutDown();
    if (g_state.dateBandFont)
        DeleteObject(g_state.dateBandFont);
    g_state.dateBandFont = nullptr;
    g_state.mainWindow = nullptr;
}

// ---- Commands.

void CommandCalendar(HWND window) { ChooseDayFromCalendar(window); }
void CommandToday(HWND window) { GoToDay(window, 0); }
void CommandNextDay(HWND window) { StepDay(window, 1); }
void CommandPreviousDay(HWND window) { StepDay(window, -1); }
void CommandSearch(HWND window) { RunSearchDialog(window); }
void CommandSearchAgain(HWND window) { FindNext(window); }
void CommandCheckForUpdates(HWND window) { CheckForUpdates(window); }
void CommandAbout(HWND window) { ShowAboutBox(window); }
void CommandExit(HWND window) { DestroyWindow(window); }
void CommandCopy(HWND) { CopyLesson(g_state.mainView, 0); }
void CommandAppend(HWND) { CopyLesson(g_state.mainView, 1); }
void CommandPrint(HWND) { PrintLesson(g_state.mainView); }

void CommandIndex(HWND window)
{
    int lesson = ChooseSection(g_state.instance, window, g_settings.Lesson, &g_settings);
    if (lesson == 0)
        return;
    // On the one-chapter track an entry leads to the day that reads it: a
    // bookmarked portion, or a lesson's first chapter.
    if (OnTrackOne()) {
        if (lesson == g_settings.Lesson)
            return;
        int32_t day = lesson > INDEX_PORTION_BASE ? DayOfPortionInCycle(lesson - INDEX_PORTION_BASE, g_settings.Day)
                                                  : DayOfLessonOnTrackOne(lesson, g_settings.Day);
        if (day != g_settings.Day)
            GoToDay(window, day);
        return;
    }
    if (lesson != g_settings.Lesson && lesson <= LESSON_COUNT)
        GoToLesson(window, lesson);
}

// The date band is drawn through the same mapping, so it turns with the page.
void CommandReverse(HWND window)
{
    SyncReverseCheck(window, MENU_CHECK_TOGGLE);
    DrawPage(g_state.mainView, 1);
    HDC dc = GetDC(window);
    PaintMain(dc, window, 0);
    ReleaseDC(window, dc);
}

// The check shows the track; the bookmark check follows the other list.
void CommandOneChapter(HWND window)
{
    SwitchTrack(window);
    SetMenuCheck(GetMenu(window), MENU_CHECK_SET, IDM_ONE_CHAPTER, OnTrackOne());
    SyncBookmarkCheck(window, MENU_CHECK_SET);
}

void CommandBookmark(HWND window)
{
    SyncBookmarkCheck(window, MENU_CHECK_TOGGLE);
}

// Only an accepted font changes anything: the band font, the band, then
// the view's fonts and layout.
void CommandFont(HWND window)
{
    if (RunFontDialog(window, &g_settings) != IDOK)
        return;
    HDC dc = GetDC(window);
    CreateDateBandFont();
    PaintMain(dc, window, 0);
    ReleaseDC(window, dc);
    SetViewFont(g_state.mainView, FontBlockOf(&g_settings));
    UpdateScrollBar(window);   // the new layout has another row count
}

struct CommandEntry {
    int command;
    void (*run)(HWND window);
};

constexpr CommandEntry COMMAND_TABLE[] = {
    {IDM_CALENDAR, CommandCalendar},
    {IDM_TODAY, CommandToday},
    {IDM_NEXT_DAY, CommandNextDay},
    {IDM_PREVIOUS_DAY, CommandPreviousDay},
    {IDM_SEARCH, CommandSearch},
    {IDM_SEARCH_AGAIN, CommandSearchAgain},
    {IDM_INDEX, CommandIndex},
    {IDM_REVERSE, CommandReverse},
    {IDM_BOOKMARK, CommandBookmark},
    {IDM_ONE_CHAPTER, CommandOneChapter},
    {IDM_CHECK_UPDATES, CommandCheckForUpdates},
    {IDM_ABOUT, CommandAbout},
    {IDM_EXIT, CommandExit},
    {IDM_FONT, CommandFont},
    {IDM_COPY, CommandCopy},
    {IDM_PRINT, CommandPrint},
    {IDM_APPEND, CommandAppend},
};

}  // namespace

bool DispatchCommand(HWND window, int command)
{
    for (const CommandEntry& entry : COMMAND_TABLE) {
        if (entry.command == command) {
            entry.run(window);
            return true;
        }
    }
    return false;
}

void ScrollMain(HWND window, int rows)
{
    if (!g_state.mainView)
        return;
    ScrollRows(g_state.mainView, rows, 1, 1);
    UpdateScrollBar(window);
}

void SyncReverseCheck(HWND window, int mode)
{
    int checked = SetMenuCheck(GetMenu(window), mode, IDM_REVERSE, (g_settings.Flags & FLAG_REVERSE) != 0);
    if (checked)
        g_settings.Flags |= FLAG_REVERSE;
    else
        g_settings.Flags &= ~FLAG_REVERSE;
}

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: OnCreate(window); return 0;
    case WM_DESTROY: OnDestroy(window); return 0;
    case WM_SIZE: OnSize(window, lParam); return 0;
    case WM_PAINT: PaintMain(reinterpret_cast<HDC>(wParam), window, PAINT_WINDOW); return 0;
    case WM_HELP: ShowAboutBox(window); return 0;
    case WM_KEYDOWN: return OnKeyDown(window, wParam);
    case WM_COMMAND:
        if (DispatchCommand(window, LOWORD(wParam)))
            return 0;
        break;
    case WM_VSCROLL: return OnVScroll(window, wParam, lParam);
    case WM_LBUTTONDOWN: OnViewClick(window, lParam); return 0;
    case WM_MOUSEWHEEL: OnMouseWheel(window, wParam); return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
