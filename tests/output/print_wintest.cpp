// Printing through the real page set-up dialog and spooler. Needs a printer
// (tests/scripts/print_pdf.sh sets up a PDF printer and checks the files
// these jobs leave); without one the tests say so and skip.
#include "tests/app/reader_fixture.h"

#include <commdlg.h>
#include <dlgs.h>
#include <winspool.h>

#include <cwchar>
#include <string>

#include "output/print_win.h"
#include "output/printer_choice_win.h"
#include "resources/resource.h"

namespace reader_test {
namespace {

// How the page set-up and print dialogs are answered, and what they and
// the boxes after them showed.
struct Driver {
    static inline HHOOK hook;
    static inline int answer;               // page set-up: IDOK or IDCANCEL
    static inline int printAnswer;          // print dialog
    static inline int setups;
    static inline int printDialogs;
    static inline std::wstring topMargin;   // as the dialog showed it
    static inline std::wstring printer;     // as the print dialog showed it
    static inline std::vector<std::wstring> boxes;  // caption: text

    static bool IsPageSetup(HWND box)
    {
        // Known by its margin fields; the title differs between systems.
        return GetDlgItem(box, edt4) && GetDlgItem(box, edt7);
    }
    static bool IsPrintDialog(HWND box) { return GetDlgItem(box, cmb4) && !IsPageSetup(box); }

    static void Answer(HWND box)
    {
        wchar_t text[64] = {};
        GetDlgItemTextW(box, edt5, text, 64);   // top margin
        topMargin = text;
        PostMessageW(box, WM_COMMAND, answer, 0);
    }

    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        HWND box = box_hook::ActivatedDialog(code, wParam);
        if (box && IsPageSetup(box)) {
            ++setups;
            // Let the dialog fill its fields first.
            SetTimer(box, 1, 300, [](HWND b, UINT, UINT_PTR id, DWORD) {
                KillTimer(b, id);
                Answer(b);
            });
        } else if (box && IsPrintDialog(box)) {
            ++printDialogs;
            SetTimer(box, 1, 300, [](HWND b, UINT, UINT_PTR id, DWORD) {
                KillTimer(b, id);
                wchar_t name[256] = {};
                GetDlgItemTextW(b, cmb4, name, 256);
                printer = name;
                PostMessageW(b, WM_COMMAND, printAnswer, 0);
            });
        } else if (box) {
            wchar_t caption[64] = {};
            GetWindowTextW(box, caption, 64);
            boxes.push_back(std::wstring(caption) + L": " + box_hook::BoxText(box));
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
        return CallNextHookEx(hook, code, wParam, lParam);
    }
    static void Install(int a, int print)
    {
        answer = a;
        printAnswer = print;
        setups = printDialogs = 0;
        boxes.clear();
        topMargin.clear();
        printer.clear();
        hook = SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId());
    }
    static void Remove() { UnhookWindowsHookEx(hook); }
};

bool HavePrinter()
{
    DWORD needed = 0, count = 0;
    EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, nullptr, 0, &needed, &count);
    return needed > 0;
}

class Printing : public ReaderTest {
protected:
    void SetUp() override
    {
        ReaderTest::SetUp();
        BoxCloser::Remove();
        if (!HavePrinter()) GTEST_SKIP() << "no printer: run tests/scripts/print_pdf.sh";
        PresetWindow();
        Preset(L"Flags", DEFAULT_FLAGS | FLAG_PIN);
        Preset(L"Lesson", 100);
        Preset(L"Day", 0);
        Start();
        ASSERT_NE(View(), nullptr);
    }
    void Print(int answer, int printAnswer = IDOK)
    {
        Driver::Install(answer, printAnswer);
        Command(IDM_PRINT);
        Driver::Remove();
    }
    static bool Stored(const wchar_t* name)
    {
        return RegGetValueW(HKEY_CURRENT_USER, SETTINGS_KEY, name, RRF_RT_ANY, nullptr, nullptr, nullptr) ==
               ERROR_SUCCESS;
    }
    static std::wstring DefaultPrinter()
    {
        wchar_t name[256] = {};
        DWORD size = 256;
        GetDefaultPrinterW(name, &size);
        return name;
    }
    static std::wstring StoredPrinterName()
    {
        wchar_t* name = ReadText(L"PrinterName");
        std::wstring s = name ? name : L"";
        free(name);
        return s;
    }
};

TEST(PrintErrors, EveryCodeHasItsText)
{
    EXPECT_STREQ(CommDlgErrorText(0x100A), L"Create Information Context  Failure");
    EXPECT_STREQ(CommDlgErrorText(0xFFFF), L"Dialog Failure");
    EXPECT_STREQ(CommDlgErrorText(12), L"RegisterWindowMessage Fail");
    EXPECT_EQ(CommDlgErrorText(DWORD(0)), nullptr);
    EXPECT_EQ(CommDlgErrorText(13), nullptr);
    EXPECT_EQ(CommDlgErrorText(0x100D), nullptr);
}

TEST(PrinterChoice, FullNamesGoThroughDevNames)
{
    // 40 characters: more than a DEVMODE's name field holds.
    const wchar_t* name = L"Accounting-Floor3-HP-LaserJet-Enterprise";
    HGLOBAL names = MakeDevNames(name);
    ASSERT_NE(names, nullptr);
    wchar_t back[64];
    ASSERT_TRUE(DevNamesPrinter(names, back, 64));
    EXPECT_STREQ(back, name);
    wchar_t small[8];
    EXPECT_TRUE(DevNamesPrinter(names, small, 8));
    EXPECT_STREQ(small, L"Account");
    // A damaged offset reads nothing from outside the block.
    auto* block = static_cast<DEVNAMES*>(GlobalLock(names));
    block->wDeviceOffset = 60000;
    GlobalUnlock(names);
    EXPECT_FALSE(DevNamesPrinter(names, back, 64));
    EXPECT_STREQ(back, L"");
    GlobalFree(names);
    EXPECT_FALSE(DevNamesPrinter(nullptr, back, 64));
}

TEST_F(Printing, CancelReportsUnknownErrorAndStoresNothing)
{
    Print(IDCANCEL);
    EXPECT_EQ(Driver::setups, 1);
    EXPECT_EQ(Driver::printDialogs, 0);
    ASSERT_EQ(Driver::boxes.size(), 1u);
    EXPECT_EQ(Driver::boxes[0], L"Error Printing: Unknown Error");
    EXPECT_FALSE(Stored(L"DevMode"));
    EXPECT_FALSE(Stored(L"PrintTop"));

    // Cancelled in the print dialog: nothing printed, nothing stored, no box.
    Print(IDOK, IDCANCEL);
    EXPECT_EQ(Driver::setups, 1);
    EXPECT_EQ(Driver::printDialogs, 1);
    EXPECT_TRUE(Driver::boxes.empty());
    EXPECT_FALSE(Stored(L"DevMode"));
    EXPECT_FALSE(Stored(L"PrinterName"));
    EXPECT_FALSE(Stored(L"PrintTop"));
}

TEST_F(Printing, AMultiPageLessonPrintsAndItsSetUpIsRemembered)
{
    Print(IDOK);
    EXPECT_EQ(Driver::setups, 1);
    EXPECT_EQ(Driver::printDialogs, 1);
    EXPECT_EQ(Driver::printer, DefaultPrinter());
    EXPECT_EQ(StoredPrinterName(), DefaultPrinter());
    EXPECT_TRUE(Driver::boxes.empty());
    EXPECT_DOUBLE_EQ(wcstod(Driver::topMargin.c_str(), nullptr), 1.0) << Driver::topMargin;
    EXPECT_TRUE(Stored(L"DevMode"));
    EXPECT_EQ(ReadNumber(SETTINGS_KEY, L"PrintTop", 0), 1000);
    EXPECT_EQ(ReadNumber(SETTINGS_KEY, L"PrintRight", 0), 1000);
    // The screen view is the printer's lender, not a party.
    EXPECT_NE(View()->text, nullptr);
    EXPECT_EQ(View()->pageStart, nullptr);

    // Next time, also after a restart, the dialog opens on what was chosen.
    Preset(L"PrintTop", 750);
    Restart();
    Preset(L"PrintBottom", 1250);   // these jobs leave a mark the script checks
    Print(IDOK);
    EXPECT_DOUBLE_EQ(wcstod(Driver::topMargin.c_str(), nullptr), 0.75) << Driver::topMargin;
    EXPECT_EQ(ReadNumber(SETTINGS_KEY, L"PrintBottom", 0), 1250);
}

TEST_F(Printing, MarginsThatLeaveNoRoomPrintNothing)
{
    // Room for a few pixels of text between header and footer, less than
    // any line: the document starts and ends with no line drawn.
    wchar_t name[256];
    DWORD size = 256;
    ASSERT_TRUE(GetDefaultPrinterW(name, &size));
    HDC dc = CreateDCW(nullptr, name, nullptr, nullptr);
    ASSERT_NE(dc, nullptr);
    int dpi = GetDeviceCaps(dc, LOGPIXELSY), pixels = GetDeviceCaps(dc, VERTRES);
    DeleteDC(dc);
    int footer = MulDiv(8, dpi, 72) * 2 + 10;   // header and footer lines, about
    int margin = MulDiv((pixels - footer - 10) / 2, 1000, dpi);
    Preset(L"PrintTop", DWORD(margin));
    Preset(L"PrintBottom", DWORD(margin));
    Print(IDOK);
    EXPECT_TRUE(Driver::boxes.empty());
    EXPECT_EQ(ReadNumber(SETTINGS_KEY, L"PrintTop", 0), margin);
}

TEST_F(Printing, APrinterThatIsGoneGivesWayToTheDefault)
{
    Print(IDOK);
    ASSERT_EQ(StoredPrinterName(), DefaultPrinter());
    // Renamed or removed since: the dialogs open on the default printer,
    // and printing works instead of failing every time from now on.
    WriteText(L"PrinterName", L"A printer that was removed long ago");
    Print(IDOK);
    EXPECT_TRUE(Driver::boxes.empty());
    EXPECT_EQ(Driver::printer, DefaultPrinter());
    EXPECT_EQ(StoredPrinterName(), DefaultPrinter());
}

TEST_F(Printing, ADamagedStoredSetUpIsNotUsed)
{
    // Too short to be a printer set-up: the dialog starts from the default printer.
    const uint8_t junk[7] = {1, 2, 3, 4, 5, 6, 7};
    PresetBytes(L"DevMode", junk, sizeof junk);
    EXPECT_EQ(ReadDevMode(nullptr), nullptr);
    Print(IDCANCEL);
    EXPECT_EQ(Driver::setups, 1);
}

}  // namespace
}  // namespace reader_test
