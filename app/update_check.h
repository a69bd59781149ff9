// Check For Updates: hands the maker's update page to the shell.
#pragma once
#include <windows.h>

void CheckForUpdates(HWND mainWindow);
