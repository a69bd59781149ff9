// The section chooser opened through Index, driven with real messages.
#include "tests/support/dialog_driver.h"

#include <algorithm>

#include "app/main_window.h"
#include "base/display_scale.h"
#include "index/index_layout.h"
#include "index/section_dialog.h"
#include "resources/resource.h"
#include "tests/support/accessibility.h"
#include "text/colours_win.h"

namespace dialog_test {
namespace {

class SectionChooser : public DialogTest {
protected:
    void Open(std::function<void(HWND dialog, const IndexView* view)> script, UINT end = IDCANCEL)
    {
        // A click that chose a lesson ends the dialog itself (end 0).
        DialogDriver::Next([script](HWND dialog) { script(dialog, OpenSectionView()); }, end);
        Command(IDM_INDEX);
    }
};

// Client y of the middle of line i, or -1 when it is not on the page.
int LineY(const IndexView* view, uint32_t line)
{
    int y = view->top;
    unsigned seen = 0;
    for (uint32_t i = 0; view->lines[i].flags; ++i) {
        const IndexLine& l = view->lines[i];
        if (!(l.flags & INDEX_FLAG_VISIBLE)) continue;
        if (seen++ < view->topLine) continue;
        if (y + l.height > view->top + view->height) return -1;
        if (i == line) return y + l.height / 2;
        y += l.height;
    }
    return -1;
}

uint32_t LineOfKey(const IndexView* view, uint16_t key)
{
    uint32_t i = 0;
    while (view->lines[i].flags && view->lines[i].key != key) ++i;
    return i;
}

// Clicks a line, scrolled onto the page first: with larger fonts (a higher
// DPI) fewer lines fit.
void ClickLine(HWND dialog, const IndexView* view, uint32_t line, int dx = 2)
{
    while (LineY(view, line) < 0 && view->topLine < view->maxTop) SendMessageW(dialog, WM_KEYDOWN, VK_DOWN, 0);
    const IndexLine& l = view->lines[line];
    SendMessageW(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(l.x + dx, LineY(view, line)));
}

TEST_F(SectionChooser, OpensOnTheCurrentLessonAndEnterStays)
{
    PresetWindow();
    Preset(L"Flags", DEFAULT_FLAGS | FLAG_PIN);
    Preset(L"Day", 732737);
    Preset(L"Lesson", 207);
    Start();
    bool revealed = false;
    RECT box = {};
    Open([&](HWND dialog, const IndexView* view) {
        uint32_t line = LineOfKey(view, 0x4000 | 207);
        revealed = view->lines[line].flags & INDEX_FLAG_VISIBLE;
        GetWindowRect(dialog, &box);
    }, IDOK);
    EXPECT_TRUE(revealed);
    EXPECT_EQ(g_settings.Lesson, 207);
    EXPECT_EQ(g_settings.Day, 732737);
    RECT main;
    GetWindowRect(window, &main);
    EXPECT_EQ(box.left, main.left + g_state.chooserWidth / 8);
    EXPECT_EQ(box.right - box.left, g_state.chooserWidth * 3 / 4);
}

// The first visible lesson other than the current one, or the end line.
uint32_t OtherLesson(const IndexView* view, int current)
{
    uint32_t i = 0;
    for (; view->lines[i].flags; ++i) {
        const IndexLine& l = view->lines[i];
        if ((l.flags & INDEX_FLAG_VISIBLE) && (l.key & INDEX_KEY_LINK) && (l.key & INDEX_KEY_LESSON) != current) break;
    }
    return i;
}

TEST_F(SectionChooser, ClickingALessonGoesThere)
{
    PresetWindow();
    Preset(L"Flags", DEFAULT_FLAGS | FLAG_PIN);
    Preset(L"Day", 732737);
    Preset(L"Lesson", 207);
    Start();
    int target = 0;
    Open([&](HWND dialog, const IndexView* view) {
        // Lesson 207 ends its section: the entry shown after it is the next
        // section, which opens on a click.
        uint32_t line = OtherLesson(view, 207);
        if (!view->lines[line].flags) {
            // past every line of its caption, which may wrap
            uint32_t next = LineOfKey(view, 0x4000 | 207);
            while (view->lines[next].key == (0x4000 | 207)) ++next;
            ClickLine(dialog, view, next);
            line = OtherLesson(view, 207);
        }
        target = view->lines[line].key & INDEX_KEY_LESSON;
        ClickLine(dialog, view, line);
    }, 0);
    EXPECT_GT(target, 0);
    EXPECT_EQ(g_settings.Lesson, target);
    EXPECT_EQ(g_settings.Day, 0);   // a lesson by number belongs to no day
}

TEST_F(SectionChooser, CancelAndTheCloseBoxStay)
{
    PresetWindow();
    Start();
    uint16_t lesson = g_settings.Lesson;
    Open([](HWND, const IndexView*) {}, IDCANCEL);
    EXPECT_EQ(g_settings.Lesson, lesson);
    Open([](HWND, const IndexView*) {}, WM_CLOSE);
    EXPECT_EQ(g_settings.Lesson, lesson);
}

TEST_F(SectionChooser, BookmarksBranchFirstInListOrder)
{
    PresetWindow();
    const uint8_t marks[] = {12, 0, 3, 0, 200, 0, 0, 0};
    PresetBytes(L"Bookmarks", marks, sizeof marks);
    Start();
    std::vector<uint16_t> keys;
    Open([&](HWND dialog, const IndexView* view) {
        for (uint32_t i = 0; i < 4; ++i) keys.push_back(view->lines[i].key);
        ClickLine(dialog, view, 3);
    }, 0);
    EXPECT_EQ(keys, (std::vector<uint16_t>{0x8877, 0x400C, 0x4003, 0x40C8}));
    EXPECT_EQ(g_settings.Lesson, 200);
}

TEST_F(SectionChooser, BranchesOpenScrollAndSurviveAResize)
{
    PresetWindow();
    Start();
    uint16_t visibleBefore = 0, visibleOpen = 0, afterResize = 0, top = 0, bottom = 0;
    bool stillOpen = false;
    Open([&](HWND dialog, const IndexView* view) {
        visibleBefore = view->visibleLines;
        // The second book: clicked on its caption it opens.
        uint32_t book = 0;
        for (int seen = 0; view->lines[book].flags; ++book)
            if (view->lines[book].flags & INDEX_FLAG_VISIBLE && view->lines[book].indent == view->indentStep && ++seen == 2) break;
        ClickLine(dialog, view, book);
        visibleOpen = view->visibleLines;
        uint16_t key = view->lines[book].key;
        // Narrower: laid out again, the book still open.
        SetWindowPos(dialog, nullptr, 0, 0, 300, 250, SWP_NOMOVE | SWP_NOZORDER);
        afterResize = view->visibleLines;
        stillOpen = view->lines[LineOfKey(view, key)].flags & INDEX_FLAG_OPEN;
        SendMessageW(dialog, WM_KEYDOWN, VK_END, 0);
        bottom = view->topLine;
        SendMessageW(dialog, WM_VSCROLL, SB_TOP, 0);
        top = view->topLine;
        SendMessageW(dialog, WM_KEYDOWN, VK_DOWN, 0);
        SendMessageW(dialog, WM_KEYDOWN, VK_NEXT, 0);
    });
    EXPECT_GT(visibleOpen, visibleBefore);
    EXPECT_TRUE(stillOpen);
    EXPECT_GE(afterResize, visibleOpen);
    EXPECT_GT(bottom, 0);
    EXPECT_EQ(top, 0);
}

// The entries the n-th Tab reaches: each visible entry's first line, in order.
std::vector<uint32_t> Entries(const IndexView* view)
{
    std::vector<uint32_t> entries;
    for (uint32_t i = 0; view->lines[i].flags; ++i)
        if ((view->lines[i].flags & INDEX_FLAG_VISIBLE) && (i == 0 || view->lines[i].key != view->lines[i - 1].key))
            entries.push_back(i);
    return entries;
}

// From the keyboard alone: Tab walks the entries, Space opens a branch, and
// Enter on a marked lesson goes there (Enter without a mark still stays).
TEST_F(SectionChooser, TabSpaceAndEnterChooseWithoutTheMouse)
{
    PresetWindow();
    Preset(L"Flags", DEFAULT_FLAGS | FLAG_PIN);
    Preset(L"Day", 732737);
    Preset(L"Lesson", 207);
    Start();
    uint16_t before = 0, opened = 0, afterShiftTab = 0;
    int target = 0;
    long focus = 0, closedState = 0, openState = 0, entriesBefore = 0, entriesOpen = 0;
    std::u16string name, levels;
    Open([&](HWND dialog, const IndexView* view) {
        std::vector<uint32_t> entries = Entries(view);
        accessibility_test::ClientObject tree(dialog);
        if (!tree) return;
        entriesBefore = tree.Count();
        // The second book, a closed branch: two Tabs and Space open it. A
        // screen reader is on it, hears its name and that it opened.
        before = view->visibleLines;
        PressKey(dialog, VK_TAB);
        PressKey(dialog, VK_TAB);
        focus = tree.Focus();
        closedState = tree.State(focus);
        name = tree.Name(focus);
        PressKey(dialog, VK_SPACE);
        opened = view->visibleLines;
        openState = tree.State(focus);
        entriesOpen = tree.Count();
        BSTR level = nullptr, childLevel = nullptr;
        tree->get_accValue(accessibility_test::Child(focus), &level);
        tree->get_accValue(accessibility_test::Child(focus + 1), &childLevel);
        levels = accessibility_test::Take(level) + u"/" + accessibility_test::Take(childLevel);
        // Shift+Tab and Space again close it.
        PressKey(dialog, VK_TAB);
        PressKey(dialog, VK_TAB, true);
        PressKey(dialog, VK_SPACE);
        afterShiftTab = view->visibleLines;
        // Tab on to the first lesson the tree shows and take it with Enter.
        entries = Entries(view);
        size_t n = 1;
        while (n < entries.size() && !(view->lines[entries[n]].key & INDEX_KEY_LINK)) ++n;
        if (n == entries.size()) return;
        target = view->lines[entries[n]].key & INDEX_KEY_LESSON;
        for (size_t i = 2; i <= n; ++i) PressKey(dialog, VK_TAB);
        PressKey(dialog, VK_RETURN);
    }, 0);
    EXPECT_GT(opened, before);
    EXPECT_EQ(afterShiftTab, before);
    ASSERT_GT(target, 0);
    EXPECT_EQ(g_settings.Lesson, target);
    EXPECT_EQ(focus, 2);
    EXPECT_TRUE(closedState & STATE_SYSTEM_COLLAPSED);
    EXPECT_TRUE(openState & STATE_SYSTEM_EXPANDED);
    EXPECT_GT(entriesOpen, entriesBefore);
    EXPECT_EQ(levels, u"1/2");   // the book, then the first entry opened under it
    ASSERT_FALSE(name.empty());
    EXPECT_TRUE(name[0] >= u'\u05D0' && name[0] <= u'\u05EA');
}

// The icons sit on the tree's own ground in every colour set: inside each
// icon drawn on the first lines lies the page's colour where the art is
// white, and the mark stands out from it as the text does; Night and Sepia
// show no white, Paper keeps its icons as they were.
TEST_F(SectionChooser, IconsSitOnTheTreesGroundInEveryColourSet)
{
    for (DWORD choice : {COLOURS_PAPER, COLOURS_SEPIA, COLOURS_NIGHT}) {
        SCOPED_TRACE(choice);
        PresetWindow();
        Preset(COLOURS_VALUE, choice);
        Start();
        const ColourSet& set = ColourSetOf(choice);
        int icons = 0, onPage = 0, whites = 0, marked = 0;
        Open([&](HWND dialog, const IndexView* view) {
            UpdateWindow(dialog);
            HDC dc = GetDC(dialog);
            int size = ScaleToDpi(INDEX_ICON_SIZE), y = view->top;
            for (uint32_t i = 0; view->lines[i].flags && icons < 4; ++i) {
                const IndexLine& l = view->lines[i];
                if (!(l.flags & INDEX_FLAG_VISIBLE)) continue;
                if (i == 0 || l.key != view->lines[i - 1].key) {
                    int x = l.x + l.width + ScaleToDpi(INDEX_ICON_GAP);
                    int top = y + (l.height > size ? (l.height - size) / 2 : 0);
                    bool page = false, white = false;
                    double most = 1;
                    for (int dy = 0; dy < size; ++dy)
                        for (int dx = 0; dx < size; ++dx) {
                            uint32_t c = GetPixel(dc, x + dx, top + dy);
                            page |= c == set.page;
                            white |= c == Rgb(255, 255, 255);
                            most = std::max(most, ContrastRatio(c, set.page));
                        }
                    ++icons;
                    onPage += page;
                    whites += white;
                    marked += most >= 4.5;
                }
                y += l.height;
            }
            ReleaseDC(dialog, dc);
        });
        ASSERT_GT(icons, 0);
        EXPECT_EQ(onPage, icons);
        EXPECT_EQ(marked, icons);
        EXPECT_EQ(whites, choice == COLOURS_PAPER ? icons : 0);
        Close();
    }
}

}  // namespace
}  // namespace dialog_test
