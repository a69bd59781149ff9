// The search dialog (resource 115) with Hebrew keyboard entry.
#pragma once
#include <windows.h>

// Opens the dialog modally over owner.
void RunSearchDialog(HWND owner);
