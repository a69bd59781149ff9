// The shell's, the common dialogs', the spooler's and COM's few functions,
// loaded on first use. Importing shell32 and comdlg32 costs every start-up
// under Wine about as much as the rest of the program's start together, for
// the update page and printing, which most days never run.
#pragma once
#include <windows.h>
#include <objbase.h>   // before commdlg.h: PRINTDLGEXW needs the COM types
#include <shellapi.h>
#include <commdlg.h>
#include <oleauto.h>

// As the system's functions; when a library cannot be loaded they fail as
// the real call would (FALSE, ERROR_DLL_NOT_FOUND, CDERR_INITIALIZATION).
BOOL WINAPI LateShellExecuteEx(SHELLEXECUTEINFOW* info);
BOOL LatePageSetupDlg(PAGESETUPDLGW* setup);
DWORD LateCommDlgExtendedError();
// E_NOTIMPL when the library has no such function (older Wine).
HRESULT LatePrintDlgEx(PRINTDLGEXW* print);
BOOL LatePrintDlg(PRINTDLGW* print);
// Whether the spooler knows a printer of that name; true when it cannot be asked.
bool LatePrinterExists(const wchar_t* name);
// COM for the shell, once per run on this thread; true when it is ready.
bool LateComReady();
// dwmapi's, where there is one (Vista on); E_NOTIMPL elsewhere.
HRESULT LateDwmSetWindowAttribute(HWND window, DWORD attribute, const void* value, DWORD size);
// oleacc's and oleaut32's, for the screen readers' object: loaded when a
// reader first asks. E_NOTIMPL (0, null) where missing.
HRESULT LateCreateStdAccessibleObject(HWND window, LONG object, REFIID id, void** out);
LRESULT LateLresultFromObject(REFIID id, WPARAM flags, IUnknown* object);
BSTR LateSysAllocStringLen(const wchar_t* text, UINT length);
