// The main window at sizes no one chooses on purpose: the layout always
// ends, the rows stay in range and nothing divides by zero.
#include "tests/app/reader_fixture.h"

#include "resources/resource.h"

namespace reader_test {
namespace {

using ExtremeWindows = ReaderTest;

void ExpectViewInRange(const TextView* view, const char* what)
{
    ASSERT_NE(view, nullptr) << what;
    EXPECT_LE(view->firstRow, view->rowCount) << what;   // paging may pass maxFirstRow
    EXPECT_LE(view->maxFirstRow, view->rowCount) << what;
    if (view->lines) {
        EXPECT_EQ(view->lines[view->lineCount].style, 0) << what;
    }
}

TEST_F(ExtremeWindows, SizesFromOnePixelToVeryLarge)
{
    PresetWindow();
    Preset(L"Flags", DEFAULT_FLAGS | FLAG_PIN);
    Preset(L"Lesson", 200);
    Start();
    struct Size {
        const char* what;
        int width, height;
    } sizes[] = {{"1x1", 1, 1},         {"0x0", 0, 0},           {"very wide", 30000, 120},
                 {"very tall", 120, 30000}, {"one column", 2, 900}, {"one row", 1200, 2}, {"normal", 640, 480}};
    for (const Size& s : sizes) {
        MoveWindow(window, 0, 0, s.width, s.height, TRUE);
        Pump();
        // Client-area sizes the system would not give a top-level window.
        Send(WM_SIZE, SIZE_RESTORED, MAKELPARAM(s.width, s.height));
        ExpectViewInRange(View(), s.what);
        for (WPARAM key : {VK_NEXT, VK_NEXT, VK_DOWN, VK_END, VK_PRIOR, VK_UP, VK_HOME})
            Key(key);
        Send(WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-120 * 3)), 0);
        Send(WM_LBUTTONDOWN, 0, MAKELPARAM(0, 0));
        Send(WM_LBUTTONUP, 0, MAKELPARAM(0, 0));
        Command(IDM_NEXT_DAY);
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        Pump();
        ExpectViewInRange(View(), s.what);
    }
}

TEST_F(ExtremeWindows, MinimisedAndRestored)
{
    PresetWindow(500, 400);
    Start();
    for (int round = 0; round < 3; ++round) {
        ShowWindow(window, SW_MINIMIZE);
        Pump();
        Key(VK_NEXT);
        Command(IDM_NEXT_DAY);
        ExpectViewInRange(View(), "minimised");
        ShowWindow(window, round == 1 ? SW_MAXIMIZE : SW_RESTORE);
        Pump();
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        Pump();
        ExpectViewInRange(View(), "restored");
        EXPECT_GT(View()->rowsDrawn, 0);
    }
    Close();
    EXPECT_GT(ReadNumber(SETTINGS_KEY, L"Width", 0), 0);
}

TEST_F(ExtremeWindows, LargestFontInTheSmallestWindow)
{
    PresetWindow(120, 100);
    Preset(L"FontSize", 400);
    Start();
    ExpectViewInRange(View(), "large font");
    for (WPARAM key : {VK_NEXT, VK_END, VK_HOME, VK_DOWN})
        Key(key);
    Send(WM_SIZE, SIZE_RESTORED, MAKELPARAM(1, 1));
    ExpectViewInRange(View(), "large font, 1x1");
}

}  // namespace
}  // namespace reader_test
