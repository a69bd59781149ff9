// Asks an edit control once whether it lays Hebrew out right to left.
// Windows does; Wine's edit control shows characters in stored order, where
// a box kept in reading order would read backwards.
#include "text/edit_direction_win.h"

#include <windows.h>
#include "text/edit_direction.h"

bool EditReordersHebrew()
{
    if (g_editReordersHebrew < 0) {
        HWND edit = CreateWindowExW(0, L"EDIT", L"\u05D0\u05D1", WS_POPUP | ES_LEFT, 0, 0, 200, 40,
                                    nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        g_editReordersHebrew = 1;
        if (edit) {
            // Alef comes first in reading order: right of bet when reordered.
            int alef = short(LOWORD(SendMessageW(edit, EM_POSFROMCHAR, 0, 0)));
            int bet = short(LOWORD(SendMessageW(edit, EM_POSFROMCHAR, 1, 0)));
            g_editReordersHebrew = alef > bet ? 1 : 0;
            DestroyWindow(edit);
        }
    }
    return g_editReordersHebrew != 0;
}
