#include "base/late_libraries_win.h"

#include <cderr.h>
#include <objbase.h>
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
using PrintDlgExFn = HRESULT(WINAPI*)(PRINTDLGEXW*);
using PrintDlgFn = BOOL(WINAPI*)(PRINTDLGW*);
using OpenPrinterFn = BOOL(WINAPI*)(wchar_t*, HANDLE*, void*);
using ClosePrinterFn = BOOL(WINAPI*)(HANDLE);
using CoInitializeExFn = HRESULT(WINAPI*)(void*, DWORD);

ShellExecuteExFn s_shellExecuteEx;
PageSetupDlgFn s_pageSetupDlg;
CommDlgExtendedErrorFn s_commDlgExtendedError;
PrintDlgExFn s_printDlgEx;
PrintDlgFn s_printDlg;
OpenPrinterFn s_openPrinter;
ClosePrinterFn s_closePrinter;
CoInitializeExFn s_coInitializeEx;
using DwmSetWindowAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, const void*, DWORD);
DwmSetWindowAttributeFn s_dwmSetWindowAttribute;
using CreateStdAccessibleObjectFn = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
using LresultFromObjectFn = LRESULT(WINAPI*)(REFIID, WPARAM, IUnknown*);
using SysAllocStringLenFn = BSTR(WINAPI*)(const OLECHAR*, UINT);
CreateStdAccessibleObjectFn s_createStdAccessibleObject;
LresultFromObjectFn s_lresultFromObject;
SysAllocStringLenFn s_sysAllocStringLen;
bool s_commDlgMissing;
HRESULT s_com = E_FAIL;
bool s_comTried;

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

HRESULT LatePrintDlgEx(PRINTDLGEXW* print)
{
    PrintDlgExFn call = Resolved(&s_printDlgEx, L"comdlg32.dll", "PrintDlgExW");
    s_commDlgMissing = !call;
    return call ? call(print) : E_NOTIMPL;
}

BOOL LatePrintDlg(PRINTDLGW* print)
{
    PrintDlgFn call = Resolved(&s_printDlg, L"comdlg32.dll", "PrintDlgW");
    s_commDlgMissing = !call;
    return call ? call(print) : FALSE;
}

bool LatePrinterExists(const wchar_t* name)
{
    OpenPrinterFn open = Resolved(&s_openPrinter, L"winspool.drv", "OpenPrinterW");
    ClosePrinterFn close = Resolved(&s_closePrinter, L"winspool.drv", "ClosePrinter");
    if (!open || !close) return true;
    HANDLE printer = nullptr;
    if (!open(const_cast<wchar_t*>(name), &printer, nullptr)) return false;
    close(printer);
    return true;
}

// ShellExecuteEx may hand the address to a shell extension that is a COM
// object; its documentation asks for an apartment on the calling thread.
bool LateComReady()
{
    if (!s_comTried) {
        s_comTried = true;
        if (CoInitializeExFn call = Resolved(&s_coInitializeEx, L"ole32.dll", "CoInitializeEx"))
            s_com = call(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    }
    // S_FALSE: the thread had one already, which serves as well.
    return SUCCEEDED(s_com);
}

HRESULT LateDwmSetWindowAttribute(HWND window, DWORD attribute, const void* value, DWORD size)
{
    DwmSetWindowAttributeFn call = Resolved(&s_dwmSetWindowAttribute, L"dwmapi.dll", "DwmSetWindowAttribute");
    return call ? call(window, attribute, value, size) : E_NOTIMPL;
}

HRESULT LateCreateStdAccessibleObject(HWND window, LONG object, REFIID id, void** out)
{
    *out = nullptr;
    auto call = Resolved(&s_createStdAccessibleObject, L"oleacc.dll", "CreateStdAccessibleObject");
    return call ? call(window, object, id, out) : E_NOTIMPL;
}

LRESULT LateLresultFromObject(REFIID id, WPARAM flags, IUnknown* object)
{
    auto call = Resolved(&s_lresultFromObject, L"oleacc.dll", "LresultFromObject");
    return call ? call(id, flags, object) : 0;
}

BSTR LateSysAllocStringLen(const wchar_t* text, UINT length)
{
    auto call = Resolved(&s_sysAllocStringLen, L"oleaut32.dll", "SysAllocStringLen");
    return call ? call(text, length) : nullptr;
}
