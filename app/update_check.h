// Check For Updates: hands the maker's update page to the shell.
#pragma once
#include <windows.h>
#include <shellapi.h>
#include <cstddef>

constexpr size_t UPDATE_URL_SIZE = 200;   // code units, terminator included

// Opens url through the shell with no error display of its own.
void OpenUrl(HWND owner, const wchar_t* url);

// The update page's URL: the maker's base, the encoded product path and
// the version, cut to the buffer when it would not fit.
void BuildUpdateUrl(wchar_t (&buffer)[UPDATE_URL_SIZE]);

void CheckForUpdates(HWND mainWindow);

// The shell call OpenUrl makes; tests put a recorder here instead of a browser.
extern BOOL(WINAPI* g_shellExecuteEx)(SHELLEXECUTEINFOW* info);
