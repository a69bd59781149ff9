// Selecting a passage with the real mouse and the keys, and copying it with
// its citation in both clipboard formats.
#include "tests/app/reader_fixture.h"

#include <string>

#include "app/selection_win.h"
#include "calendar/portion_schedule.h"
#include "calendar/schedule.h"
#include "output/clipboard_win.h"
#include "resources/resource.h"
#include "text/rows.h"
#include "text/text_format.h"

namespace reader_test {
namespace {

std::u16string ReadUnicode()
{
    size_t n = 0;
    uint8_t* data = ReadClipboard(&n, 0);
    std::u16string s(reinterpret_cast<char16_t*>(data), n / 2);
    free(data);
    return s;
}

std::string ReadRtf()
{
    size_t n = 0;
    uint8_t* data = ReadClipboard(&n, RegisterClipboardFormatW(L"Rich Text Format"));
    std::string s(reinterpret_cast<char*>(data), n);
    free(data);
    return s;
}

class PassageSelect : public ReaderTest {
protected:
    void SetUp() override
    {
        ReaderTest::SetUp();
        PresetPinned(0, 100);
        Preset(L"FontSize", 16);
        // Room for the lesson's first two paragraphs at any display scaling.
        Preset(L"Width", 900);
        Preset(L"Height", 860);
        Start();
        SetForegroundWindow(window);
        ASSERT_EQ(FirstRow(), 0);
    }
    // The n-th line that opens a labelled paragraph, and its top.
    const LineRecord* Paragraph(int n, int* top) const
    {
        int y = View()->top;
        for (const LineRecord* l = View()->lines; l->style; ++l) {
            if (l->hang && n-- == 0) {
                *top = y;
                return l;
            }
            y += RowsOf(*l) * l->height;
        }
        return nullptr;
    }
    // Real input: the pointer moved and the button pressed through the
    // system's input queue, as a hand on a mouse would.
    void MouseTo(int x, int y)
    {
        POINT p = {x, y};
        ClientToScreen(window, &p);
        INPUT in = {};
        in.type = INPUT_MOUSE;
        in.mi.dx = MulDiv(p.x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
        in.mi.dy = MulDiv(p.y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
        in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        SendInput(1, &in, sizeof in);
        Settle();
    }
    void Button(DWORD flag)
    {
        INPUT in = {};
        in.type = INPUT_MOUSE;
        in.mi.dwFlags = flag;
        SendInput(1, &in, sizeof in);
        Settle();
    }
    void Settle()
    {
        for (int i = 0; i < 5; ++i) {
            Sleep(20);
            Pump();
        }
    }
    void Drag(int x0, int y0, int x1, int y1)
    {
        MouseTo(x0, y0);
        Button(MOUSEEVENTF_LEFTDOWN);
        for (int i = 1; i <= 4; ++i) MouseTo(x0 + (x1 - x0) * i / 4, y0 + (y1 - y0) * i / 4);
        Button(MOUSEEVENTF_LEFTUP);
    }
};

// From the start of paragraph א (its right end) into paragraph ב: the
// clipboard gets the words in reading order, then the citation, as Rich
// Text and as plain text.
TEST_F(PassageSelect, DragWithTheMouseCopiesThePassageAndItsCitation)
{
    int y1, y2;
    const LineRecord* first = Paragraph(0, &y1);
    const LineRecord* second = Paragraph(1, &y2);
    ASSERT_TRUE(first && second);
    ASSERT_LE(y2 + int(second->height), View()->top + View()->height);
    // Just right of the line's words, short of its label.
    int right = first->x + first->boxWidth + 1;
    Drag(right, y1 + first->height / 2, second->x + second->boxWidth / 2, y2 + second->height / 2);
    ASSERT_LT(g_state.selectStart, g_state.selectEnd);
    EXPECT_EQ(FirstRow(), 0);   // a drag is no click: nothing paged
    Command(IDM_COPY);
    std::u16string plain = ReadUnicode();
    EXPECT_EQ(plain.rfind(u"קדרה של חרס", 0), 0u) << std::string(plain.begin(), plain.end());
    const std::u16string cite = u"\r\n(הלכות מאכלות אסורות פרק יז, א–ב)\r\n";
    ASSERT_GT(plain.size(), cite.size());
    EXPECT_EQ(plain.substr(plain.size() - cite.size()), cite);
    EXPECT_NE(plain.find(u":\r\n"), std::u16string::npos);   // paragraph א whole, ב begun
    std::string rtf = ReadRtf();
    EXPECT_EQ(rtf.rfind("{\\rtf1", 0), 0u);
    // (הלכות ... א–ב) with the en dash, right-to-left as the header declares.
    EXPECT_NE(rtf.find("\\par\\par\r\n(\\u1492\\u1500\\u1499\\u1493\\u1514"), std::string::npos);
    EXPECT_NE(rtf.find("\\u1488\\u8211\\u1489)"), std::string::npos);

    // A click without a drag drops the selection and pages as before.
    Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(right, View()->top + View()->height - 4));
    Send(WM_LBUTTONUP, 0, MAKELPARAM(right, View()->top + View()->height - 4));
    EXPECT_GT(FirstRow(), 0);
    EXPECT_EQ(g_state.selectStart, g_state.selectEnd);
    // Without a selection Copy takes the whole lesson again, with no citation.
    Command(IDM_COPY);
    plain = ReadUnicode();
    EXPECT_EQ(plain.find(u"(הלכות מאכלות אסורות פרק"), std::u16string::npos);
}

// Shift+Down selects the top visible line, each further one a line more;
// Shift+click moves the far end; Escape and another day clear it.
TEST_F(PassageSelect, KeysShiftClickEscapeAndDayChange)
{
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    Key(VK_DOWN);
    EXPECT_EQ(FirstRow(), 0);   // selecting, not scrolling
    unsigned one = g_state.selectEnd - g_state.selectStart;
    EXPECT_GT(one, 0u);
    Key(VK_DOWN);
    Key(VK_DOWN);
    EXPECT_GT(unsigned(g_state.selectEnd - g_state.selectStart), one);
    Key(VK_UP);
    Key(VK_UP);
    EXPECT_EQ(unsigned(g_state.selectEnd - g_state.selectStart), one);
    Key(VK_UP);
    EXPECT_EQ(g_state.selectStart, g_state.selectEnd);

    // Shift+click reaches from the anchor to the point, and never pages.
    int y;
    const LineRecord* line = Paragraph(1, &y);
    ASSERT_TRUE(line);
    ASSERT_LE(y + int(line->height), View()->top + View()->height);
    uint16_t anchor = g_state.selectAnchor;
    Send(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(line->x + 2, y + 2));
    Send(WM_LBUTTONUP, MK_SHIFT, MAKELPARAM(line->x + 2, y + 2));
    EXPECT_EQ(g_state.selectStart, anchor);
    EXPECT_GT(unsigned(g_state.selectEnd - g_state.selectStart), 3 * one);
    EXPECT_EQ(FirstRow(), 0);

    // A page more from there; the page follows the selection's end.
    unsigned before = g_state.selectEnd;
    Key(VK_NEXT);
    EXPECT_GT(unsigned(g_state.selectEnd), before);
    EXPECT_GT(FirstRow(), 0);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);

    Key(VK_ESCAPE);
    EXPECT_EQ(g_state.selectStart, g_state.selectEnd);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    Key(VK_DOWN);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    ASSERT_LT(g_state.selectStart, g_state.selectEnd);
    Command(IDM_NEXT_DAY);
    unsigned first, last;
    EXPECT_FALSE(CurrentSelection(&first, &last));
    EXPECT_EQ(g_settings.Lesson, 101);
}

// The Rich Text form of a citation: letters as \u escapes, a space after
// one kept by a second (the first ends the escape).
std::string RtfOf(const std::u16string& s)
{
    std::string out;
    bool escaped = false;
    for (char16_t c : s) {
        if (c >= 0x80) out += "\\u" + std::to_string(unsigned(c));
        else out += c == ' ' && escaped ? std::string("  ") : std::string(1, char(c));
        escaped = c >= 0x80;
    }
    return out;
}

// A one-chapter day from its top (the headings) to the first line of its
// third paragraph, with the keys, and copied: the citation names the day's
// section, chapter and paragraphs in both clipboard formats. Days begun
// inside a lesson (its second chapter, a new section, a third of an opening
// lesson without a heading of its own) and the regrouped days, whose
// selection passes the rule between two chapters.
using OneChapterPassage = ReaderTest;

TEST_F(OneChapterPassage, CopyCitesTheDaysSectionChapterAndParagraphs)
{
    const struct {
        int portion, paragraphs;
        const char16_t* citation;
    } days[] = {
        {101, 3, u"(הלכות ברכות פרק יא, א–ג)"},
        // From the section's opening words on: they belong to no chapter.
        {102, 3, u"(הלכות מילה – פרק א, ג)"},
        {5, 3, u"(מצוות עשה, חלק ב, פד–פו)"},
        {166, 3, u"(הלכות חמץ ומצה, נוסח ההגדה, א–ג)"},
        {108, 2, u"(סדר תפילות כל השנה, וזהו נוסח כל הברכות האמצעיות, א – נוסח הוידוי, א)"},
    };
    for (const auto& d : days) {
        SCOPED_TRACE(d.portion);
        Close();
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Lumivex");
        int32_t day = DayOfPortionInCycle(d.portion, 739959);
        PresetPinned(day, LessonOfDay(3, day));
        Preset(L"Track", TRACK_ONE);
        Preset(L"FontSize", 16);
        Start();
        ASSERT_EQ(g_settings.Portion, d.portion);
        // The line that opens the paragraph the selection reaches.
        int line = 0, seen = 0;
        for (const LineRecord* l = View()->lines; l->style; ++l, ++line)
            if (l->hang && ++seen == d.paragraphs) break;
        ASSERT_EQ(seen, d.paragraphs);
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_SHIFT] = 0x80;
        SetKeyboardState(keys);
        for (int i = 0; i <= line; ++i) Key(VK_DOWN);
        keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
        Command(IDM_COPY);
        std::u16string plain = ReadUnicode();
        std::u16string cite = std::u16string(u"\r\n") + d.citation + u"\r\n";
        ASSERT_GT(plain.size(), cite.size());
        EXPECT_EQ(plain.substr(plain.size() - cite.size()), cite);
        EXPECT_NE(ReadRtf().find("\r\n" + RtfOf(d.citation) + "\\par"), std::string::npos);
    }
}

}  // namespace
}  // namespace reader_test
