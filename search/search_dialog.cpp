// The search dialog (115): an edit box that types Hebrew from Latin keys,
// the alphabet picture to click letters in, and Enter to search.
#include "search/search_dialog.h"

#include <windowsx.h>
#undef SubclassWindow   // the name is ours: the edit box's subclassing

#include "app/globals.h"
#include "fonts/face_name_win.h"
#include "resources/resource.h"
#include "search/find_next.h"
#include "search/edit_direction_win.h"
#include "search/search_entry.h"
#include "settings/settings.h"
#include "text/text_view.h"

namespace {

constexpr int BOX_TEXT_SIZE = SEARCH_PATTERN_MAX + 1;
constexpr int PICTURE_LEFT_DLU = 104;   // the picture's place in the template
constexpr int PICTURE_TOP_DLU = 71;
constexpr int PICTURE_NUDGE_X = 51;
constexpr int PICTURE_NUDGE_Y = 25;

struct SearchDialogState {
    HWND edit;
    HFONT font;
    int baseX;       // dialog base units
    int baseY;
    WNDPROC previous;
};

SearchDialogState s_search;

bool ReadingOrder()
{
    return BoxInReadingOrder(g_settings.FontAsciiBase);
}

void Selection(HWND edit, DWORD* start, DWORD* end)
{
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(start), reinterpret_cast<LPARAM>(end));
}

void ReplaceSelection(HWND edit, const wchar_t* text)
{
    SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
}

// Each letter goes in at the caret. In display order the caret then steps
// back over it, so a word grows leftwards as it is typed; a full box takes
// nothing, and the caret stays.
void InsertChar(HWND edit, char16_t c)
{
    wchar_t text[2] = {static_cast<wchar_t>(c), 0};
    DWORD start = 0;
    Selection(edit, &start, nullptr);
    ReplaceSelection(edit, text);
    if (ReadingOrder()) return;
    DWORD caret = 0;
    Selection(edit, &caret, nullptr);
    if (caret != start)
        SendMessageW(edit, EM_SETSEL, caret - 1, caret - 1);
}

// Delete in display order: the character left of the caret.
void DeleteLeft(HWND edit)
{
    DWORD start = 0, end = 0;
    Selection(edit, &start, &end);
    if (start == end) {
        if (start == 0) return;
        SendMessageW(edit, EM_SETSEL, start - 1, start);
    }
    ReplaceSelection(edit, L"");
}

// Backspace in display order: the character right of the caret, the one
// typed last.
void DeleteRight(HWND edit)
{
    DWORD start = 0, end = 0;
    Selection(edit, &start, &end);
    if (start == end) {
        DWORD length = static_cast<DWORD>(SendMessageW(edit, EM_LINELENGTH, 0, 0));
        if (start >= length) return;
        SendMessageW(edit, EM_SETSEL, start, start + 1);
    }
    ReplaceSelection(edit, L"");
}

bool ScrollLockOn()
{
    return GetKeyState(VK_SCROLL) != 0;
}

bool ShiftHeld()
{
    return (GetKeyState(VK_SHIFT) & ~1) != 0;
}

LRESULT PassOn(HWND edit, UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcW(s_search.previous, edit, message, wParam, lParam);
}

LRESULT OnEditKeyDown(HWND edit, WPARAM key, LPARAM lParam)
{
    if (ScrollLockOn() || ReadingOrder()) return PassOn(edit, WM_KEYDOWN, key, lParam);
    if (key == VK_END)
        key = VK_HOME;
    else if (key == VK_HOME)
        key = VK_END;
    else if (key == VK_DELETE && !ShiftHeld()) {
        DeleteLeft(edit);
        return 0;
    }
    return PassOn(edit, WM_KEYDOWN, key, lParam);
}

LRESULT OnEditChar(HWND edit, WPARAM typed, LPARAM lParam)
{
    if (ScrollLockOn()) return PassOn(edit, WM_CHAR, typed, lParam);
    if (!TranslateKeyChar(edit, static_cast<char16_t>(typed))) return 0;
    if (typed == VK_BACK && !ReadingOrder()) {
        DeleteRight(edit);
        return 0;
    }
    return PassOn(edit, WM_CHAR, typed, lParam);
}

LRESULT CALLBACK HebrewEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN: return OnEditKeyDown(edit, wParam, lParam);
    case WM_CHAR: return OnEditChar(edit, wParam, lParam);
    }
    return PassOn(edit, message, wParam, lParam);
}

void SubclassWindow(HWND edit)
{
    auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HebrewEditProc)));
    if (previous == HebrewEditProc) return;
    if (previous) {
        s_search.previous = previous;
        return;
    }
    int answer = MessageBoxW(nullptr, L"SubclassWindow() error", L"Hebrew", MB_OK);
    ExitProcess(static_cast<UINT>(answer));
}

HFONT CreateBoxFont()
{
    LOGFONTW font = {};
    const TextView* view = g_state.mainView;
    font.lfHeight = view ? view->pointSize : g_settings.FontSize;
    const char16_t* face = view ? view->faceName : g_settings.FontName;
    SetFaceName(font, face);
    return CreateFontIndirectW(&font);
}

BOOL OnInitDialog(HWND dialog)
{
    s_search = {};
    s_search.edit = GetDlgItem(dialog, IDC_SEARCH_TEXT);
    EditReordersHebrew();
    char16_t text[BOX_TEXT_SIZE];
    PatternToBoxText(g_settings.SearchString, g_settings.FontAsciiBase, text);
    LONG units = GetDialogBaseUnits();
    s_search.baseX = LOWORD(units);
    s_search.baseY = HIWORD(units);
    s_search.font = CreateBoxFont();
    SendMessageW(s_search.edit, WM_SETFONT, reinterpret_cast<WPARAM>(s_search.font), TRUE);
    SendMessageW(s_search.edit, EM_LIMITTEXT, SEARCH_PATTERN_MAX, 0);
    SetWindowTextW(s_search.edit, reinterpret_cast<const wchar_t*>(text));
    SubclassWindow(s_search.edit);
    return TRUE;
}

void OnOk(HWND dialog)
{
    wchar_t text[BOX_TEXT_SIZE] = {};
    GetWindowTextW(s_search.edit, text, BOX_TEXT_SIZE);
    BoxTextToPattern(reinterpret_cast<char16_t*>(text), g_settings.FontAsciiBase, g_settings.SearchString);
    if (!g_settings.SearchString[0] || FindNext(dialog)) {
        EndDialog(dialog, IDOK);
        return;
    }
    SendMessageW(s_search.edit, EM_SETSEL, 0, -1);
}

void OnDestroy()
{
    if (s_search.font) DeleteObject(s_search.font);
    s_search.font = nullptr;
}

}  // namespace

int TranslateKeyChar(HWND edit, char16_t typed)
{
    char16_t c = TranslateKey(typed, g_settings.FontAsciiBase);
    if (!c) return 1;
    InsertChar(edit, c);
    return 0;
}

void InsertPictureKey(HWND dialog, int key)
{
    HWND edit = GetDlgItem(dialog, IDC_SEARCH_TEXT);
    char16_t c = PictureKeyChar(key, g_settings.FontAsciiBase);
    if (!edit || !c) return;
    InsertChar(edit, c);
}

int HitTestKeyboardPicture(HWND dialog, int x, int y)
{
    int px = x + PICTURE_NUDGE_X - s_search.baseX * PICTURE_LEFT_DLU / 4;
    int py = y + PICTURE_NUDGE_Y - s_search.baseY * PICTURE_TOP_DLU / 8;
    int key = PictureKeyAt(px, py);
    if (key == PICTURE_NO_KEY) return 1;
    InsertPictureKey(dialog, key);
    return 0;
}

INT_PTR CALLBACK SearchDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog);
    case WM_LBUTTONDOWN:
        HitTestKeyboardPicture(dialog, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: OnOk(dialog); return TRUE;
        case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
        }
        return FALSE;
    case WM_DESTROY: OnDestroy(); return TRUE;
    }
    return FALSE;
}

void RunSearchDialog(HWND owner)
{
    DialogBoxParamW(g_state.instance, MAKEINTRESOURCEW(IDD_SEARCH), owner, SearchDialogProc, 0);
}
