// Keys, the wheel, the scroll bar, click paging and resizing of the main view.
#include "tests/app/reader_fixture.h"

#include "app/navigation.h"
#include "text/document_view_win.h"

namespace reader_test {
namespace {

class ViewInput : public ReaderTest {
protected:
    // A long lesson in a small window, a few rows down, so every move shows.
    void StartScrolled(DWORD flags = DEFAULT_FLAGS)
    {
        PresetWindow(520, 420);
        Preset(L"Flags", flags | FLAG_PIN);
        Preset(L"Lesson", 4);
        Preset(L"LastPosition", 20);
        Start();
        ASSERT_EQ(FirstRow(), 20);
        ASSERT_GT(View()->rowsDrawn, 4);
        ASSERT_GT(View()->maxFirstRow, 60);
    }
    int Rows() const { return View()->rowsDrawn; }
    int ScrollPos() const { return GetScrollPos(window, SB_VERT); }
    LRESULT Bar(int request, int thumb = 0) { return Send(WM_VSCROLL, MAKEWPARAM(request, thumb)); }
    void Wheel(int delta) { Send(WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(100, 100)); }
    // A click is a press and a release without a drag between.
    void Click(int x, int y)
    {
        Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        Send(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
};

TEST_F(ViewInput, KeysScrollByLinesPagesAndEnds)
{
    StartScrolled();
    EXPECT_EQ(Key(VK_DOWN), 0);
    EXPECT_EQ(FirstRow(), 21);
    Key(VK_UP);
    EXPECT_EQ(FirstRow(), 20);
    // A page is the rows the latest drawing showed, less one.
    int rows = Rows();
    Key(VK_NEXT);
    EXPECT_EQ(FirstRow(), 20 + rows - 1);
    EXPECT_EQ(ScrollPos(), FirstRow());
    int at = FirstRow();
    rows = Rows();
    Key(VK_PRIOR);
    EXPECT_EQ(FirstRow(), at - (rows - 1));
    Key(VK_HOME);
    EXPECT_EQ(FirstRow(), 0);
    Key(VK_HOME);   // already at the top
    EXPECT_EQ(FirstRow(), 0);
    Key(VK_END);
    EXPECT_EQ(FirstRow(), View()->maxFirstRow);
    Key(VK_END);    // already at the end
    EXPECT_EQ(FirstRow(), View()->maxFirstRow);
    Key(VK_HOME);

    // Keys outside the table do nothing and are not passed on.
    for (WPARAM other : {WPARAM(VK_SPACE), WPARAM(VK_F1), WPARAM('A'), WPARAM(VK_INSERT)}) {
        EXPECT_EQ(Key(other), 1);
        EXPECT_EQ(FirstRow(), 0);
    }
    // Enter with no stored pattern searches nothing.
    EXPECT_EQ(Key(VK_RETURN), 0);
    EXPECT_EQ(FirstRow(), 0);
}

TEST_F(ViewInput, HalfPageStepsForKeysButNotForTheBar)
{
    for (DWORD field : {2u, 4u}) {
        SCOPED_TRACE(field);
        StartScrolled((DEFAULT_FLAGS & ~FLAG_KEY_PAGE_MASK) | (field << FLAG_KEY_PAGE_SHIFT));
        int rows = Rows();
        Key(VK_NEXT);
        EXPECT_EQ(FirstRow(), 20 + rows / 2);
        int at = FirstRow();
        rows = Rows();
        Bar(SB_PAGEDOWN);
        EXPECT_EQ(FirstRow(), at + rows - 1);
        Close();
    }
}

TEST_F(ViewInput, WheelMovesOneRowPerNotch)
{
    StartScrolled();
    Wheel(-120);
    EXPECT_EQ(FirstRow(), 21);
    Wheel(240);
    EXPECT_EQ(FirstRow(), 19);
    Wheel(-60);   // a fine wheel's part notch
    Wheel(119);
    EXPECT_EQ(FirstRow(), 19);
    EXPECT_EQ(ScrollPos(), 19);
}

TEST_F(ViewInput, PartsOfANotchAddUpToRows)
{
    // A precision touchpad: deltas of 40, a row every third message.
    StartScrolled();
    for (int expected : {20, 20, 21, 21, 21, 22}) {
        Wheel(-40);
        EXPECT_EQ(FirstRow(), expected);
    }
    // Turning back starts afresh: what was gathered the other way is dropped.
    Wheel(-80);
    Wheel(40);
    Wheel(40);
    EXPECT_EQ(FirstRow(), 22);
    Wheel(40);
    EXPECT_EQ(FirstRow(), 21);
    Wheel(-360);   // whole notches are rows at once, as before
    EXPECT_EQ(FirstRow(), 24);
    EXPECT_EQ(ScrollPos(), 24);
}

TEST_F(ViewInput, ScrollBarRequests)
{
    StartScrolled();
    EXPECT_EQ(Bar(SB_LINEDOWN), 1);
    EXPECT_EQ(FirstRow(), 21);
    Bar(SB_LINEUP);
    EXPECT_EQ(FirstRow(), 20);
    int rows = Rows();
    Bar(SB_PAGEDOWN);
    EXPECT_EQ(FirstRow(), 20 + rows - 1);
    int at = FirstRow();
    rows = Rows();
    Bar(SB_PAGEUP);
    EXPECT_EQ(FirstRow(), at - (rows - 1));
    Bar(SB_THUMBTRACK, 33);
    EXPECT_EQ(FirstRow(), 33);
    Bar(SB_THUMBPOSITION, 5);
    EXPECT_EQ(FirstRow(), 5);
    Bar(SB_ENDSCROLL);
    Bar(9);
    EXPECT_EQ(FirstRow(), 5);
    Bar(SB_TOP);
    EXPECT_EQ(FirstRow(), 0);
    Bar(SB_BOTTOM);
    EXPECT_EQ(FirstRow(), View()->maxFirstRow);
    EXPECT_EQ(ScrollPos(), FirstRow());
}

TEST_F(ViewInput, ClickPagingByHalvesAndGutter)
{
    StartScrolled();
    const TextView* v = View();
    int g = g_state.SurroundingGutter;
    int midX = v->left + v->width / 2;
    int midY = v->top + v->height / 2;
    // Each click pages by the rows the page before it showed, less one.
    auto expectPage = [&](int x, int y, int direction) {
        int at = FirstRow();
        int rows = Rows();
        Click(x, y);
        EXPECT_EQ(FirstRow(), at + direction * (rows - 1)) << x << "," << y;
    };
    expectPage(midX, midY + 5, 1);           // lower half: forward
    expectPage(midX, midY - 5, -1);          // upper half: back
    expectPage(midX, v->top - g, -1);        // the gutter above the box pages
    expectPage(v->left - g, midY + 5, 1);    // and the gutter beside it
    expectPage(v->left + v->width + g, midY + 5, 1);
    expectPage(midX, v->top + v->height + 1, 0);   // just below the box does not
    expectPage(midX, v->top - g - 1, 0);
    Close();

    // Left and right halves without the split bit.
    StartScrolled(DEFAULT_FLAGS & ~FLAG_CLICK_SPLIT);
    v = View();
    expectPage(v->left + v->width / 2 + 5, v->top + 5, 1);
    expectPage(v->left + 5, v->top + v->height - 5, -1);
    Close();

    // Click paging off: a click in the text never pages.
    StartScrolled(DEFAULT_FLAGS & ~FLAG_CLICK_PAGING);
    v = View();
    expectPage(v->left + v->width / 2, v->top + v->height - 5, 0);
}

TEST_F(ViewInput, ResizeLaysOutAgainOnlyWhenTheSizeChanges)
{
    StartScrolled();
    RECT client;
    GetClientRect(window, &client);
    TextView* v = View();
    int g = g_state.SurroundingGutter;
    v->highlightStart = 10;
    v->highlightEnd = 14;
    Send(WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
    EXPECT_EQ(v->highlightEnd, 14);   // same size: no new layout

    int width = v->width;
    SetWindowPos(window, nullptr, 0, 0, 700, 600, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    GetClientRect(window, &client);
    EXPECT_EQ(v->width, client.right - 2 * g);
    EXPECT_NE(v->width, width);
    EXPECT_EQ(v->highlightEnd, 0);
    EXPECT_EQ(g_state.dateBand.width, client.right);
    EXPECT_EQ(g_state.dateBand.top + g_state.dateBand.height, client.bottom);
    EXPECT_EQ(FirstRow(), 20);

    // No wider than twice the gutter: no gutter on that axis.
    Send(WM_SIZE, SIZE_RESTORED, MAKELPARAM(2 * g, client.bottom));
    EXPECT_EQ(v->width, 2 * g);
}

}  // namespace
}  // namespace reader_test
