// The About box (resource 103).
#pragma once
#include <windows.h>

void ShowAboutBox(HWND owner);
