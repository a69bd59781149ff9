// Zooming the main view: the stored size, the way back, the top line kept.
#include "tests/app/reader_fixture.h"

#include "resources/resource.h"
#include "text/rows.h"
#include "text/zoom_win.h"

namespace reader_test {
namespace {

class ZoomTest : public ReaderTest {
protected:
    void StartAt(int32_t size)
    {
        PresetWindow(560, 460);
        Preset(L"Flags", DEFAULT_FLAGS | FLAG_PIN);
        Preset(L"Lesson", 4);
        Preset(L"FontSize", DWORD(size));
        Preset(L"LastPosition", 30);
        Start();
    }
    static int32_t Stored(const wchar_t* name) { return ReadNumber(SETTINGS_KEY, name, -1); }
    // The text offset of the line at the top of the page.
    unsigned TopOffset() const
    {
        int y, room;
        return FindFirstVisibleLine(View(), &y, &room)->offset;
    }
    // Whether the line at the top of the page shows the character at offset.
    bool TopShows(unsigned offset) const
    {
        int y, room;
        const LineRecord* line = FindFirstVisibleLine(View(), &y, &room);
        return line->offset <= offset && offset < LineSpanEnd(View(), line);
    }
    // Keys go through the accelerator table, as the message loop's would.
    void Accelerate(WPARAM key, bool shift = false)
    {
        BYTE state[256] = {};
        GetKeyboardState(state);
        state[VK_CONTROL] = 0x80;
        state[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(state);
        static HACCEL table = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_ACCELERATORS));
        MSG msg = {window, WM_KEYDOWN, key, 1};
        EXPECT_TRUE(TranslateAcceleratorW(window, table, &msg)) << key;
        Pump();
        state[VK_CONTROL] = state[VK_SHIFT] = 0;
        SetKeyboardState(state);
    }
};

TEST_F(ZoomTest, KeysStepTheStoredSizeAndCtrl0GoesBack)
{
    StartAt(16);
    Accelerate(VK_OEM_PLUS);
    EXPECT_EQ(g_settings.FontSize, 18);
    EXPECT_EQ(View()->pointSize, 18);
    Accelerate(VK_OEM_PLUS, true);   // Ctrl+Plus on keyboards where + is shifted
    Accelerate(VK_ADD);
    EXPECT_EQ(g_settings.FontSize, 22);
    Accelerate(VK_OEM_MINUS);
    Accelerate(VK_SUBTRACT);
    Accelerate(VK_SUBTRACT);
    Accelerate(VK_SUBTRACT);
    EXPECT_EQ(g_settings.FontSize, 14);
    Accelerate('0');
    EXPECT_EQ(g_settings.FontSize, 16);   // nothing stored yet: the size it started with

    // The size persists as the Font dialog's does; Ctrl+0 goes back to the
    // stored FontSizeChosen, not to the size of the start.
    Command(IDM_ZOOM_IN);
    Restart();
    EXPECT_EQ(View()->pointSize, 18);
    RegSetKeyValueW(HKEY_CURRENT_USER, SETTINGS_KEY, CHOSEN_SIZE_VALUE, REG_SZ, L"11", 6);
    Restart();
    Command(IDM_ZOOM_RESET);
    EXPECT_EQ(g_settings.FontSize, 11);
    Close();
    EXPECT_EQ(Stored(L"FontSize"), 11);
}

TEST_F(ZoomTest, EndsHoldAndBadChosenSizeIsIgnored)
{
    Preset(CHOSEN_SIZE_VALUE, DWORD(-30));
    StartAt(7);
    for (int i = 0; i < 4; ++i) Command(IDM_ZOOM_OUT);
    EXPECT_EQ(g_settings.FontSize, 6);
    for (int i = 0; i < 40; ++i) Command(IDM_ZOOM_IN);
    EXPECT_EQ(g_settings.FontSize, 72);
    Command(IDM_ZOOM_RESET);
    EXPECT_EQ(g_settings.FontSize, 7);    // the damaged value counts as missing
    EXPECT_EQ(Stored(CHOSEN_SIZE_VALUE), -30);   // and is left as it is
}

// The wheel with Ctrl zooms a step per notch (fine deltas add up) and
// keeps the line that was at the top of the page there.
TEST_F(ZoomTest, CtrlWheelZoomsAndKeepsTheTopLine)
{
    StartAt(14);
    unsigned top = TopOffset();
    int row = FirstRow();
    ASSERT_GT(row, 0);
    Send(WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, 120), MAKELPARAM(100, 100));
    EXPECT_EQ(g_settings.FontSize, 16);
    EXPECT_TRUE(TopShows(top));
    for (int i = 0; i < 3; ++i) Send(WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, -40), MAKELPARAM(100, 100));
    EXPECT_EQ(g_settings.FontSize, 14);
    EXPECT_TRUE(TopShows(top));
    EXPECT_EQ(GetScrollPos(window, SB_VERT), FirstRow());
    // Without Ctrl the wheel still scrolls and leaves the size alone.
    Send(WM_MOUSEWHEEL, MAKEWPARAM(0, -120), MAKELPARAM(100, 100));
    EXPECT_EQ(g_settings.FontSize, 14);
    EXPECT_FALSE(TopShows(top));
}

}  // namespace
}  // namespace reader_test
