// The search dialog (115): an edit box that types Hebrew from Latin keys,
// the alphabet picture to click letters in, and Enter to search.
#include "search/search_dialog.h"

#include <oleacc.h>
#include <windowsx.h>
#include <algorithm>
#undef SubclassWindow   // the name is ours: the edit box's subclassing

#include "base/accessible_parts_win.h"
#include "base/display_scale.h"
#include "base/face_name_win.h"
#include "base/globals.h"
#include "resources/resource.h"
#include "search/find_next.h"
#include "search/search_entry.h"
#include "search/spelling_matcher.h"
#include "settings/settings.h"
#include "text/colours_win.h"
#include "text/edit_direction_win.h"
#include "text/text_view.h"

namespace {

constexpr int BOX_TEXT_SIZE = SEARCH_PATTERN_MAX + 1;

struct SearchDialogState {
    HWND edit;
    HFONT font;
    HBITMAP picture;   // the alphabet at the screen's size, when not the template's
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
    // The size in points taken as a cell height in 96-DPI pixels.
    font.lfHeight = ScaleToDpi(view ? view->pointSize : g_settings.FontSize);
    const char16_t* face = view ? view->faceName : g_settings.FontName;
    SetHebrewFace(font, face);
    return CreateFontIndirectW(&font);
}

// The alphabet picture: the static bitmap control (it has no id of its own).
HWND PictureControl(HWND dialog)
{
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP) return child;
    return nullptr;
}

RECT PictureRect(HWND dialog, HWND control)
{
    RECT r = {};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The template has room for the picture at 96 DPI; where the dialog font
// grows less than the DPI, the dialog grows to hold it whole, with the
// template's margin.
void MakeRoomForPicture(HWND dialog, HWND control)
{
    RECT picture = PictureRect(dialog, control), client = {}, margin = {0, 0, 7, 7}, outer = {};
    GetClientRect(dialog, &client);
    MapDialogRect(dialog, &margin);
    int dx = std::max(0L, picture.right + margin.right - client.right);
    int dy = std::max(0L, picture.bottom + margin.bottom - client.bottom);
    if (!dx && !dy) return;
    GetWindowRect(dialog, &outer);
    SetWindowPos(dialog, nullptr, 0, 0, outer.right - outer.left + dx, outer.bottom - outer.top + dy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Above 96 DPI the picture grows with the dialog; the control takes the
// size of its new bitmap.
void ScalePicture(HWND dialog)
{
    int width = ScaleToDpi(PICTURE_WIDTH), height = ScaleToDpi(PICTURE_HEIGHT);
    HWND control = PictureControl(dialog);
    if (!control || (width == PICTURE_WIDTH && height == PICTURE_HEIGHT)) return;
    s_search.picture = LoadScaledBitmap(g_state.instance, IDB_ALPHABET, width, height, false);
    if (!s_search.picture) return;
    auto old = reinterpret_cast<HGDIOBJ>(
        SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(s_search.picture)));
    if (old) DeleteObject(old);
    MakeRoomForPicture(dialog, control);
}

// Outside Paper the alphabet is drawn in the reader's paper and ink too.
void ColourPicture(HWND dialog)
{
    HWND control = PictureControl(dialog);
    if (!control) return;
    auto shown = reinterpret_cast<HBITMAP>(SendMessageW(control, STM_GETIMAGE, IMAGE_BITMAP, 0));
    HBITMAP coloured = ReaderColouredBitmap(shown);
    if (!coloured) return;
    auto old = reinterpret_cast<HGDIOBJ>(SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(coloured)));
    if (old && old != s_search.picture) DeleteObject(old);
    if (s_search.picture) DeleteObject(s_search.picture);
    s_search.picture = coloured;
}

// The picture's keys for screen readers: parts 1..27 are the letter keys,
// in reading order, and the last the space bar.
constexpr long PICTURE_PARTS_COUNT = PICTURE_KEYS + 1;
constexpr int32_t UNICODE_ALEF = 0x5D0;

int PartKey(long part)
{
    return part == PICTURE_PARTS_COUNT ? PICTURE_SPACE_KEY : static_cast<int>(part);
}

bool PictureName(HWND, std::u16string* out)
{
    *out = u"Hebrew letters";
    return true;
}

long PictureKeys(HWND) { return PICTURE_PARTS_COUNT; }

// The letter itself, whatever base the box is typed in.
bool PictureKeyName(HWND, long part, std::u16string* out)
{
    int key = PartKey(part);
    *out = key == PICTURE_SPACE_KEY ? std::u16string(u"Space") : std::u16string(1, PictureKeyChar(key, UNICODE_ALEF));
    return true;
}

// The picture's grid brought to the control's size, as the hit test does
// the other way.
bool PictureKeyRect(HWND control, long part, RECT* box)
{
    PictureBox b = {};
    RECT client = {};
    if (!PictureKeyBox(PartKey(part), &b) || !GetClientRect(control, &client)) return false;
    *box = {b.left * client.right / PICTURE_WIDTH, b.top * client.bottom / PICTURE_HEIGHT,
            b.right * client.right / PICTURE_WIDTH, b.bottom * client.bottom / PICTURE_HEIGHT};
    return true;
}

bool PressPictureKey(HWND control, long part)
{
    InsertPictureKey(GetParent(control), PartKey(part));
    return true;
}

constexpr AccessibleParts PICTURE_PARTS = {
    .role = ROLE_SYSTEM_GROUPING,
    .name = PictureName,
    .count = PictureKeys,
    .partName = PictureKeyName,
    .partRole = ROLE_SYSTEM_PUSHBUTTON,
    .partBox = PictureKeyRect,
    .action = u"Type",
    .act = PressPictureKey,
};

// The search box in the reader's colours.
INT_PTR OnEditColour(HDC dc)
{
    const ColourSet& c = ReaderColours();
    SetTextColor(dc, c.text);
    SetBkColor(dc, c.page);
    SetDCBrushColor(dc, c.page);
    return reinterpret_cast<INT_PTR>(GetStockObject(DC_BRUSH));
}

// The two choices beside the box, as data: check box and option bit.
constexpr struct {
    int control;
    uint32_t bit;
} SEARCH_CHOICES[] = {
    {IDC_SEARCH_ANY_SPELLING, SEARCH_ANY_SPELLING},
    {IDC_SEARCH_WHOLE_WORDS, SEARCH_WHOLE_WORDS},
};

void ShowChoices(HWND dialog)
{
    for (const auto& c : SEARCH_CHOICES)
        CheckDlgButton(dialog, c.control, (g_settings.SearchOptions & c.bit) ? BST_CHECKED : BST_UNCHECKED);
}

// Only the bits of the boxes change; the others stay as they were stored.
void TakeChoices(HWND dialog)
{
    for (const auto& c : SEARCH_CHOICES) {
        if (IsDlgButtonChecked(dialog, c.control) == BST_CHECKED)
            g_settings.SearchOptions |= c.bit;
        else
            g_settings.SearchOptions &= ~c.bit;
    }
}

BOOL OnInitDialog(HWND dialog)
{
    s_search = {};
    s_search.edit = GetDlgItem(dialog, IDC_SEARCH_TEXT);
    EditReordersHebrew();
    char16_t text[BOX_TEXT_SIZE];
    PatternToBoxText(g_settings.SearchString, g_settings.FontAsciiBase, text);
    ScalePicture(dialog);
    ColourPicture(dialog);
    ServeAccessibleParts(PictureControl(dialog), &PICTURE_PARTS);
    s_search.font = CreateBoxFont();
    SendMessageW(s_search.edit, WM_SETFONT, reinterpret_cast<WPARAM>(s_search.font), TRUE);
    SendMessageW(s_search.edit, EM_LIMITTEXT, SEARCH_PATTERN_MAX, 0);
    SetWindowTextW(s_search.edit, reinterpret_cast<const wchar_t*>(text));
    ShowChoices(dialog);
    SubclassWindow(s_search.edit);
    return TRUE;
}

void OnOk(HWND dialog)
{
    wchar_t text[BOX_TEXT_SIZE] = {};
    GetWindowTextW(s_search.edit, text, BOX_TEXT_SIZE);
    BoxTextToPattern(reinterpret_cast<char16_t*>(text), g_settings.FontAsciiBase, g_settings.SearchString);
    TakeChoices(dialog);
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
    if (s_search.picture) DeleteObject(s_search.picture);
    s_search.picture = nullptr;
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

// Against the picture where it really lies, whatever the DPI and the dialog
// font: the click is brought back to the picture's own 154 x 95 grid.
int HitTestKeyboardPicture(HWND dialog, int x, int y)
{
    HWND control = PictureControl(dialog);
    if (!control) return 1;
    RECT r = PictureRect(dialog, control);
    int width = r.right - r.left, height = r.bottom - r.top;
    int dx = x - r.left, dy = y - r.top;
    if (dx < 0 || dy < 0 || dx >= width || dy >= height) return 1;
    int key = PictureKeyAt(dx * PICTURE_WIDTH / width, dy * PICTURE_HEIGHT / height);
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
    case WM_CTLCOLOREDIT: return OnEditColour(reinterpret_cast<HDC>(wParam));
    }
    return FALSE;
}

void RunSearchDialog(HWND owner)
{
    DialogBoxParamW(g_state.instance, MAKEINTRESOURCEW(IDD_SEARCH), owner, SearchDialogProc, 0);
}
