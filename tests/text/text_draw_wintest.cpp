// Drawing letter-code runs under Wine: the glyphs must come out in stored
// order, not reordered by the bidirectional algorithm.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <functional>
#include <vector>

#include "settings/settings.h"
#include "text/text_draw_win.h"
#include "text/text_format.h"

namespace {

constexpr int WIDTH = 240, HEIGHT = 60;

// A white 32-bit bitmap with a Hebrew typeface selected.
class Canvas {
public:
    Canvas()
    {
        dc_ = CreateCompatibleDC(nullptr);
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), WIDTH, -HEIGHT, 1, 32, BI_RGB};
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        oldBitmap_ = SelectObject(dc_, bitmap_);
        LOGFONTW lf = {};
        lf.lfHeight = -32;
        wcscpy(lf.lfFaceName, L"David CLM");
        font_ = CreateFontIndirectW(&lf);
        oldFont_ = SelectObject(dc_, font_);
        Clear();
    }
    ~Canvas()
    {
        SelectObject(dc_, oldFont_);
        SelectObject(dc_, oldBitmap_);
        DeleteObject(font_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC dc() const { return dc_; }
    void Clear() { PatBlt(dc_, 0, 0, WIDTH, HEIGHT, WHITENESS); }
    std::vector<uint32_t> Pixels() const
    {
        GdiFlush();
        return std::vector<uint32_t>(bits_, bits_ + WIDTH * HEIGHT);
    }
    std::vector<uint32_t> Render(const std::function<void()>& draw)
    {
        Clear();
        draw();
        return Pixels();
    }

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ oldBitmap_, oldFont_;
    HFONT font_;
    uint32_t* bits_ = nullptr;
};

class DrawCellTest : public ::testing::Test {
protected:
    Canvas canvas;
    void SetUp() override
    {
        g_settings = {};
        g_settings.FontAsciiBase = DEFAULT_ASCII_BASE;
    }
    void TearDown() override { ReleaseConversionBuffer(); }

    SIZE Extent(const std::u16string& s)
    {
        SIZE size = {};
        GetTextExtentPoint32W(canvas.dc(), reinterpret_cast<const wchar_t*>(s.c_str()), static_cast<int>(s.size()), &size);
        return size;
    }
    // Each character put down by itself, left to right: stored order for sure.
    void DrawOneByOne(const std::u16string& s, int x, int y)
    {
        for (char16_t c : s) {
            ExtTextOutW(canvas.dc(), x, y, 0, nullptr, reinterpret_cast<const wchar_t*>(&c), 1, nullptr);
            x += Extent(std::u16string(1, c)).cx;
        }
    }
};

const uint8_t RUN[] = "dba:";   // stored in display order: dalet bet alef, colon last
const std::u16string SHOWN = {0x5D3, 0x5D1, 0x5D0, u':'};

TEST_F(DrawCellTest, GlyphsComeOutInStoredOrder)
{
    SIZE size = Extent(SHOWN);
    auto cell = canvas.Render([&] { DrawCell(canvas.dc(), RUN, 4, 10, 10, size.cx, size.cy); });
    auto expected = canvas.Render([&] { DrawOneByOne(SHOWN, 10, 10); });
    EXPECT_EQ(cell, expected);
    // DrawTextW reorders the same string: what DrawCell must not do.
    auto bidi = canvas.Render([&] {
        RECT box = {10, 10, 10 + size.cx, 10 + size.cy};
        DrawTextW(canvas.dc(), reinterpret_cast<const wchar_t*>(SHOWN.c_str()), 4, &box,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    });
    EXPECT_NE(bidi, expected) << "the platform no longer reorders; the check above proves nothing";
}

TEST_F(DrawCellTest, ReverseModeTurnsTheRunAround)
{
    g_settings.Flags = FLAG_REVERSE;
    SIZE size = Extent(SHOWN);
    auto cell = canvas.Render([&] { DrawCell(canvas.dc(), RUN, 4, 10, 10, size.cx, size.cy); });
    std::u16string turned(SHOWN.rbegin(), SHOWN.rend());
    EXPECT_EQ(cell, canvas.Render([&] { DrawOneByOne(turned, 10, 10); }));
}

TEST_F(DrawCellTest, CentredAndReturningWhatDrawTextWould)
{
    const uint8_t digits[] = "1234";
    SIZE size = Extent(u"1234");
    int w = size.cx + 41, h = size.cy + 17;
    int result = 0, expectedResult = 0;
    auto cell = canvas.Render([&] { result = DrawCell(canvas.dc(), digits, 4, 5, 3, w, h); });
    auto text = canvas.Render([&] {
        RECT box = {5, 3, 5 + w, 3 + h};
        expectedResult = DrawTextW(canvas.dc(), L"1234", 4, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    });
    EXPECT_EQ(cell, text);   // digits need no reordering: same place either way
    EXPECT_EQ(result, expectedResult);
    // Clipped to the box like DrawTextW.
    auto narrow = canvas.Render([&] { DrawCell(canvas.dc(), digits, 4, 20, 3, 8, h); });
    for (int y = 0; y < HEIGHT; ++y)
        for (int x = 0; x < WIDTH; ++x)
            if (x < 20 || x >= 28) {
                ASSERT_EQ(narrow[y * WIDTH + x] & 0xFFFFFF, 0xFFFFFFu) << x << "," << y;
            }
}

TEST_F(DrawCellTest, ColouredCellPutsColoursBack)
{
    SetTextColor(canvas.dc(), RGB(1, 2, 3));
    SetBkColor(canvas.dc(), RGB(4, 5, 6));
    SIZE size = Extent(SHOWN);
    auto cell = canvas.Render(
        [&] { DrawCellColored(canvas.dc(), RUN, 4, 0, 0, size.cx, size.cy, 0xFF0000, 0xFFFF); });
    EXPECT_EQ(GetTextColor(canvas.dc()), RGB(1, 2, 3));
    EXPECT_EQ(GetBkColor(canvas.dc()), RGB(4, 5, 6));
    EXPECT_EQ(cell[1 * WIDTH + 1] & 0xFFFFFF, 0xFFFF00u);   // yellow background (BGRA)
}

TEST_F(DrawCellTest, MeasureFit)
{
    SIZE first = Extent(SHOWN.substr(0, 1));
    int width = first.cx - 1, count = 4;
    MeasureFit(canvas.dc(), RUN, &width, &count);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(width, 0);

    SIZE two = Extent(SHOWN.substr(0, 2));
    width = two.cx + 1;
    count = 4;
    MeasureFit(canvas.dc(), RUN, &width, &count);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(width, two.cx);

    g_settings.Flags = FLAG_REVERSE;   // measuring ignores the Reverse mode
    width = two.cx + 1;
    count = 4;
    MeasureFit(canvas.dc(), RUN, &width, &count);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(width, two.cx);
    EXPECT_EQ(g_settings.Flags, FLAG_REVERSE);

    width = 1000;   // a count past the run's end measures only the run
    count = 40;
    MeasureFit(canvas.dc(), RUN, &width, &count);
    EXPECT_EQ(count, 4);
    EXPECT_EQ(width, Extent(SHOWN).cx);
}

}  // namespace
