// The program's life: its state zeroed at entry, the settings loaded with
// everything that comes with them, and the one shutdown.
#pragma once
#include <windows.h>

// Zeroes the program state and the settings, remembers the instance and
// makes running out of memory shut the program down.
void ResetProgramState(HINSTANCE instance);

// The stored settings, the date of the stored day, the chooser's bitmaps
// and the bookmark list.
void LoadSettings();

// Writes everything back, releases the view and bitmaps, posts the quit message.
void ShutDown();
