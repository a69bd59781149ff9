#include "app/update_check.h"

#include <cstdio>
#include <cwchar>

#include "base/late_libraries_win.h"
#include "base/maker.h"

BOOL(WINAPI* g_shellExecuteEx)(SHELLEXECUTEINFOW* info) = LateShellExecuteEx;

namespace {

// Appends text while room for the terminator remains.
void Append(wchar_t* buffer, size_t& at, const wchar_t* text)
{
    while (*text && at + 1 < UPDATE_URL_SIZE) buffer[at++] = *text++;
    buffer[at] = 0;
}

bool CopiedAsIs(wchar_t c)
{
    return (c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || c == L'.' ||
           c == L'/';
}

}  // namespace

void OpenUrl(HWND owner, const wchar_t* url)
{
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner;
    info.lpVerb = L"Open";
    info.lpFile = url;
    g_shellExecuteEx(&info);
}

void BuildUpdateUrl(wchar_t (&buffer)[UPDATE_URL_SIZE])
{
    wmemset(buffer, 0, UPDATE_URL_SIZE);
    size_t at = 0;
    Append(buffer, at, L"" MAKER_UPDATE_BASE);
    for (const wchar_t* c = L"" PRODUCT_PATH; *c; ++c) {
        wchar_t piece[8] = {*c == L' ' ? L'+' : *c};
        if (*c != L' ' && !CopiedAsIs(*c)) swprintf(piece, 8, L"%%%.2X", unsigned{*c});
        Append(buffer, at, piece);
    }
    Append(buffer, at, L"&v=" PRODUCT_VERSION);
}

void CheckForUpdates(HWND mainWindow)
{
    wchar_t url[UPDATE_URL_SIZE];
    BuildUpdateUrl(url);
    OpenUrl(mainWindow, url);
}
