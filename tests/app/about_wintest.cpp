// The About box's link and cursor, and the URLs handed to the shell,
// caught by a recorder in place of the browser.
#include "tests/app/reader_fixture.h"

#include <cderr.h>
#include <string>

#include "app/about_dialog.h"
#include "app/update_check.h"
#include "base/late_libraries_win.h"
#include "resources/resource.h"

namespace reader_test {
namespace {

struct Handed {
    std::wstring url, verb;
    HWND owner;
    ULONG mask;
    DWORD size;
};
std::vector<Handed> g_handed;

BOOL WINAPI Record(SHELLEXECUTEINFOW* info)
{
    g_handed.push_back({info->lpFile, info->lpVerb, info->hwnd, info->fMask, info->cbSize});
    return TRUE;
}

class About : public ReaderTest {
protected:
    decltype(g_shellExecuteEx) saved = g_shellExecuteEx;
    void SetUp() override
    {
        ReaderTest::SetUp();
        g_handed.clear();
        g_shellExecuteEx = Record;
    }
    void TearDown() override
    {
        g_shellExecuteEx = saved;
        ReaderTest::TearDown();
    }
};

TEST_F(About, UpdateUrlEncodesTheProductPath)
{
    wchar_t url[UPDATE_URL_SIZE];
    BuildUpdateUrl(url);
    EXPECT_STREQ(url,
                 L"https://www.lumivex.com/cgi-bin/upgrade?p=windows/Lumivex/Quorin%2D3%2DChapter%2DHebrew&v=1.84a");

    PresetWindow();
    Start();
    Command(IDM_CHECK_UPDATES);
    ASSERT_EQ(g_handed.size(), 1u);
    EXPECT_EQ(g_handed[0].url, url);
    EXPECT_EQ(g_handed[0].verb, L"Open");
    EXPECT_EQ(g_handed[0].owner, window);
    EXPECT_EQ(g_handed[0].mask, ULONG(SEE_MASK_FLAG_NO_UI));
    EXPECT_EQ(g_handed[0].size, sizeof(SHELLEXECUTEINFOW));
}

// What the open box showed, gathered from inside its modal loop.
struct Seen {
    HWND dialog, link, picture;
    LOGFONTW linkFont;
    HFONT font;
    RECT linkRect;
    SIZE textSize;
    bool handOverLink, handOverText;
    int pictureWidth, pictureHeight;
    wchar_t caption[32];
};
Seen g_seen;
HHOOK g_hook;

void Inspect(HWND dialog)
{
    Seen& s = g_seen;
    s.dialog = dialog;
    s.link = GetDlgItem(dialog, IDC_ABOUT_LINK);
    GetWindowTextW(dialog, s.caption, 32);
    s.font = reinterpret_cast<HFONT>(SendMessageW(s.link, WM_GETFONT, 0, 0));
    GetObjectW(s.font, sizeof s.linkFont, &s.linkFont);
    GetClientRect(s.link, &s.linkRect);
    HDC dc = GetDC(s.link);
    HGDIOBJ old = SelectObject(dc, s.font);
    GetTextExtentPoint32W(dc, L"www.lumivex.com", 15, &s.textSize);
    SelectObject(dc, old);
    ReleaseDC(s.link, dc);

    HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
    SetCursor(nullptr);
    SendMessageW(s.link, WM_SETCURSOR, WPARAM(s.link), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    s.handOverLink = GetCursor() == hand;
    HWND text = GetWindow(dialog, GW_CHILD);
    SetCursor(nullptr);
    SendMessageW(dialog, WM_SETCURSOR, WPARAM(text), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    s.handOverText = GetCursor() == hand;

    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if ((GetWindowLongW(c, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP && c != s.link) s.picture = c;
    BITMAP bm = {};
    auto bitmap = reinterpret_cast<HBITMAP>(SendMessageW(s.picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
    if (bitmap && GetObjectW(bitmap, sizeof bm, &bm)) {
        s.pictureWidth = bm.bmWidth;
        s.pictureHeight = bm.bmHeight;
    }

    // A double click on the link (the button reports a click, then a double
    // click) opens the page once; then the close box.
    LPARAM at = MAKELPARAM(2, 2);
    for (UINT m : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
        SendMessageW(s.link, m, m == WM_LBUTTONUP ? 0 : MK_LBUTTON, at);
    PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
}

LRESULT CALLBACK WatchForBox(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && !g_seen.dialog) {
        HWND box = reinterpret_cast<HWND>(wParam);
        if (GetDlgItem(box, IDC_ABOUT_LINK)) {
            g_seen.dialog = box;
            PostMessageW(box, WM_APP, 0, 0);
        }
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

// Inspects the box once its modal loop runs.
struct Watcher {
    Watcher()
    {
        g_seen = {};
        g_hook = SetWindowsHookExW(WH_CBT, WatchForBox, nullptr, GetCurrentThreadId());
    }
    ~Watcher() { UnhookWindowsHookEx(g_hook); }
};

INT_PTR CALLBACK InspectingProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP) {
        Inspect(dialog);
        return TRUE;
    }
    return AboutDlgProc(dialog, message, wParam, lParam);
}

TEST_F(About, LinkLooksLikeALinkAndOpensTheHomePage)
{
    PresetWindow();
    Start();
    BoxCloser::Remove();
    Watcher watch;
    INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ABOUT), window, InspectingProc, 0);
    EXPECT_EQ(result, IDCANCEL);
    ASSERT_TRUE(g_seen.link);
    EXPECT_STREQ(g_seen.caption, L"Quorin");
    EXPECT_TRUE(g_seen.linkFont.lfUnderline);
    EXPECT_EQ(g_seen.linkFont.lfWeight, 800);
    EXPECT_EQ(g_seen.linkRect.right, g_seen.textSize.cx + 2 * GetSystemMetrics(SM_CXEDGE));
    EXPECT_EQ(g_seen.linkRect.bottom, g_seen.textSize.cy + 2 * GetSystemMetrics(SM_CYEDGE));
    EXPECT_TRUE(g_seen.handOverLink);
    EXPECT_FALSE(g_seen.handOverText);
    EXPECT_EQ(g_seen.pictureWidth, 70);
    EXPECT_EQ(g_seen.pictureHeight, 109);
    ASSERT_EQ(g_handed.size(), 1u);
    EXPECT_EQ(g_handed[0].url, L"https://www.lumivex.com");
    EXPECT_EQ(g_handed[0].owner, g_seen.link);
    // The link font goes with the box.
    EXPECT_EQ(GetObjectType(g_seen.font), 0u);
}

TEST_F(About, HelpAndTheMenuOpenTheBox)
{
    PresetWindow();
    Start();
    // The fixture's closer ends every box it sees; it notes the static texts.
    BoxCloser::texts.clear();
    Send(WM_HELP);
    Send(WM_COMMAND, IDM_ABOUT);
    ASSERT_EQ(BoxCloser::texts.size(), 2u);
    EXPECT_EQ(BoxCloser::texts[0], L"Quorin: 3 Chapters");
    EXPECT_TRUE(g_handed.empty());
}

}  // namespace
}  // namespace reader_test

namespace reader_test {
namespace {

// The shell and the common dialogs are not imported; their calls must still
// reach the real libraries when first made.
TEST(LateLibraries, ReachTheShellAndTheCommonDialogs)
{
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.lpVerb = L"Open";
    info.lpFile = L"C:\\no such folder\\no such file.quorin";
    SetLastError(0);
    EXPECT_FALSE(LateShellExecuteEx(&info));
    EXPECT_NE(GetLastError(), DWORD(ERROR_DLL_NOT_FOUND));
    EXPECT_NE(GetModuleHandleW(L"shell32.dll"), nullptr);

    // A structure of the wrong size is refused by the dialog itself.
    PAGESETUPDLGW setup = {};
    setup.lStructSize = 1;
    EXPECT_FALSE(LatePageSetupDlg(&setup));
    EXPECT_EQ(LateCommDlgExtendedError(), DWORD(CDERR_STRUCTSIZE));
}

}  // namespace
}  // namespace reader_test
