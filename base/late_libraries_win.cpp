#include "base/late_libraries_win.h"

#include <cderr.h>
#include <cwchar>

namespace {

// From the system folder by full path, never from the program's folder.
FARPROC SystemProc(const wchar_t* library, const char* name)
{
    wchar_t path[MAX_PATH];
    UINT n = GetSystemDirectoryW(path, MAX_PATH);
    if (n == 0 || n + 1 + wcslen(library) >= MAX_PATH) return nullptr;
    path[n] = L'\\';
    wcscpy(path + n + 1, library);
    HMODULE module = LoadLibraryW(path);
    return module ? GetProcAddress(module, name) : nullptr;
}

template <typename Fn>
Fn Resolved(Fn* slot, const wchar_t* library, const char* name)
{
    if (!*slot) *slot = reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(SystemProc(library, name)));
    return *slot;
}

using ShellExecuteExFn = BOOL(WINAPI*)(SHELLEXECUTEINFOW*);
using PageSetupDlgFn = BOOL(WINAPI*)(PAGESETUPDLGW*);
using CommDlgExtendedErrorFn = DWORD(WINAPI*)();

ShellExecuteExFn s_shellExecuteEx;
PageSetupDlgFn s_pageSetupDlg;
CommDlgExtendedErrorFn s_commDlgExtendedError;
bool s_commDlgMissing;

}  // namespace

BOOL WINAPI LateShellExecuteEx(SHELLEXECUTEINFOW* info)
{
    if (ShellExecuteExFn call = Resolved(&s_shellExecuteEx, L"shell32.dll", "ShellExecuteExW")) return call(info);
    SetLastError(ERROR_DLL_NOT_FOUND);
    return FALSE;
}

BOOL LatePageSetupDlg(PAGESETUPDLGW* setup)
{
    PageSetupDlgFn call = Resolved(&s_pageSetupDlg, L"comdlg32.dll", "PageSetupDlgW");
    s_commDlgMissing = !call;
    return call ? call(setup) : FALSE;
}

DWORD LateCommDlgExtendedError()
{
    if (s_commDlgMissing) return CDERR_INITIALIZATION;
    CommDlgExtendedErrorFn call = Resolved(&s_commDlgExtendedError, L"comdlg32.dll", "CommDlgExtendedError");
    return call ? call() : CDERR_INITIALIZATION;
}
