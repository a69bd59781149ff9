// The font dialog opened through Font, driven with real messages.
#include "tests/support/dialog_driver.h"

#include <string>
#include <vector>

#include "fonts/font_dialog.h"
#include "resources/resource.h"

namespace dialog_test {
namespace {

class FontDialog : public DialogTest {
protected:
    void Open(std::function<void(HWND dialog)> script, UINT end = IDCANCEL)
    {
        DialogDriver::Next(script, end);
        Command(IDM_FONT);
    }
};

std::wstring Sample(HWND dialog)
{
    return WindowText(GetDlgItem(dialog, IDC_FONT_SAMPLE));
}

std::vector<std::wstring> Items(HWND list)
{
    std::vector<std::wstring> items;
    int n = int(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        wchar_t text[64] = {};
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

std::wstring Selected(HWND list)
{
    LRESULT i = SendMessageW(list, LB_GETCURSEL, 0, 0);
    if (i == LB_ERR) return L"";
    wchar_t text[64] = {};
    SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
    return text;
}

void Pick(HWND dialog, int id, const wchar_t* text)
{
    HWND list = GetDlgItem(dialog, id);
    SendMessageW(list, LB_SELECTSTRING, WPARAM(-1), reinterpret_cast<LPARAM>(text));
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

void Click(HWND dialog, int id)
{
    SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

// The scroll bar's range against the view's own limit.
void ExpectScrollBarInStep(HWND window)
{
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE;
    ASSERT_TRUE(GetScrollInfo(window, SB_VERT, &info));
    EXPECT_EQ(info.nMax, int(g_state.mainView->maxFirstRow));
}

int CALLBACK FindHebrewFace(const LOGFONTW* font, const TEXTMETRICW* metrics, DWORD, LPARAM found)
{
    if (metrics->tmCharSet != 177) return 1;
    *reinterpret_cast<std::wstring*>(found) = font->lfFaceName;
    return 0;
}

TEST_F(FontDialog, SampleAlphabetFollowsTheBase)
{
    PresetWindow();
    // A face that does not report the Hebrew set, which would switch the base.
    PresetText(L"FontName", L"Tahoma");
    Preset(L"FontAsciiBase", 224);
    Start();
    std::wstring cp1255, unicode;
    bool checked224 = false;
    Open([&](HWND dialog) {
        checked224 = IsDlgButtonChecked(dialog, IDC_FONT_BASE_224);
        cp1255 = Sample(dialog);
        Click(dialog, IDC_FONT_BASE_5D0);
        unicode = Sample(dialog);
    });
    EXPECT_TRUE(checked224);
    ASSERT_EQ(cp1255.size(), 27u);
    EXPECT_EQ(cp1255.front(), L'\u00FA');
    EXPECT_EQ(cp1255.back(), L'\u00E0');
    // Reading order for Unicode Hebrew: the field shows alef at the right.
    ASSERT_EQ(unicode.size(), 27u);
    EXPECT_EQ(unicode.front(), L'\u05D0');
    EXPECT_EQ(unicode.back(), L'\u05EA');
    // Cancelled: nothing changes.
    EXPECT_EQ(g_settings.FontAsciiBase, 224);
}

TEST_F(FontDialog, StoredSizesInAndOutOfTheTable)
{
    PresetWindow();
    Preset(L"FontSize", 13);
    Start();
    std::vector<std::wstring> items;
    std::wstring selected;
    Open([&](HWND dialog) {
        items = Items(GetDlgItem(dialog, IDC_FONT_SIZES));
        selected = Selected(GetDlgItem(dialog, IDC_FONT_SIZES));
    });
    ASSERT_EQ(items.size(), 15u);
    EXPECT_EQ(items[3], L"13");
    EXPECT_EQ(selected, L"13");
    Close();

    Preset(L"FontSize", 100);
    Start();
    Open([&](HWND dialog) {
        items = Items(GetDlgItem(dialog, IDC_FONT_SIZES));
        selected = Selected(GetDlgItem(dialog, IDC_FONT_SIZES));
    });
    EXPECT_EQ(items.size(), 14u);
    EXPECT_EQ(selected, L"");
}

TEST_F(FontDialog, OkWritesTheChoiceCancelAndCloseDoNot)
{
    PresetWindow();
    Preset(L"FontSize", 0);
    Start();
    std::wstring face;
    // Without a size chosen OK keeps size 0.
    Open([&](HWND dialog) { face = Selected(GetDlgItem(dialog, IDC_FONT_FACES)); }, IDOK);
    EXPECT_EQ(g_settings.FontSize, 0);
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(g_settings.FontName)), face);

    Settings before = g_settings;
    for (UINT end : {UINT(IDCANCEL), UINT(WM_CLOSE)}) {
        Open([&](HWND dialog) {
            Pick(dialog, IDC_FONT_SIZES, L"28");
            Click(dialog, IDC_FONT_BASE_224);
        }, end);
        EXPECT_EQ(g_settings.FontSize, before.FontSize);
        EXPECT_EQ(g_settings.FontAsciiBase, before.FontAsciiBase);
    }

    Open([&](HWND dialog) {
        Pick(dialog, IDC_FONT_SIZES, L"28");
        Click(dialog, IDC_FONT_BASE_224);
    }, IDOK);
    EXPECT_EQ(g_settings.FontSize, 28);
    EXPECT_EQ(g_settings.FontAsciiBase, 224);
    EXPECT_EQ(View()->pointSize, 28);
    ExpectScrollBarInStep(window);
}

TEST_F(FontDialog, TheFirstRunsChoiceSetsTheScrollBar)
{
    Preset(L"Width", 640);
    Preset(L"Height", 520);
    DialogDriver::Next([](HWND dialog) { Pick(dialog, IDC_FONT_SIZES, L"28"); }, IDOK);
    Start();
    ASSERT_EQ(View()->pointSize, 28);
    ExpectScrollBarInStep(window);
}

TEST_F(FontDialog, AHebrewTypefaceBringsTheUnicodeBase)
{
    std::wstring hebrew;
    HDC dc = GetDC(nullptr);
    EnumFontsW(dc, nullptr, FindHebrewFace, reinterpret_cast<LPARAM>(&hebrew));
    ReleaseDC(nullptr, dc);
    if (hebrew.empty()) GTEST_SKIP() << "no typeface here reports the Hebrew character set";
    PresetWindow();
    Preset(L"FontAsciiBase", 224);
    Start();
    bool switched = false, stays = false;
    Open([&](HWND dialog) {
        Pick(dialog, IDC_FONT_FACES, hebrew.c_str());
        switched = IsDlgButtonChecked(dialog, IDC_FONT_BASE_5D0) && !IsDlgButtonChecked(dialog, IDC_FONT_BASE_224);
        SendMessageW(GetDlgItem(dialog, IDC_FONT_FACES), LB_SETCURSEL, 0, 0);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_FONT_FACES, LBN_SELCHANGE), 0);
        stays = IsDlgButtonChecked(dialog, IDC_FONT_BASE_5D0);
    });
    EXPECT_TRUE(switched);
    EXPECT_TRUE(stays);
}

}  // namespace
}  // namespace dialog_test
