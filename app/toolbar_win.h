// The toolbar along the top of the reader: plain push buttons for the
// commands read most, named for screen readers after their menu items.
#pragma once
#include <windows.h>

// Creates g_state.toolbar (and its image strip, g_state.toolbarStrip).
void CreateToolbar(HWND window);
