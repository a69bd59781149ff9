// The search dialog driven through its command with real messages.
#include "tests/support/dialog_driver.h"

#include <cstring>
#include <string>

#include "app/main_window.h"
#include "base/display_scale.h"
#include "calendar/schedule.h"
#include "resources/resource.h"
#include "search/search_dialog.h"
#include "search/search_entry.h"
#include "search/spelling_matcher.h"
#include "tests/support/accessibility.h"
#include "text/edit_direction_win.h"

namespace dialog_test {
namespace {

class SearchDialog : public DialogTest {
protected:
    void StartWithBase(DWORD base)
    {
        PresetWindow();
        Preset(L"FontAsciiBase", base);
        Start();
    }
    // Opens the dialog, runs the script on its edit box, then ends it with
    // end (a command, or WM_CLOSE for the close box).
    void Open(std::function<void(HWND dialog, HWND edit)> script, UINT end = IDCANCEL)
    {
        DialogDriver::Next([script](HWND dialog) { script(dialog, GetDlgItem(dialog, IDC_SEARCH_TEXT)); }, end);
        Command(IDM_SEARCH);
    }
    std::string Pattern() const { return reinterpret_cast<const char*>(g_settings.SearchString); }
};

void Type(HWND edit, const wchar_t* keys)
{
    for (; *keys; ++keys) SendMessageW(edit, WM_CHAR, *keys, 1);
}

void Press(HWND edit, WPARAM key)
{
    SendMessageW(edit, WM_KEYDOWN, key, 1);
}

// The picture's place in the dialog's client area.
RECT PictureRect(HWND dialog)
{
    RECT r = {};
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_BITMAP) continue;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    }
    return r;
}

void Click(HWND dialog, int x, int y)
{
    SendMessageW(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
}

// The middle of the key in column and row of the picture's 9 x 4 grid, on
// the picture as large as it is drawn.
POINT KeyMiddle(const RECT& picture, int column, int row)
{
    int x = column * PICTURE_KEY_WIDTH + PICTURE_KEY_WIDTH / 2;
    int y = row * PICTURE_KEY_HEIGHT + PICTURE_KEY_HEIGHT / 2;
    if (row == 3) y = (3 * PICTURE_KEY_HEIGHT + PICTURE_HEIGHT) / 2;
    return {picture.left + x * (picture.right - picture.left) / PICTURE_WIDTH,
            picture.top + y * (picture.bottom - picture.top) / PICTURE_HEIGHT};
}

TEST_F(SearchDialog, DisplayOrderTypingWithTheCodePageBase)
{
    StartWithBase(224);
    std::wstring afterTb, digits, backspaced, deleted, home;
    DWORD caretAfterTb = 99, caretAtStart = 99;
    std::wstring atZero;
    Open([&](HWND, HWND edit) {
        Type(edit, L"tb");
        afterTb = WindowText(edit);
        caretAfterTb = Caret(edit);
        // Shift makes no difference; digits keep their order.
        Type(edit, L"T12");
        digits = WindowText(edit);
        SetWindowTextW(edit, L"");
        Type(edit, L"tb");
        SendMessageW(edit, WM_CHAR, VK_BACK, 1);
        backspaced = WindowText(edit);
        Type(edit, L"ab");
        SendMessageW(edit, EM_SETSEL, 1, 1);
        Press(edit, VK_DELETE);
        deleted = WindowText(edit);
        caretAtStart = Caret(edit);
        Press(edit, VK_DELETE);
        atZero = WindowText(edit);
        Press(edit, VK_HOME);   // Home and End trade places
        home = std::to_wstring(Caret(edit));
    });
    EXPECT_EQ(afterTb, L"\u00F0\u00E0");
    EXPECT_EQ(caretAfterTb, 0u);
    EXPECT_EQ(digits, L"12\u00E0\u00F0\u00E0");
    EXPECT_EQ(backspaced, L"\u00E0");
    // "ab" went in as shin, nun left of alef; Delete took the nun left of the caret.
    EXPECT_EQ(deleted, L"\u00F9\u00E0");
    EXPECT_EQ(caretAtStart, 0u);
    EXPECT_EQ(atZero, deleted);
    EXPECT_EQ(home, L"2");
    EXPECT_EQ(Pattern(), "");   // cancelled
}

TEST_F(SearchDialog, ReadingOrderTypingWithUnicodeLetters)
{
    StartWithBase(0x5D0);
    std::wstring typed, withDigits, backspaced, deleted;
    DWORD caret = 99, home = 99;
    Open([&](HWND, HWND edit) {
        Type(edit, L"tb");
        typed = WindowText(edit);
        caret = Caret(edit);
        Type(edit, L"12");
        withDigits = WindowText(edit);
        SendMessageW(edit, WM_CHAR, VK_BACK, 1);
        backspaced = WindowText(edit);
        Press(edit, VK_HOME);
        home = Caret(edit);
        Press(edit, VK_DELETE);
        deleted = WindowText(edit);
    });
    EXPECT_EQ(typed, L"\u05D0\u05E0");
    EXPECT_EQ(caret, 2u);
    EXPECT_EQ(withDigits, L"\u05D0\u05E012");
    EXPECT_EQ(backspaced, L"\u05D0\u05E01");
    EXPECT_EQ(home, 0u);
    EXPECT_EQ(deleted, L"\u05E01");
}

TEST_F(SearchDialog, EditThatKeepsStoredOrderGetsDisplayOrder)
{
    // Where the edit control does not reorder Hebrew (Wine), a box in reading
    // order would read backwards: it keeps display order, each letter to the
    // left of the previous one, and stores the same pattern.
    g_editReordersHebrew = 0;
    StartWithBase(0x5D0);
    std::wstring typed;
    Open([&](HWND, HWND edit) {
        Type(edit, L"tb");
        typed = WindowText(edit);
    }, IDOK);
    EXPECT_EQ(typed, L"\u05E0\u05D0");
    EXPECT_EQ(Pattern(), "qa");
}

TEST_F(SearchDialog, EditDirectionIsAskedOnce)
{
    g_editReordersHebrew = -1;
    bool first = EditReordersHebrew();
    EXPECT_EQ(g_editReordersHebrew, first ? 1 : 0);
    g_editReordersHebrew = 1;
    EXPECT_TRUE(EditReordersHebrew());
}

TEST_F(SearchDialog, BothOrdersStoreTheSamePattern)
{
    // Reading "אנ": stored last-typed-first either way.
    for (DWORD base : {224u, 0x5D0u}) {
        SCOPED_TRACE(base);
        StartWithBase(base);
        Open([](HWND, HWND edit) { Type(edit, L"tb"); }, IDOK);
        EXPECT_EQ(Pattern(), "qa");
        // Shown again as it was typed.
        std::wstring shown;
        Open([&](HWND, HWND edit) { shown = WindowText(edit); });
        EXPECT_EQ(shown, base == 224 ? L"\u00F0\u00E0" : L"\u05D0\u05E0");
        Close();
    }
}

TEST_F(SearchDialog, ScrollLockTypesLatinAndLeavesHomeAlone)
{
    StartWithBase(224);
    std::wstring typed;
    DWORD home = 99;
    Open([&](HWND, HWND edit) {
        SetScrollLock(true);
        Type(edit, L"tb");
        typed = WindowText(edit);
        Press(edit, VK_HOME);
        home = Caret(edit);
        SetScrollLock(false);
    });
    EXPECT_EQ(typed, L"tb");
    EXPECT_EQ(home, 0u);
}

TEST_F(SearchDialog, ThirtyThreeCharactersAtMost)
{
    StartWithBase(0x5D0);
    size_t length = 0;
    Open([&](HWND, HWND edit) {
        Type(edit, L"tttttttttttttttttttttttttttttttttttttttt");
        length = WindowText(edit).size();
    });
    EXPECT_EQ(length, 33u);

    // In display order (Wine's edit boxes) a key on a full box inserts
    // nothing and leaves the caret where it was.
    g_editReordersHebrew = 0;
    std::wstring full, after;
    DWORD caret = 99;
    Open([&](HWND, HWND edit) {
        Type(edit, L"tttttttttttttttttttttttttttttttttttttttt");
        full = WindowText(edit);
        SendMessageW(edit, EM_SETSEL, 5, 5);
        Type(edit, L"bb");
        after = WindowText(edit);
        caret = Caret(edit);
    });
    EXPECT_EQ(after, full);
    EXPECT_EQ(caret, 5u);
}

// Every key of the picture, clicked where it is drawn: whatever the DPI and
// the dialog font, the picture is whole and each key gives its letter.
TEST_F(SearchDialog, PictureKeysUnderTheClick)
{
    for (DWORD base : {224u, 0x5D0u}) {
        SCOPED_TRACE(base);
        StartWithBase(base);
        RECT picture = {}, client = {};
        std::wstring got[4][PICTURE_KEYS_PER_ROW], outside = L"?";
        Open([&](HWND dialog, HWND edit) {
            picture = PictureRect(dialog);
            GetClientRect(dialog, &client);
            for (int row = 0; row < 4; ++row)
                for (int column = 0; column < PICTURE_KEYS_PER_ROW; ++column) {
                    SetWindowTextW(edit, L"");
                    POINT p = KeyMiddle(picture, column, row);
                    Click(dialog, p.x, p.y);
                    got[row][column] = WindowText(edit);
                }
            SetWindowTextW(edit, L"");
            Click(dialog, picture.left - 1, picture.top + 1);
            Click(dialog, picture.left + 1, picture.bottom);
            outside = WindowText(edit);
        });
        EXPECT_EQ(picture.right - picture.left, ScaleToDpi(PICTURE_WIDTH));
        EXPECT_EQ(picture.bottom - picture.top, ScaleToDpi(PICTURE_HEIGHT));
        EXPECT_LE(picture.right, client.right);
        EXPECT_LE(picture.bottom, client.bottom);
        // Nine letters a row, right to left: the top row's rightmost is the first.
        EXPECT_EQ(got[0][8], std::wstring(1, wchar_t(base)));
        for (int row = 0; row < 3; ++row)
            for (int column = 0; column < PICTURE_KEYS_PER_ROW; ++column) {
                int key = PICTURE_KEYS_PER_ROW * (row + 1) - column;
                EXPECT_EQ(got[row][column], std::wstring(1, wchar_t(PictureKeyChar(key, int32_t(base)))))
                    << "row " << row << " column " << column;
            }
        for (int column = 0; column < PICTURE_KEYS_PER_ROW; ++column)
            EXPECT_EQ(got[3][column], column >= 2 && column <= 6 ? L" " : L"") << "bottom strip column " << column;
        EXPECT_EQ(outside, L"");
        Close();
    }
}

// A screen reader finds each key of the picture by its letter, where it is
// drawn, and can type it.
TEST_F(SearchDialog, PictureKeysForScreenReaders)
{
    StartWithBase(224);
    long count = 0;
    std::u16string first, last, space;
    RECT firstBox = {}, picture = {};
    long underFirst = 0, underMiddle = 0;
    std::wstring typed;
    Open([&](HWND dialog, HWND edit) {
        HWND control = nullptr;
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP) control = child;
        accessibility_test::ClientObject keys(control);
        if (!keys) return;
        count = keys.Count();
        first = keys.Name(1);
        last = keys.Name(PICTURE_KEYS);
        space = keys.Name(PICTURE_KEYS + 1);
        firstBox = keys.Box(1);
        GetWindowRect(control, &picture);
        underFirst = keys.HitTest({firstBox.right - 1, firstBox.bottom - 1});
        POINT middle = KeyMiddle(picture, 4, 1);
        underMiddle = keys.HitTest(middle);
        SetWindowTextW(edit, L"");
        keys.Act(1);
        keys.Act(PICTURE_KEYS + 1);
        typed = WindowText(edit);
    });
    EXPECT_EQ(count, PICTURE_KEYS + 1);
    // The letters as Unicode whatever the box's base: alef first, tav last.
    EXPECT_EQ(first, u"\u05D0");
    EXPECT_EQ(last, u"\u05EA");
    EXPECT_EQ(space, u"Space");
    // Alef is the top row's rightmost key.
    EXPECT_EQ(firstBox.right, picture.left + ScaleToDpi(PICTURE_WIDTH) * 9 * PICTURE_KEY_WIDTH / PICTURE_WIDTH);
    EXPECT_EQ(firstBox.top, picture.top);
    EXPECT_EQ(underFirst, 1);
    EXPECT_EQ(underMiddle, 14);
    // Typed as a click types them, in the box's own base.
    EXPECT_EQ(typed.size(), 2u);
    EXPECT_NE(typed.find(wchar_t(224)), std::wstring::npos);
    EXPECT_NE(typed.find(L' '), std::wstring::npos);
}

TEST_F(SearchDialog, EnterOnAnEmptyBoxClearsThePatternWithoutSearching)
{
    PresetWindow();
    PresetBytes(L"SearchString", "qa", 3);
    Start();
    ASSERT_EQ(Pattern(), "qa");
    Open([](HWND, HWND edit) { SetWindowTextW(edit, L""); }, IDOK);
    EXPECT_EQ(Pattern(), "");
    EXPECT_TRUE(DialogDriver::boxes.empty());
    EXPECT_EQ(View()->highlightEnd, 0);
}

TEST_F(SearchDialog, NotFoundKeepsTheDialogOpenWithItsTextSelected)
{
    StartWithBase(0x5D0);
    uint16_t lesson = g_settings.Lesson;
    DWORD start = 99, end = 99;
    bool stillOpen = false;
    Open([&](HWND dialog, HWND edit) {
        Type(edit, L"qqqq");   // slashes occur nowhere
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);
        stillOpen = IsWindow(dialog) && IsWindowVisible(dialog);
        SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    }, WM_CLOSE);
    EXPECT_TRUE(stillOpen);
    ASSERT_EQ(DialogDriver::boxes.size(), 1u);
    EXPECT_EQ(DialogDriver::boxes[0], L"Not Found!");
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 4u);
    EXPECT_EQ(Pattern(), "////");
    EXPECT_EQ(g_settings.Lesson, lesson);
}

TEST_F(SearchDialog, AHitMovesTheViewAndSearchAgainStepsOn)
{
    StartWithBase(0x5D0);
    Open([](HWND, HWND edit) { Type(edit, L"hruakho"); }, IDOK);   // ירושלים
    ASSERT_TRUE(DialogDriver::boxes.empty());
    const TextView* view = View();
    ASSERT_NE(view->highlightEnd, 0);
    EXPECT_EQ(view->highlightEnd - view->highlightStart, 7);
    EXPECT_EQ(std::memcmp(view->text + view->highlightStart, "njmzfyj", 7), 0);
    uint16_t firstHit = view->highlightStart;
    uint16_t lesson = g_settings.Lesson;
    Command(IDM_SEARCH_AGAIN);
    EXPECT_TRUE(g_settings.Lesson != lesson || View()->highlightStart != firstHit);
    EXPECT_EQ(std::memcmp(View()->text + View()->highlightStart, "njmzfyj", 7), 0);
    EXPECT_EQ(g_settings.Day, NearestDayOfLesson(g_settings.Lesson));
}

// במקום as stored (last letter first), with the mem in either form.
bool IsTheWord(const uint8_t* at)
{
    return (at[0] == 'n' || at[0] == 'o') && std::memcmp(at + 1, "fxob", 4) == 0;
}

TEST_F(SearchDialog, AnySpellingFindsTheFullSpellingAndHighlightsAllOfIt)
{
    // "במקם", as the work never spells it; it writes "במקום".
    StartWithBase(0x5D0);
    Open([](HWND dialog, HWND edit) {
        Type(edit, L"cneo");
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    }, WM_CLOSE);
    ASSERT_EQ(DialogDriver::boxes.size(), 1u);
    EXPECT_EQ(DialogDriver::boxes[0], L"Not Found!");
    EXPECT_EQ(g_settings.SearchOptions, 0u);
    DialogDriver::boxes.clear();

    bool shownUnticked = false;
    Open([&](HWND dialog, HWND) {
        shownUnticked = IsDlgButtonChecked(dialog, IDC_SEARCH_ANY_SPELLING) == BST_UNCHECKED;
        SendDlgItemMessageW(dialog, IDC_SEARCH_ANY_SPELLING, BM_CLICK, 0, 0);
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    }, WM_CLOSE);
    EXPECT_TRUE(shownUnticked);
    ASSERT_TRUE(DialogDriver::boxes.empty());
    EXPECT_EQ(g_settings.SearchOptions, SEARCH_ANY_SPELLING);
    // Five letters highlighted for the four typed: the text's own word,
    // its mem final (במקום) or, in a longer word, plain (במקומו).
    const TextView* view = View();
    ASSERT_NE(view->highlightEnd, 0);
    EXPECT_EQ(view->highlightEnd - view->highlightStart, 5);
    EXPECT_TRUE(IsTheWord(view->text + view->highlightStart));

    // Search Again keeps the choice; the box shows it ticked next time.
    Command(IDM_SEARCH_AGAIN);
    EXPECT_EQ(View()->highlightEnd - View()->highlightStart, 5);
    EXPECT_TRUE(IsTheWord(View()->text + View()->highlightStart));
    bool shownTicked = false;
    Open([&](HWND dialog, HWND) { shownTicked = IsDlgButtonChecked(dialog, IDC_SEARCH_ANY_SPELLING) == BST_CHECKED; });
    EXPECT_TRUE(shownTicked);
    Close();
    EXPECT_EQ(ReadNumber(SETTINGS_KEY, L"SearchOptions", -1), 1);
}

TEST_F(SearchDialog, StoredChoicesOfOtherKindsAndBits)
{
    // Bits the search does not know are kept through a change of the boxes.
    PresetWindow();
    Preset(L"SearchOptions", 0x102);
    Start();
    EXPECT_EQ(g_settings.SearchOptions, 0x102u);
    Open([](HWND dialog, HWND) {
        SendDlgItemMessageW(dialog, IDC_SEARCH_WHOLE_WORDS, BM_CLICK, 0, 0);
        SendDlgItemMessageW(dialog, IDC_SEARCH_ANY_SPELLING, BM_CLICK, 0, 0);
    }, IDOK);
    EXPECT_EQ(g_settings.SearchOptions, 0x101u);
    Close();
    EXPECT_EQ(ReadNumber(SETTINGS_KEY, L"SearchOptions", -1), 0x101);

    // A value of another type is both off, and left alone when untouched.
    PresetText(L"SearchOptions", L"3");
    Start();
    EXPECT_EQ(g_settings.SearchOptions, 0u);
    Close();
    wchar_t* kept = ReadText(L"SearchOptions");
    ASSERT_NE(kept, nullptr);
    EXPECT_STREQ(kept, L"3");
    free(kept);

    // Cancel leaves the choices as they were.
    Preset(L"SearchOptions", 2);
    Start();
    Open([](HWND dialog, HWND) { SendDlgItemMessageW(dialog, IDC_SEARCH_WHOLE_WORDS, BM_CLICK, 0, 0); });
    EXPECT_EQ(g_settings.SearchOptions, 2u);
}

}  // namespace
}  // namespace dialog_test
