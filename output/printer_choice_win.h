// Which printer a job goes to: the one stored last time while it still
// exists, then the reader's choice in the print dialog. The printer is
// known by its full name from DEVNAMES; a DEVMODE cuts names at 31
// characters, and many network queues are longer.
#pragma once
#include <windows.h>
#include <cstddef>

// Both moveable global blocks, as the common dialogs want them; either may be none.
struct PrinterSetup {
    HGLOBAL devMode;    // DEVMODEW
    HGLOBAL devNames;   // DEVNAMES
};

// A new DEVNAMES block naming the printer (driver "winspool", no port), or none.
HGLOBAL MakeDevNames(const wchar_t* printer);

// The printer a DEVNAMES block names, into name (count characters, always
// ended); false when there is none.
bool DevNamesPrinter(HGLOBAL devNames, wchar_t* name, size_t count);

// The stored set-up to open the dialogs with: devMode (the stored "DevMode")
// with the stored "PrinterName" beside it, or, without that name, the one
// in devMode. A printer that no longer exists, or a name the device mode
// does not belong to, gives neither: the dialogs then start from the
// default printer. devMode is freed then unless it is keep.
PrinterSetup StoredPrinter(HGLOBAL devMode, HGLOBAL keep);

// The print dialog over owner, opened on setup, whose handles it replaces:
// 1 when the reader chose Print, 0 when cancelled, -1 when it failed.
int ChoosePrinter(HWND owner, PrinterSetup* setup);
