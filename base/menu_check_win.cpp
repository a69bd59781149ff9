#include "base/menu_check_win.h"

int SetMenuCheck(HMENU menu, int mode, UINT item, int checked)
{
    if (mode == MENU_CHECK_TOGGLE)
        checked = !(GetMenuState(menu, item, MF_BYCOMMAND) & MF_CHECKED);
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE;
    info.fState = checked ? MFS_CHECKED : 0;
    SetMenuItemInfoW(menu, item, FALSE, &info);
    return checked ? 1 : 0;
}
