// Moving between days and lessons through the commands, keys and clicks.
#include "tests/app/reader_fixture.h"

#include "app/main_window.h"
#include "app/navigation.h"
#include "calendar/schedule.h"
#include "resources/resource.h"

namespace reader_test {
namespace {

using Navigation = ReaderTest;

TEST_F(Navigation, LessonsByNumberWrapAroundTheCycle)
{
    PresetWindow();
    Start();
    GoToLesson(window, 339);
    Command(IDM_NEXT_DAY);
    EXPECT_EQ(g_settings.Lesson, 1);
    EXPECT_EQ(g_settings.Day, 0);
    EXPECT_EQ(g_settings.dateTextLength, 0);
    Key(VK_LEFT);
    EXPECT_EQ(g_settings.Lesson, 339);
    EXPECT_EQ(g_settings.Day, 0);
    EXPECT_TRUE(g_settings.Flags & FLAG_PIN);
}

TEST_F(Navigation, DaysStepThroughTheCycleEnd)
{
    PresetPinned(732530, 339);
    Start();
    Key(VK_DOWN);
    Key(VK_RIGHT);
    EXPECT_EQ(g_settings.Day, 732531);
    EXPECT_EQ(g_settings.Lesson, 1);
    EXPECT_EQ(FirstRow(), 0);
    Command(IDM_PREVIOUS_DAY);
    EXPECT_EQ(g_settings.Day, 732530);
    EXPECT_EQ(g_settings.Lesson, 339);
    EXPECT_GT(g_settings.dateTextLength, 0);
}

TEST_F(Navigation, TodayReloadsFromTheTopAndUnpins)
{
    PresetWindow();
    Start();
    uint8_t* before = View()->text;
    Key(VK_DOWN);
    Key(VK_DOWN);
    Command(IDM_TODAY);
    EXPECT_EQ(FirstRow(), 0);
    EXPECT_NE(View()->text, before);
    EXPECT_EQ(g_settings.Day, TodayNumber());
    EXPECT_FALSE(g_settings.Flags & FLAG_PIN);
}

TEST_F(Navigation, FailedLoadPutsEverythingBack)
{
    PresetPinned(732737, 207);
    Start();
    Key(VK_DOWN);
    uint8_t* shown = View()->text;
    Settings before = g_settings;
    GoToLesson(window, 0);   // no such lesson in the store
    Pump();
    ASSERT_FALSE(BoxCloser::texts.empty());
    EXPECT_EQ(BoxCloser::texts.back(), L"Could not access the\r\nThe lesson for the selected day");
    EXPECT_EQ(View()->text, shown);
    EXPECT_EQ(FirstRow(), 1);
    EXPECT_EQ(g_settings.Lesson, 207);
    EXPECT_EQ(g_settings.Day, 732737);
    EXPECT_EQ(g_settings.dateTextLength, before.dateTextLength);
    EXPECT_EQ(g_settings.Flags, before.Flags);
}

TEST_F(Navigation, UnloadableStoredLessonOpensToday)
{
    // A pinned lesson outside the cycle cannot be shown: today's lesson is,
    // rather than an empty window at every start.
    PresetPinned(0, 400);
    Start();
    EXPECT_TRUE(BoxCloser::texts.empty());
    ASSERT_NE(View(), nullptr);
    EXPECT_NE(View()->text, nullptr);
    EXPECT_EQ(g_settings.Day, TodayNumber());
    EXPECT_FALSE(g_settings.Flags & FLAG_PIN);
    Command(IDM_NEXT_DAY);
    EXPECT_EQ(g_settings.Day, TodayNumber() + 1);
    EXPECT_NE(View()->text, nullptr);
}

TEST_F(Navigation, ReverseTogglesCheckAndFlag)
{
    PresetWindow();
    Start();
    HMENU menu = GetMenu(window);
    Command(IDM_REVERSE);
    EXPECT_TRUE(GetMenuState(menu, IDM_REVERSE, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(g_settings.Flags & FLAG_REVERSE);
    Command(IDM_REVERSE);
    EXPECT_FALSE(GetMenuState(menu, IDM_REVERSE, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_FALSE(g_settings.Flags & FLAG_REVERSE);
}

TEST_F(Navigation, EveryTabledCommandIsHandled)
{
    PresetWindow();
    Start();
    const TextView* view = View();
    uint16_t rows = view->rowCount;
    // Cancelled dialogs count as handled and change nothing.
    // (Check For Updates would start a browser; its own tests intercept it.)
    for (int id : {IDM_CALENDAR, IDM_SEARCH, IDM_SEARCH_AGAIN, IDM_INDEX, IDM_FONT, IDM_ABOUT, IDM_COPY}) {
        SCOPED_TRACE(id);
        EXPECT_TRUE(DispatchCommand(window, id));
        Pump();
        EXPECT_EQ(View(), view);
        EXPECT_EQ(View()->rowCount, rows);
    }
    EXPECT_FALSE(DispatchCommand(window, 1));
    EXPECT_FALSE(DispatchCommand(window, 999));
}

TEST_F(Navigation, CtrlQIsExit)
{
    HACCEL table = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(3));
    ASSERT_NE(table, nullptr);
    ACCEL entries[32];
    int n = CopyAcceleratorTableW(table, entries, 32);
    EXPECT_EQ(n, 16 + 7);   // and the seven zoom keys
    bool found = false;
    for (int i = 0; i < n; i++)
        if (entries[i].key == 'Q' && (entries[i].fVirt & FCONTROL))
            found = entries[i].cmd == IDM_EXIT;
    EXPECT_TRUE(found);

    PresetWindow();
    Start();
    HWND w = window;
    MSG msg = {w, WM_KEYDOWN, 'Q', 1};
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    TranslateAcceleratorW(w, table, &msg);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    Pump();
    EXPECT_FALSE(IsWindow(w));
    EXPECT_TRUE(quitPosted);
}

}  // namespace
}  // namespace reader_test
