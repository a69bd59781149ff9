#include "base/display_scale.h"

#include <commctrl.h>
#include <initializer_list>

#include "base/globals.h"
#include "resources/resource.h"

namespace {

SIZE BitmapSize(HBITMAP bitmap)
{
    BITMAP info = {};
    GetObjectW(bitmap, sizeof info, &info);
    return {info.bmWidth, info.bmHeight};
}

HBITMAP LoadArt(HINSTANCE instance, int id, bool mapped)
{
    if (mapped) return CreateMappedBitmap(instance, id, 0, nullptr, 0);
    return LoadBitmapW(instance, MAKEINTRESOURCEW(id));
}

}  // namespace

int ReadSystemDpi()
{
    HDC screen = GetDC(nullptr);
    int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : BASE_DPI;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : BASE_DPI;
}

int ScaleToDpi(int pixels)
{
    int dpi = g_state.dpi ? g_state.dpi : BASE_DPI;
    return MulDiv(pixels, dpi, BASE_DPI);
}

void DrawScaledBitmap(HDC dc, HBITMAP bitmap, int x, int y, int width, int height)
{
    SIZE size = BitmapSize(bitmap);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ kept = SelectObject(memory, bitmap);
    int mode = SetStretchBltMode(dc, size.cx == width && size.cy == height ? COLORONCOLOR : HALFTONE);
    POINT origin;
    SetBrushOrgEx(dc, 0, 0, &origin);   // as HALFTONE asks
    StretchBlt(dc, x, y, width, height, memory, 0, 0, size.cx, size.cy, SRCCOPY);
    SetBrushOrgEx(dc, origin.x, origin.y, nullptr);
    SetStretchBltMode(dc, mode);
    SelectObject(memory, kept);
    DeleteDC(memory);
}

HBITMAP LoadScaledBitmap(HINSTANCE instance, int id, int width, int height, bool mapped)
{
    HBITMAP best = nullptr;
    for (int variant : {0, ART_2X, ART_3X}) {
        HBITMAP art = LoadArt(instance, id + variant, mapped);
        if (!art) continue;
        if (best) DeleteObject(best);
        best = art;
        SIZE size = BitmapSize(art);
        if (size.cx == width && size.cy == height) return art;
    }
    if (!best) return nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP scaled = CreateCompatibleBitmap(screen, width, height);
    HDC target = CreateCompatibleDC(screen);
    HGDIOBJ kept = SelectObject(target, scaled);
    DrawScaledBitmap(target, best, 0, 0, width, height);
    SelectObject(target, kept);
    DeleteDC(target);
    ReleaseDC(nullptr, screen);
    DeleteObject(best);
    return scaled;
}
