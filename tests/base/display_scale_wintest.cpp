// Sizes given for 96 DPI, grown to the system's: run again at 144 DPI by the
// test command (QUORIN_TEST_DPI names what the prefix was set to).
#include "tests/app/reader_fixture.h"

#include <commctrl.h>
#include <cstdlib>

#include "app/lifetime.h"
#include "base/display_scale.h"
#include "index/index_layout.h"
#include "resources/resource.h"

namespace reader_test {
namespace {

class DisplayScale : public ReaderTest {};

SIZE BitmapSize(HBITMAP bitmap)
{
    BITMAP info = {};
    GetObjectW(bitmap, sizeof info, &info);
    return {info.bmWidth, info.bmHeight};
}

TEST_F(DisplayScale, TheSystemDpiIsReadOnceAndScalesFrom96)
{
    int dpi = ReadSystemDpi();
    if (const char* expected = std::getenv("QUORIN_TEST_DPI")) {
        EXPECT_EQ(dpi, std::atoi(expected));
    }
    ResetProgramState(GetModuleHandleW(nullptr));
    EXPECT_EQ(g_state.dpi, dpi);
    EXPECT_EQ(ScaleToDpi(14), MulDiv(14, dpi, BASE_DPI));
    g_state.dpi = BASE_DPI;
    for (int pixels : {1, 2, 9, 14, 154}) EXPECT_EQ(ScaleToDpi(pixels), pixels);
    g_state.dpi = 144;
    EXPECT_EQ(ScaleToDpi(1), 2);   // a line never thinner than at 96
    EXPECT_EQ(ScaleToDpi(9), 14);
    EXPECT_EQ(ScaleToDpi(154), 231);
    g_state.dpi = dpi;
}

TEST_F(DisplayScale, BitmapsComeAtTheAskedSize)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    // The drawn sizes (9, 18, 27) and the sizes between, scaled smoothly.
    for (int size : {9, 12, 14, 18, 23, 27, 40}) {
        HBITMAP icon = LoadScaledBitmap(instance, IDB_TREE_OPEN, size, size, false);
        ASSERT_NE(icon, nullptr) << size;
        SIZE got = BitmapSize(icon);
        EXPECT_EQ(got.cx, size);
        EXPECT_EQ(got.cy, size);
        DeleteObject(icon);
    }
    HBITMAP strip = LoadScaledBitmap(instance, IDB_TOOLBAR, 7 * 24, 24, true);
    EXPECT_EQ(BitmapSize(strip).cx, 7 * 24);
    DeleteObject(strip);
    EXPECT_EQ(LoadScaledBitmap(instance, 4321, 9, 9, false), nullptr);
}

TEST_F(DisplayScale, ToolbarTreeIconsAndDateBandFollowTheDpi)
{
    PresetWindow();
    Start();
    auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(g_state.toolbar, TB_GETIMAGELIST, 0, 0));
    int cx = 0, cy = 0;
    ASSERT_TRUE(ImageList_GetIconSize(images, &cx, &cy));
    EXPECT_EQ(cx, ScaleToDpi(16));
    EXPECT_EQ(cy, ScaleToDpi(16));
    for (HBITMAP icon : g_state.chooserBitmaps) EXPECT_EQ(BitmapSize(icon).cx, ScaleToDpi(INDEX_ICON_SIZE));
    // The band's font is asked for 14 pixels at 96 DPI, a cell height (what
    // a face then reports varies by face).
    LOGFONTW band = {};
    ASSERT_TRUE(GetObjectW(g_state.dateBandFont, sizeof band, &band));
    EXPECT_EQ(band.lfHeight, ScaleToDpi(14));
}

}  // namespace
}  // namespace reader_test
