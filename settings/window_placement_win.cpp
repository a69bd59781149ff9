// The main window's place between runs: "Left" and "Top" are the restored
// window's top-left corner on the screen, "Width" and "Height" its size,
// "showCmd" how it is shown, whatever state it was closed in.
#include "settings/window_placement_win.h"

#include <algorithm>
#include <cstdint>

#include "base/display_scale.h"
#include "settings/settings_store_win.h"

namespace {

// Enough of the caption to take hold of the window with the mouse.
constexpr int GRIP = 40;   // pixels at 96 DPI

int32_t ReadPlacementValue(const wchar_t* name, int32_t fallback)
{
    return ReadNumber(SETTINGS_KEY, name, fallback);
}

// A stored show command that would hide the window, or is no command at
// all, gives way to the process's own: a hidden window would still be found
// by every later start, which then hands over to it and ends.
bool ShowsWindow(int show)
{
    return show >= SW_SHOWNORMAL && show <= SW_SHOWDEFAULT;
}

RECT WorkArea(const RECT& around, POINT* workspaceOrigin)
{
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromRect(&around, MONITOR_DEFAULTTONEAREST), &info);
    // The placement's own coordinates count from the work area, which the
    // taskbar and other desk bands leave over.
    if (workspaceOrigin)
        *workspaceOrigin = {info.rcWork.left - info.rcMonitor.left, info.rcWork.top - info.rcMonitor.top};
    return info.rcWork;
}

}  // namespace

RECT KeepOnScreen(const RECT& stored, const RECT& work, int grip)
{
    // Stored values come from the registry and may be anything: 64 bits
    // keep the sums from overflowing.
    int64_t left = stored.left, top = stored.top, width = stored.right, height = stored.bottom;
    int64_t workWidth = int64_t(work.right) - work.left, workHeight = int64_t(work.bottom) - work.top;
    width = std::min(width, workWidth);
    height = std::min(height, workHeight);
    grip = int(std::min<int64_t>({grip, width > 0 ? width : grip, workHeight}));
    // A window whose caption can be reached stays where the reader put it;
    // one that cannot (closed on a monitor that is gone) comes wholly onto
    // this work area.
    bool reachable = top >= work.top && top + grip <= work.bottom && left + width >= work.left + grip &&
                     left + grip <= work.right;
    if (!reachable) {
        left = std::clamp<int64_t>(left, work.left, std::max<int64_t>(work.left, work.right - width));
        top = std::clamp<int64_t>(top, work.top, std::max<int64_t>(work.top, work.bottom - height));
    }
    return {LONG(left), LONG(top), LONG(width), LONG(height)};
}

bool StoredPlacement(RECT* placed)
{
    int top = ReadPlacementValue(L"Top", 0);
    int left = ReadPlacementValue(L"Left", 0);
    int width = ReadPlacementValue(L"Width", 0);
    int height = ReadPlacementValue(L"Height", 0);
    *placed = {left, top, width, height};
    if (width <= 0 && height <= 0)
        return false;
    RECT around = {left, top, width > 0 ? left + width : left + 1, height > 0 ? top + height : top + 1};
    if (around.right < around.left || around.bottom < around.top)
        around = {left, top, left + 1, top + 1};   // sums that wrapped
    *placed = KeepOnScreen(*placed, WorkArea(around, nullptr), ScaleToDpi(GRIP));
    return true;
}

// SetWindowPlacement shows the window in its state and keeps the restored
// rectangle for when a maximised window is restored.
void RestorePlacement(HWND window, int showCmd)
{
    int show = ReadPlacementValue(L"showCmd", showCmd);
    if (!ShowsWindow(show))
        show = showCmd;
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    GetWindowPlacement(window, &placement);
    RECT placed;
    if (StoredPlacement(&placed)) {
        RECT screen = {placed.left, placed.top, placed.left + placed.right, placed.top + placed.bottom};
        POINT origin;
        WorkArea(screen, &origin);
        placement.rcNormalPosition = screen;
        OffsetRect(&placement.rcNormalPosition, -origin.x, -origin.y);
    }
    placement.flags = 0;
    placement.showCmd = UINT(show);
    placement.ptMinPosition = placement.ptMaxPosition = {-1, -1};
    SetWindowPlacement(window, &placement);
}

// A maximised window's own rectangle lies partly outside its monitor (by
// the frame, and on Windows 10 and 11 by a padded border too); the restored
// rectangle is what is stored, so nothing drifts from run to run. A
// minimised window reports a parking place; it too is stored as its
// restored rectangle, shown again restored (or maximised when it was
// maximised before).
void SavePlacement(HWND window)
{
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    GetWindowPlacement(window, &placement);
    RECT normal = placement.rcNormalPosition;
    POINT origin;
    WorkArea(normal, &origin);
    OffsetRect(&normal, origin.x, origin.y);
    UINT show = placement.showCmd;
    if (show == SW_SHOWMINIMIZED || IsIconic(window))
        show = (placement.flags & WPF_RESTORETOMAXIMIZED) ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    WriteNumber(L"Top", normal.top);
    WriteNumber(L"Left", normal.left);
    WriteNumber(L"Width", normal.right - normal.left);
    WriteNumber(L"Height", normal.bottom - normal.top);
    WriteNumber(L"showCmd", int32_t(show));
}
