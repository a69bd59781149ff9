#include "app/about_dialog.h"

#include "app/update_check.h"
#include "base/globals.h"
#include "base/maker.h"
#include "resources/resource.h"

namespace {

constexpr int LINK_TEXT_MAX = 100;

// The link control's state while the box is open.
struct LinkState {
    WNDPROC previousProc;
    HFONT font;
};
LinkState s_link;

void SubclassLink(HWND link)
{
    auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(link, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LinkProc)));
    if (previous && previous != s_link.previousProc) s_link.previousProc = previous;
}

// Underlined bold in the control's own face, the control fitted to its text.
void DressLink(HWND link)
{
    auto font = reinterpret_cast<HFONT>(SendMessageW(link, WM_GETFONT, 0, 0));
    if (!font) return;
    LOGFONTW lf;
    GetObjectW(font, sizeof lf, &lf);
    lf.lfUnderline = TRUE;
    lf.lfWeight = 800;
    s_link.font = CreateFontIndirectW(&lf);
    HDC dc = GetDC(link);
    HGDIOBJ old = SelectObject(dc, s_link.font);
    SendMessageW(link, WM_SETFONT, reinterpret_cast<WPARAM>(s_link.font), TRUE);
    wchar_t text[LINK_TEXT_MAX + 1];
    int n = GetWindowTextW(link, text, LINK_TEXT_MAX + 1);
    SIZE size = {};
    GetTextExtentPoint32W(dc, text, n, &size);
    SetWindowPos(link, nullptr, 0, 0, size.cx + 2 * GetSystemMetrics(SM_CXEDGE),
                 size.cy + 2 * GetSystemMetrics(SM_CYEDGE), SWP_NOMOVE | SWP_NOZORDER | SWP_SHOWWINDOW);
    SelectObject(dc, old);
    ReleaseDC(link, dc);
}

void InitAbout(HWND dialog)
{
    HWND link = GetDlgItem(dialog, IDC_ABOUT_LINK);
    SubclassLink(link);
    DressLink(link);
}

void DrawLink(const DRAWITEMSTRUCT* item)
{
    wchar_t text[LINK_TEXT_MAX + 1];
    int n = GetWindowTextW(item->hwndItem, text, LINK_TEXT_MAX + 1);
    SetTextColor(item->hDC, 0xFF0000);
    SetBkMode(item->hDC, TRANSPARENT);
    ExtTextOutW(item->hDC, item->rcItem.left, item->rcItem.top + GetSystemMetrics(SM_CYEDGE), ETO_OPAQUE,
                &item->rcItem, text, n, nullptr);
}

void EndAbout(HWND dialog, int result)
{
    EndDialog(dialog, result);
    if (s_link.font) DeleteObject(s_link.font);
    s_link.font = nullptr;
}

}  // namespace

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        InitAbout(dialog);
        return TRUE;
    case WM_DRAWITEM:
        DrawLink(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL:
            EndAbout(dialog, LOWORD(wParam));
            return TRUE;
        case IDC_ABOUT_LINK:
            // An owner-drawn button also reports double clicks: one opening each.
            if (HIWORD(wParam) == BN_CLICKED)
                OpenUrl(GetDlgItem(dialog, IDC_ABOUT_LINK), L"" MAKER_HOME_URL);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

LRESULT CALLBACK LinkProc(HWND link, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETCURSOR) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
    }
    return CallWindowProcW(s_link.previousProc, link, message, wParam, lParam);
}

void ShowAboutBox(HWND owner)
{
    DialogBoxParamW(g_state.instance, MAKEINTRESOURCEW(IDD_ABOUT), owner, AboutDlgProc, 0);
}
