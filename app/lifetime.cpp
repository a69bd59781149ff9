#include "app/lifetime.h"

#include "base/allocation_win.h"
#include "base/display_scale.h"
#include "base/globals.h"
#include "calendar/calendar.h"
#include "calendar/schedule.h"
#include "index/index_layout.h"
#include "resources/resource.h"
#include "settings/bookmarks_win.h"
#include "settings/settings.h"
#include "settings/settings_store_win.h"
#include "text/layout.h"

namespace {

// The date text is derived from Day. A Day outside the calendar's span can
// only come from a damaged value; it is dropped rather than computed with.
void LoadDayDate()
{
    if (g_settings.Day == 0)
        return;
    if (g_settings.Day < FIRST_SUPPORTED_DAY || g_settings.Day > LAST_SUPPORTED_DAY) {
        g_settings.Day = 0;
        return;
    }
    DeriveDayDate();
}

void LoadChooserBitmaps()
{
    int icon = ScaleToDpi(INDEX_ICON_SIZE);
    for (int i = 0; i < 3; i++)
        g_state.chooserBitmaps[i] = LoadScaledBitmap(g_state.instance, IDB_TREE_CLOSED + i, icon, icon, false);
}

void FreeChooserBitmaps()
{
    for (HBITMAP& bitmap : g_state.chooserBitmaps) {
        if (bitmap)
            DeleteObject(bitmap);
        bitmap = nullptr;
    }
}

}  // namespace

void ResetProgramState(HINSTANCE instance)
{
    g_state = {};
    g_settings = {};
    g_state.instance = instance;
    g_state.dpi = ReadSystemDpi();
    SetAllocationFailureHandler(ShutDown);
}

void LoadSettings()
{
    ReadSettings();
    LoadDayDate();
    LoadChooserBitmaps();
    LoadBookmarks();
    g_state.settingsLoaded = true;
}

// ShutDown acts once: a second run (the allocation routine's, then the
// window's own) would save the freed, empty bookmark list over the stored
// one. Values are written only when they were loaded: a run that ran out of
// memory while loading would otherwise write defaults over good ones.
void ShutDown()
{
    if (g_state.shutDown)
        return;
    g_state.shutDown = true;
    FreeChooserBitmaps();
    if (g_state.settingsLoaded)
        SaveSettings(g_state.mainView ? g_state.mainView->firstRow : -1);
    if (g_state.mainView) {
        FreeTextView(g_state.mainView, 1);
        g_state.mainView = nullptr;
    }
    if (g_state.settingsLoaded && g_state.bookmarksLoaded)
        SaveBookmarks();
    if (g_state.settingsLoaded)
        SaveOneChapterBookmarks();
    FreeBookmarks();
    PostQuitMessage(0);
}
