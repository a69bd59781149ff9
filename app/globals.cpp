#include "app/globals.h"
#include "app/display_scale.h"
#include "settings/settings.h"

ProgramState g_state;

void ResetProgramState(HINSTANCE instance)
{
    g_state = {};
    g_settings = {};
    g_state.instance = instance;
    g_state.dpi = ReadSystemDpi();
}
