// A menu item's check mark, set from a state or flipped.
#pragma once
#include <windows.h>

constexpr int MENU_CHECK_SET = 0;
constexpr int MENU_CHECK_TOGGLE = 1;

// Sets (or in toggle mode flips) an item's check; 1 when it is now checked.
int SetMenuCheck(HMENU menu, int mode, UINT item, int checked);
