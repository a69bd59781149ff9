// The colour sets as drawn: contrast measured on the window's own pixels,
// the stored choice, and odd stored values.
#include "tests/app/reader_fixture.h"

#include <map>

#include "resources/resource.h"
#include "text/colours_win.h"
#include "text/rows.h"
#include "text/text_format.h"

namespace reader_test {
namespace {

// The client area as the screen shows it, 0x00BBGGRR per pixel.
struct Shot {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    uint32_t At(int x, int y) const
    {
        uint32_t p = pixels[size_t(y) * width + x];   // BGRA in memory
        return (p >> 16 & 0xFF) | (p & 0xFF00) | (p & 0xFF) << 16;
    }
};

Shot TakeShot(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    Shot shot;
    shot.width = client.right;
    shot.height = client.bottom;
    shot.pixels.resize(size_t(shot.width) * shot.height);
    HDC dc = GetDC(window);
    HDC memory = CreateCompatibleDC(dc);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), shot.width, -shot.height, 1, 32, BI_RGB};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ kept = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, shot.width, shot.height, dc, 0, 0, SRCCOPY);
    GdiFlush();
    memcpy(shot.pixels.data(), bits, shot.pixels.size() * 4);
    SelectObject(memory, kept);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, dc);
    return shot;
}

// In a band of rows: the commonest colour is the ground, and the one that
// stands out most from it is the ink (glyph stems reach it whole).
struct Measured {
    uint32_t ground, ink;
    double ratio;
};

Measured Measure(const Shot& shot, int left, int right, int top, int bottom)
{
    std::map<uint32_t, int> counts;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) ++counts[shot.At(x, y)];
    Measured m = {};
    int most = 0;
    for (auto [colour, n] : counts)
        if (n > most) most = n, m.ground = colour;
    for (auto [colour, n] : counts) {
        double r = ContrastRatio(colour, m.ground);
        if (r > m.ratio) m.ratio = r, m.ink = colour;
    }
    return m;
}

class ColoursTest : public ReaderTest {
protected:
    void StartWith(DWORD colours)
    {
        PresetPinned(TodayNumber(), 100);   // a day, so the band has its date
        Preset(L"FontSize", 16);
        Preset(COLOURS_VALUE, colours);
        Start();
        ASSERT_EQ(FirstRow(), 0);
        UpdateWindow(window);
    }
    // The y of a line on the page drawn from row 0.
    int LineTop(const LineRecord* wanted) const
    {
        int y = View()->top;
        for (const LineRecord* l = View()->lines; l != wanted; ++l) y += RowsOf(*l) * l->height;
        return y;
    }
    // Only the line's own words, where each run's background is drawn too.
    Measured Line(const Shot& shot, const LineRecord* line) const
    {
        int y = LineTop(line);
        return Measure(shot, line->x, line->x + line->boxWidth, y, y + line->height);
    }
    const LineRecord* BodyLine() const
    {
        for (const LineRecord* l = View()->lines; l->style; ++l)
            if ((l->style & STYLE_KIND_MASK) != STYLE_RULE && (l->style & STYLE_BLUE) != STYLE_BLUE && l->count > 20)
                return l;
        return nullptr;
    }
    bool Checked(int id) const { return GetMenuState(GetMenu(window), id, MF_BYCOMMAND) & MF_CHECKED; }
};

TEST_F(ColoursTest, EverySetReachesItsContrastOnTheDrawnPage)
{
    for (DWORD choice : {COLOURS_PAPER, COLOURS_SEPIA, COLOURS_NIGHT}) {
        SCOPED_TRACE(choice);
        StartWith(choice);
        const ColourSet& set = ColourSetOf(choice);
        ASSERT_EQ(View()->lines[0].style & STYLE_BLUE, STYLE_BLUE);   // the lesson opens with a heading
        const LineRecord* body = BodyLine();
        ASSERT_TRUE(body);
        Shot shot = TakeShot(window);
        Measured heading = Line(shot, &View()->lines[0]);
        Measured text = Line(shot, body);
        EXPECT_EQ(text.ground, set.page);
        EXPECT_EQ(heading.ground, set.page);
        EXPECT_GE(text.ratio, 7.0);
        EXPECT_GE(heading.ratio, 4.5);
        const BandBox& band = g_state.dateBand;
        Measured date = Measure(shot, band.left + 1, band.left + band.width - 1, band.top + 1,
                                band.top + band.height - 1);
        EXPECT_EQ(date.ground, set.band);
        EXPECT_GE(date.ratio, 7.0);
        // Marked learned, the band is drawn again alone: in the same colours.
        Command(IDM_LEARNED);
        Shot marked = TakeShot(window);
        Measured again = Measure(marked, band.left + 1, band.left + band.width - 1, band.top + 1,
                                 band.top + band.height - 1);
        EXPECT_EQ(again.ground, set.band);
        EXPECT_GE(again.ratio, 7.0);
        // Outside the text box (the gutter) the page colour holds too.
        EXPECT_EQ(shot.At(2, shot.height / 2), set.page);
        EXPECT_TRUE(Checked(IDM_COLOURS_PAPER + int(choice)));
        Close();
    }
}

// The menu stores the choice at once; a stored value the reader does not
// know shows Paper and stays as it was until another choice is made.
TEST_F(ColoursTest, ChoiceIsStoredAndOddValuesAreKept)
{
    StartWith(7);
    EXPECT_TRUE(Checked(IDM_COLOURS_PAPER));
    EXPECT_EQ(TakeShot(window).At(2, 100), ColourSetOf(COLOURS_PAPER).page);
    Close();
    EXPECT_EQ(ReadNumber(SETTINGS_KEY, COLOURS_VALUE, -1), 7);
    StartWith(7);
    Command(IDM_COLOURS_NIGHT);
    UpdateWindow(window);
    EXPECT_EQ(ReadNumber(SETTINGS_KEY, COLOURS_VALUE, -1), COLOURS_NIGHT);
    EXPECT_TRUE(Checked(IDM_COLOURS_NIGHT));
    EXPECT_FALSE(Checked(IDM_COLOURS_PAPER));
    EXPECT_EQ(TakeShot(window).At(2, 100), ColourSetOf(COLOURS_NIGHT).page);
    // Print views keep black on white whatever the screen shows.
    TextView print = {};
    EXPECT_EQ(&ViewColours(&print), &ColourSetOf(COLOURS_PAPER));
}

}  // namespace
}  // namespace reader_test
