#include "app/toolbar_win.h"

#include <commctrl.h>
#include <oleacc.h>

#include "base/accessible_parts_win.h"
#include "base/display_scale.h"
#include "base/globals.h"
#include "resources/resource.h"

namespace {

// Plain push buttons over the strip of bitmap 114.
constexpr TBBUTTON MakeButton(int image, int command)
{
    TBBUTTON button = {};
    button.iBitmap = image;
    button.idCommand = command;
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = BTNS_BUTTON;
    return button;
}

constexpr TBBUTTON TOOLBAR_BUTTONS[] = {
    MakeButton(0, IDM_PREVIOUS_DAY), MakeButton(1, IDM_TODAY),  MakeButton(2, IDM_NEXT_DAY),
    MakeButton(3, IDM_FONT),         MakeButton(4, IDM_SEARCH), MakeButton(5, IDM_SEARCH_AGAIN),
    MakeButton(6, IDM_INDEX),        MakeButton(7, IDM_LEARNED),
};
constexpr int TOOLBAR_BUTTON_COUNT = sizeof TOOLBAR_BUTTONS / sizeof TOOLBAR_BUTTONS[0];

constexpr int TOOLBAR_IMAGE_SIZE = 16;   // pixels at 96 DPI
constexpr int MENU_TEXT_MAX = 64;
constexpr wchar_t HINT_MARK = L'\b';     // a menu item's key hint follows it

int Command(long part)
{
    return part >= 1 && part <= TOOLBAR_BUTTON_COUNT ? TOOLBAR_BUTTONS[part - 1].idCommand : 0;
}

// The button's menu item: its text without the & marks, or its key hint.
bool MenuText(HWND toolbar, long part, bool hint, std::u16string* out)
{
    wchar_t text[MENU_TEXT_MAX] = {};
    HMENU menu = GetMenu(GetParent(toolbar));
    if (!Command(part) || !GetMenuStringW(menu, Command(part), text, MENU_TEXT_MAX, MF_BYCOMMAND)) return false;
    const wchar_t* mark = wcschr(text, HINT_MARK);
    if (hint) {
        if (!mark) return false;
        out->assign(reinterpret_cast<const char16_t*>(mark + 1));
        return true;
    }
    out->clear();
    for (const wchar_t* c = text; *c && c != mark; ++c)
        if (*c != L'&' || c[1] == L'&') *out += static_cast<char16_t>(*c);
    return true;
}

long Buttons(HWND) { return TOOLBAR_BUTTON_COUNT; }
bool ButtonName(HWND toolbar, long part, std::u16string* out) { return MenuText(toolbar, part, false, out); }
bool ButtonShortcut(HWND toolbar, long part, std::u16string* out) { return MenuText(toolbar, part, true, out); }

// What the menu shows of the command: checked (Learned), greyed.
long ButtonState(HWND toolbar, long part)
{
    UINT menu = GetMenuState(GetMenu(GetParent(toolbar)), Command(part), MF_BYCOMMAND);
    long state = STATE_SYSTEM_FOCUSABLE;
    if (menu != UINT(-1) && (menu & MF_CHECKED)) state |= STATE_SYSTEM_CHECKED;
    if (menu != UINT(-1) && (menu & MF_GRAYED)) state |= STATE_SYSTEM_UNAVAILABLE;
    return state;
}

bool ButtonBox(HWND toolbar, long part, RECT* box)
{
    return SendMessageW(toolbar, TB_GETITEMRECT, part - 1, reinterpret_cast<LPARAM>(box)) != 0;
}

// As a click: the command reaches the window after the reader's call returns.
bool PressButton(HWND toolbar, long part)
{
    return Command(part) && PostMessageW(GetParent(toolbar), WM_COMMAND, Command(part), reinterpret_cast<LPARAM>(toolbar));
}

constexpr AccessibleParts TOOLBAR_PARTS = {
    .role = ROLE_SYSTEM_TOOLBAR,
    .count = Buttons,
    .partName = ButtonName,
    .partShortcut = ButtonShortcut,
    .partRole = ROLE_SYSTEM_PUSHBUTTON,
    .partState = ButtonState,
    .partBox = ButtonBox,
    .action = u"Press",
    .act = PressButton,
};

}  // namespace

// The strip is loaded at the screen's size and handed over as a bitmap (no
// instance); the toolbar copies it, the window deletes it on closing.
void CreateToolbar(HWND window)
{
    int size = ScaleToDpi(TOOLBAR_IMAGE_SIZE);
    HBITMAP strip = LoadScaledBitmap(g_state.instance, IDB_TOOLBAR, size * TOOLBAR_BUTTON_COUNT, size, true);
    g_state.toolbarStrip = strip;
    g_state.toolbar = CreateToolbarEx(window, WS_CHILD | WS_VISIBLE, IDC_TOOLBAR, TOOLBAR_BUTTON_COUNT, nullptr,
                                      reinterpret_cast<UINT_PTR>(strip), TOOLBAR_BUTTONS, TOOLBAR_BUTTON_COUNT,
                                      size, size, size, size, sizeof(TBBUTTON));
    ServeAccessibleParts(g_state.toolbar, &TOOLBAR_PARTS);
}
