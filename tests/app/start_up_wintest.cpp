// Start-up: defaults with no registry key, a pinned day, the window styles
// the Flags word chooses, the gutter value, and handing over to a running copy.
#include "tests/app/reader_fixture.h"

#include "app/main_window.h"
#include "app/navigation.h"
#include "base/allocation_win.h"
#include "calendar/schedule.h"
#include "resources/resource.h"

namespace reader_test {
namespace {

using StartUp = ReaderTest;

TEST_F(StartUp, NoRegistryKeyGivesDefaultsAndToday)
{
    ASSERT_NE(Start(), nullptr);
    EXPECT_EQ(g_settings.FontAsciiBase, 1488);
    EXPECT_EQ(g_settings.Flags & ~(FLAG_DAY_CHANGED | FLAG_DAY_UNCHANGED), DEFAULT_FLAGS);
    EXPECT_EQ(g_settings.Day, TodayNumber());
    EXPECT_EQ(g_settings.Lesson, LessonOfDay(3, TodayNumber()));
    EXPECT_GT(g_settings.dateTextLength, 0);
    EXPECT_EQ(g_settings.FontName[0], 0);
    ASSERT_NE(View(), nullptr);
    EXPECT_NE(View()->text, nullptr);
    EXPECT_GT(View()->rowsDrawn, 0);
    // First run: the only box is the font dialog, and however it was closed
    // (here: cancelled) the view has the settings' block.
    for (const std::wstring& title : BoxCloser::titles)
        EXPECT_EQ(title, L"Choose Font");
    EXPECT_EQ(View()->faceName[0], 0);
    EXPECT_EQ(View()->letterBase, 1488);
    EXPECT_TRUE(GetWindowLongW(window, GWL_STYLE) & WS_VSCROLL);

    // With a face name stored, no font dialog.
    Close();
    BoxCloser::titles.clear();
    PresetWindow();
    Start();
    EXPECT_TRUE(BoxCloser::titles.empty());
}

TEST_F(StartUp, PinnedDayStaysAndUnpinnedMovesToToday)
{
    PresetPinned(732737, 207);
    Preset(L"LastPosition", 3);
    Start();
    EXPECT_EQ(g_settings.Day, 732737);
    EXPECT_EQ(g_settings.Lesson, 207);
    EXPECT_GT(g_settings.dateTextLength, 0);
    EXPECT_EQ(FirstRow(), 3);

    Close();
    Preset(L"Flags", DEFAULT_FLAGS);
    Start();
    EXPECT_EQ(g_settings.Day, TodayNumber());
    EXPECT_EQ(FirstRow(), 0);
}

TEST_F(StartUp, FlagsChooseScrollBarSideAndReverseCheck)
{
    struct Case {
        DWORD flags;
        bool scrollBar;
        bool left;
        bool reverse;
    };
    const Case cases[] = {
        {0xD1140000, false, false, false},
        {0xD1140040, true, false, false},
        {0xD1140080, true, true, false},
        {0xD11400C0, true, true, false},
        {0xD1140840, true, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flags);
        PresetWindow();
        Preset(L"Flags", c.flags);
        Start();
        LONG style = GetWindowLongW(window, GWL_STYLE);
        LONG exStyle = GetWindowLongW(window, GWL_EXSTYLE);
        EXPECT_EQ((style & WS_VSCROLL) != 0, c.scrollBar);
        EXPECT_EQ((exStyle & WS_EX_LEFTSCROLLBAR) != 0, c.left);
        EXPECT_TRUE(style & WS_THICKFRAME);
        UINT state = GetMenuState(GetMenu(window), IDM_REVERSE, MF_BYCOMMAND);
        EXPECT_EQ((state & MF_CHECKED) != 0, c.reverse);
        if (!c.scrollBar) {
            // Without a bar, keeping it up to date must not make one.
            Key(VK_DOWN);
            SCROLLINFO info = {sizeof info, SIF_ALL};
            EXPECT_FALSE(GetScrollInfo(window, SB_VERT, &info) && info.nMax > 0);
        }
        Close();
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Lumivex");
    }
}

TEST_F(StartUp, GutterReadAsNumberOrDigitString)
{
    HKEY vendor;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, VENDOR_KEY, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &vendor,
                              nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(ReadNumber(VENDOR_KEY, L"SurroundingGutter", DEFAULT_GUTTER), 10);
    RegSetValueExW(vendor, L"SurroundingGutter", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"25"), 6);
    EXPECT_EQ(ReadNumber(VENDOR_KEY, L"SurroundingGutter", DEFAULT_GUTTER), 25);
    // Stored without its terminator, the digits still end where the data does.
    RegSetValueExW(vendor, L"SurroundingGutter", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"12"), 4);
    EXPECT_EQ(ReadNumber(VENDOR_KEY, L"SurroundingGutter", DEFAULT_GUTTER), 12);
    // Damaged values that would leave no text area, or overflow, fall back.
    RegSetValueExW(vendor, L"SurroundingGutter", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"-5"), 6);
    EXPECT_EQ(ReadGutter(), 10);
    for (DWORD value : {DWORD(0x7FFFFFFF), DWORD(1001), DWORD(12)}) {
        RegSetValueExW(vendor, L"SurroundingGutter", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4);
        EXPECT_EQ(ReadGutter(), value == 12 ? 12 : 10);
    }
    RegCloseKey(vendor);

    PresetWindow();
    Start();
    EXPECT_EQ(g_state.SurroundingGutter, 12);
    EXPECT_EQ(View()->left, 12);
}

TEST_F(StartUp, SecondCopyHandsOverToTheRunningOne)
{
    PresetWindow();
    Start();
    HWND first = window;
    GoToLesson(first, 5);
    Pump();

    // Active: the running copy goes to today.
    SetForegroundWindow(first);
    Pump();
    if (GetForegroundWindow() != first)
        GTEST_SKIP() << "no foreground window under this display";
    HWND second = StartInstance(SW_SHOWNORMAL);
    Pump();
    EXPECT_EQ(second, nullptr);
    EXPECT_EQ(g_settings.Day, TodayNumber());

    // Behind another window: brought to the front, lesson unchanged.
    GoToLesson(first, 7);
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100,
                                 nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    Pump();
    EXPECT_EQ(StartInstance(SW_SHOWNORMAL), nullptr);
    Pump();
    EXPECT_EQ(g_settings.Lesson, 7);
    EXPECT_EQ(GetForegroundWindow(), first);
    DestroyWindow(other);
}

TEST_F(StartUp, OutOfMemoryShutsDownInOrder)
{
    PresetWindow();
    Start();
    GoToLesson(window, 12);
    Command(IDM_BOOKMARK);
    Pump();
    EXPECT_EQ(AllocateOrShutDown(size_t(1) << 62), nullptr);
    ASSERT_FALSE(BoxCloser::texts.empty());
    EXPECT_EQ(BoxCloser::texts.back(), L"There is not enough memory, aborting");
    EXPECT_EQ(View(), nullptr);
    Pump();
    EXPECT_TRUE(quitPosted);
    // The window outlives the view; painting and keys must leave it alone.
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
    Key(VK_NEXT);
    Send(WM_LBUTTONDOWN, 0, MAKELPARAM(100, 100));
    // Closing the window runs the shutdown a second time: it must not save
    // the released, empty bookmark list over the stored one.
    Close();
    EXPECT_EQ(ReadNumber(SETTINGS_KEY, L"Lesson", 0), 12);
    uint32_t size = 0;
    uint8_t* marks = ReadBytes(L"Bookmarks", nullptr, &size);
    ASSERT_NE(marks, nullptr);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(marks[0], 12);
    free(marks);
}

}  // namespace
}  // namespace reader_test
