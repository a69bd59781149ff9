#include "app/main_window.h"

#include <commctrl.h>

#include "app/about_dialog.h"
#include "app/accessible_view_win.h"
#include "app/learned_commands.h"
#include "app/lifetime.h"
#include "app/navigation.h"
#include "app/selection_win.h"
#include "app/toolbar_win.h"
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
#include "settings/window_placement_win.h"
#include "text/colours_win.h"
#include "text/document_view_win.h"
#include "text/page_render_win.h"
#include "text/style_fonts_win.h"
#include "text/text_view.h"
#include "text/zoom_win.h"

namespace {

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

// With Shift the line and page keys select from the top visible line
// instead of scrolling; Escape drops the selection.
enum class Select { Clear, LineUp, LineDown, PageUp, PageDown };

struct SelectKeyEntry {
    WPARAM key;
    bool shift;
    Select select;
};

constexpr SelectKeyEntry SELECT_KEY_TABLE[] = {
    {VK_UP, true, Select::LineUp},     {VK_DOWN, true, Select::LineDown}, {VK_PRIOR, true, Select::PageUp},
    {VK_NEXT, true, Select::PageDown}, {VK_ESCAPE, false, Select::Clear},
};

bool OnSelectKey(HWND window, WPARAM key)
{
    bool shift = GetKeyState(VK_SHIFT) < 0;
    for (const SelectKeyEntry& entry : SELECT_KEY_TABLE) {
        if (entry.key != key || (entry.shift && !shift))
            continue;
        const TextView* view = g_state.mainView;
        int page = view ? KeyPageStep(view) : 1;
        switch (entry.select) {
        case Select::Clear: ClearSelection(window); break;
        case Select::LineUp: SelectLines(window, -1); break;
        case Select::LineDown: SelectLines(window, 1); break;
        case Select::PageUp: SelectLines(window, -(page ? page : 1)); break;
        case Select::PageDown: SelectLines(window, page ? page : 1); break;
        }
        return true;
    }
    return false;
}

LRESULT OnKeyDown(HWND window, WPARAM key)
{
    if (OnSelectKey(window, key))
        return 0;
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

// What the wheel has turned since its last whole row, in wheel units.
int s_wheelRest;
// Set once the end of the session has saved everything: nothing after it
// saves again.
bool s_sessionSaved;

// One row per notch, rolling away from the reader moves towards the start;
// with Ctrl held the wheel zooms instead, away from the reader larger.
// Precision touchpads and free-spinning wheels send parts of a notch; they
// add up to rows, and turning the other way starts afresh.
void OnMouseWheel(HWND window, WPARAM wParam)
{
    if (GET_KEYSTATE_WPARAM(wParam) & MK_CONTROL) {
        ZoomByWheel(window, GET_WHEEL_DELTA_WPARAM(wParam));
        return;
    }
    int delta = GET_WHEEL_DELTA_WPARAM(wParam);
    if ((delta < 0) != (s_wheelRest < 0))
        s_wheelRest = 0;
    s_wheelRest += delta;
    int rows = s_wheelRest / -WHEEL_DELTA;
    s_wheelRest += rows * WHEEL_DELTA;
    if (rows)
        ScrollMain(window, rows);
}

void OnCreate(HWND window)
{
    g_state.mainWindow = window;
    s_wheelRest = 0;
    s_sessionSaved = false;
    LoadColours();
    ShowColourChoice(window, false);
    CreateToolbar(window);
    CreateView(window, LoadShownReading);
    SyncReverseCheck(window, MENU_CHECK_SET);
    SyncBookmarkCheck(window, MENU_CHECK_SET);
    SetMenuCheck(GetMenu(window), MENU_CHECK_SET, IDM_ONE_CHAPTER, OnTrackOne());
    ShowLearnedStanding();
}

// Windows need not destroy the windows of a session that ends, and may end
// the process as soon as this returns: everything is saved now, once.
void OnEndSession(HWND window, WPARAM ending)
{
    if (!ending || s_sessionSaved)
        return;
    s_sessionSaved = true;
    SavePlacement(window);
    ShutDown();
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
    if (!s_sessionSaved)
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
// The selection when there is one, with its citation; else the whole lesson.
void CopyShown(int append)
{
    unsigned first, last;
    if (CurrentSelection(&first, &last))
        CopyPassage(g_state.mainView, first, last, append);
    else
        CopyLesson(g_state.mainView, append);
}
void CommandCopy(HWND) { CopyShown(0); }
void CommandAppend(HWND) { CopyShown(1); }
void CommandPrint(HWND) { PrintLesson(g_state.mainView); }
void CommandZoomIn(HWND window) { ZoomMain(window, 1); }
void CommandZoomOut(HWND window) { ZoomMain(window, -1); }
void CommandZoomReset(HWND window) { ZoomMain(window, 0); }
void CommandPaper(HWND window) { ChooseColours(window, COLOURS_PAPER); }
void CommandSepia(HWND window) { ChooseColours(window, COLOURS_SEPIA); }
void CommandNight(HWND window) { ChooseColours(window, COLOURS_NIGHT); }

// The whole client area in the page's colour, so no white shows around a
// dark page while the window is drawn.
LRESULT OnEraseBackground(HWND window, HDC dc)
{
    RECT client;
    GetClientRect(window, &client);
    FillColour(dc, client, ReaderColours().page);
    return 1;
}

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
    NoteChosenFontSize();
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
    {IDM_ZOOM_IN, CommandZoomIn},
    {IDM_ZOOM_OUT, CommandZoomOut},
    {IDM_ZOOM_RESET, CommandZoomReset},
    {IDM_COLOURS_PAPER, CommandPaper},
    {IDM_COLOURS_SEPIA, CommandSepia},
    {IDM_COLOURS_NIGHT, CommandNight},
    {IDM_LEARNED, CommandLearned},
    {IDM_NEXT_UNLEARNED, CommandNextUnlearned},
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

namespace {

// What a screen reader is told changed: the page shown, or the day.
struct ShownPage {
    const uint8_t* text;
    uint16_t firstRow;
    int32_t day;
    uint16_t lesson;
};

ShownPage Shown()
{
    const TextView* view = g_state.mainView;
    return {view ? view->text : nullptr, view ? view->firstRow : uint16_t(0), g_settings.Day, g_settings.Lesson};
}

LRESULT HandleMain(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    ShownPage before = Shown();
    LRESULT result = HandleMain(window, message, wParam, lParam);
    ShownPage after = Shown();
    bool newDay = after.text != before.text || after.day != before.day || after.lesson != before.lesson;
    if (g_state.mainWindow && newDay) SyncLearnedCheck(window);
    if (g_state.mainWindow && (newDay || after.firstRow != before.firstRow))
        NotifyViewChanged(window, newDay);
    return result;
}

namespace {

LRESULT HandleMain(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: OnCreate(window); return 0;
    case WM_DESTROY: OnDestroy(window); return 0;
    case WM_ENDSESSION: OnEndSession(window, wParam); return 0;
    case WM_SIZE: OnSize(window, lParam); return 0;
    case WM_PAINT: PaintMain(reinterpret_cast<HDC>(wParam), window, PAINT_WINDOW); return 0;
    case WM_HELP: ShowAboutBox(window); return 0;
    case WM_KEYDOWN: return OnKeyDown(window, wParam);
    case WM_COMMAND:
        if (DispatchCommand(window, LOWORD(wParam)))
            return 0;
        break;
    case WM_VSCROLL: return OnVScroll(window, wParam, lParam);
    case WM_LBUTTONDOWN:
        if (!SelectionButtonDown(window, wParam, lParam))
            OnViewClick(window, lParam);
        return 0;
    case WM_MOUSEMOVE: SelectionMouseMove(window, lParam); return 0;
    case WM_LBUTTONUP: SelectionButtonUp(window, lParam); return 0;
    case WM_CAPTURECHANGED: SelectionCaptureLost(window); return 0;
    case WM_MOUSEWHEEL: OnMouseWheel(window, wParam); return 0;
    case WM_ERASEBKGND: return OnEraseBackground(window, reinterpret_cast<HDC>(wParam));
    case WM_GETOBJECT:
        if (LRESULT answer = AnswerGetObject(window, wParam, lParam))
            return answer;
        break;
    case WM_SETFOCUS: NotifyWinEvent(EVENT_OBJECT_FOCUS, window, OBJID_CLIENT, CHILDID_SELF); return 0;
    case WM_INITMENUPOPUP: SyncLearnedCheck(window); return 0;
    // Back at the window after midnight, the standing counts the day gone.
    case WM_ACTIVATEAPP:
        if (wParam)
            RedrawDateBand(window);
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace
