// What every test hook over dialog boxes needs: whether the window a CBT
// hook sees activated is a dialog box, and a message box's text.
#pragma once
#include <windows.h>

#include <string>

namespace box_hook {

// The dialog box being activated, or none (another kind of window or event).
inline HWND ActivatedDialog(int code, WPARAM wParam)
{
    if (code != HCBT_ACTIVATE) return nullptr;
    HWND window = reinterpret_cast<HWND>(wParam);
    wchar_t cls[32] = {};
    GetClassNameW(window, cls, 32);
    return std::wstring(cls) == L"#32770" ? window : nullptr;
}

// A message box's text (its static control 0xFFFF).
inline std::wstring BoxText(HWND box)
{
    wchar_t text[256] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 256);
    return text;
}

}  // namespace box_hook
