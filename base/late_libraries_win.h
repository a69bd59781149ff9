// The shell's and the common dialogs' few functions, loaded on first use.
// Importing shell32 and comdlg32 costs every start-up under Wine about as
// much as the rest of the program's start together, for the update page
// and printing, which most days never run.
#pragma once
#include <windows.h>
#include <shellapi.h>
#include <commdlg.h>

// As the system's functions; when a library cannot be loaded they fail as
// the real call would (FALSE, ERROR_DLL_NOT_FOUND, CDERR_INITIALIZATION).
BOOL WINAPI LateShellExecuteEx(SHELLEXECUTEINFOW* info);
BOOL LatePageSetupDlg(PAGESETUPDLGW* setup);
DWORD LateCommDlgExtendedError();
