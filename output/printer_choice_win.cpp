#include "output/printer_choice_win.h"

#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "base/late_libraries_win.h"
#include "settings/settings_store_win.h"

namespace {

constexpr wchar_t SPOOLER_DRIVER[] = L"winspool";

// The one job the reader prints is the lesson: no page ranges, no
// selection, no file; copies go to the driver through the device mode.
constexpr DWORD PRINT_DIALOG_FLAGS =
    PD_NOPAGENUMS | PD_NOSELECTION | PD_NOCURRENTPAGE | PD_HIDEPRINTTOFILE | PD_USEDEVMODECOPIESANDCOLLATE;

// The device name a DEVMODEW carries, ended even when it fills its field.
void DevModePrinter(HGLOBAL devMode, wchar_t (&name)[CCHDEVICENAME + 1])
{
    name[0] = 0;
    auto* mode = devMode ? static_cast<const DEVMODEW*>(GlobalLock(devMode)) : nullptr;
    if (!mode) return;
    memcpy(name, mode->dmDeviceName, sizeof mode->dmDeviceName);
    name[CCHDEVICENAME] = 0;
    GlobalUnlock(devMode);
}

// A device mode belongs to a printer when its name is the printer's, or
// the printer's cut to the field.
bool Belongs(HGLOBAL devMode, const wchar_t* printer)
{
    wchar_t cut[CCHDEVICENAME + 1];
    DevModePrinter(devMode, cut);
    return !devMode || (cut[0] && wcsncmp(cut, printer, wcslen(cut)) == 0);
}

// The older dialog, where the system has no PrintDlgExW.
int ChooseWithPrintDlg(HWND owner, PrinterSetup* setup)
{
    PRINTDLGW print = {};
    print.lStructSize = sizeof print;
    print.hwndOwner = owner;
    print.hDevMode = setup->devMode;
    print.hDevNames = setup->devNames;
    print.Flags = PRINT_DIALOG_FLAGS & ~PD_NOCURRENTPAGE;
    print.nCopies = 1;
    BOOL chosen = LatePrintDlg(&print);
    *setup = {print.hDevMode, print.hDevNames};
    if (chosen) return 1;
    return LateCommDlgExtendedError() ? -1 : 0;
}

}  // namespace

HGLOBAL MakeDevNames(const wchar_t* printer)
{
    size_t driver = wcslen(SPOOLER_DRIVER) + 1, device = wcslen(printer) + 1;
    size_t offset = sizeof(DEVNAMES) / sizeof(wchar_t);
    if (offset + driver + device + 1 > 0xFFFF) return nullptr;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, (offset + driver + device + 1) * sizeof(wchar_t));
    auto* names = block ? static_cast<DEVNAMES*>(GlobalLock(block)) : nullptr;
    if (!names) {
        if (block) GlobalFree(block);
        return nullptr;
    }
    auto* text = reinterpret_cast<wchar_t*>(names);
    names->wDriverOffset = WORD(offset);
    names->wDeviceOffset = WORD(offset + driver);
    names->wOutputOffset = WORD(offset + driver + device);   // the zeroed place: no port
    wmemcpy(text + names->wDriverOffset, SPOOLER_DRIVER, driver);
    wmemcpy(text + names->wDeviceOffset, printer, device);
    GlobalUnlock(block);
    return block;
}

bool DevNamesPrinter(HGLOBAL devNames, wchar_t* name, size_t count)
{
    name[0] = 0;
    auto* names = devNames ? static_cast<const DEVNAMES*>(GlobalLock(devNames)) : nullptr;
    if (!names) return false;
    // The offsets count characters from the block's start; a damaged one
    // must not read past its end.
    size_t units = GlobalSize(devNames) / sizeof(wchar_t);
    const auto* text = reinterpret_cast<const wchar_t*>(names);
    size_t at = names->wDeviceOffset, n = 0;
    while (at >= sizeof(DEVNAMES) / sizeof(wchar_t) && at + n < units && text[at + n] && n + 1 < count) {
        name[n] = text[at + n];
        ++n;
    }
    name[n] = 0;
    GlobalUnlock(devNames);
    return n > 0;
}

PrinterSetup StoredPrinter(HGLOBAL devMode, HGLOBAL keep)
{
    wchar_t* stored = ReadText(L"PrinterName");
    wchar_t cut[CCHDEVICENAME + 1];
    DevModePrinter(devMode, cut);
    const wchar_t* printer = stored && stored[0] ? stored : cut;
    PrinterSetup setup = {};
    if (printer[0] && Belongs(devMode, printer) && LatePrinterExists(printer)) {
        setup = {devMode, MakeDevNames(printer)};
    } else if (!printer[0]) {
        setup.devMode = devMode;
    } else if (devMode && devMode != keep) {
        GlobalFree(devMode);
    }
    free(stored);
    return setup;
}

int ChoosePrinter(HWND owner, PrinterSetup* setup)
{
    // Its documentation asks for the structure in allocated memory.
    auto* print = static_cast<PRINTDLGEXW*>(calloc(1, sizeof(PRINTDLGEXW)));
    if (!print) return -1;
    print->lStructSize = sizeof *print;
    print->hwndOwner = owner;
    print->hDevMode = setup->devMode;
    print->hDevNames = setup->devNames;
    print->Flags = PRINT_DIALOG_FLAGS;
    print->nCopies = 1;
    print->nStartPage = START_PAGE_GENERAL;
    HRESULT result = LatePrintDlgEx(print);
    int chosen;
    if (result == E_NOTIMPL) {
        chosen = ChooseWithPrintDlg(owner, setup);
    } else {
        *setup = {print->hDevMode, print->hDevNames};
        chosen = FAILED(result) ? -1 : print->dwResultAction == PD_RESULT_PRINT ? 1 : 0;
    }
    free(print);
    return chosen;
}
