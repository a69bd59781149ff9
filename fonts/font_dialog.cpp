// The font dialog (105): typefaces, sizes and the letter base, with the
// alphabet shown in the choice as it is made.
#include "fonts/font_dialog.h"

#include <cstdlib>
#include <cwchar>

#include "base/globals.h"
#include "fonts/font_choice.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "text/edit_direction_win.h"

namespace {

constexpr int FONT_BLOCK_ENTRIES = 25;
constexpr int MODE_BASE = 0;
constexpr int MODE_OK = 1;
constexpr int MODE_LIST = 2;

struct FontListEntry {
    FontListEntry* next;
    wchar_t faceName[LF_FACESIZE];
    BYTE charSet;
};

// Entries come in blocks of 25; the blocks are chained through their first
// entry's place in a separate list so they can be freed.
struct FontBlockOfEntries {
    FontBlockOfEntries* next;
    FontListEntry entries[FONT_BLOCK_ENTRIES];
};

struct FontDialogState {
    Settings* settings;
    FontBlockOfEntries* blocks;
    int usedInBlock;
    FontListEntry* first;
    FontListEntry* last;
    LOGFONTW sample;
    HFONT sampleFont;
};

FontDialogState s_font;

struct BaseButton {
    int id;
    int32_t base;
};
// In the order OK tests them.
constexpr BaseButton BASE_BUTTONS[] = {
    {IDC_FONT_BASE_224, 224},
    {IDC_FONT_BASE_97, 97},
    {IDC_FONT_BASE_5D0, 0x5D0},
};

void FreeFontList()
{
    for (FontBlockOfEntries* b = s_font.blocks; b;) {
        FontBlockOfEntries* next = b->next;
        std::free(b);
        b = next;
    }
    s_font.blocks = nullptr;
    s_font.first = s_font.last = nullptr;
    s_font.usedInBlock = 0;
}

FontListEntry* FindFace(const wchar_t* name);

int CALLBACK CollectFontProc(const LOGFONTW* font, const TEXTMETRICW* metrics, DWORD, LPARAM)
{
    // Some systems name a typeface once per character set: list it once,
    // as Hebrew when any of its sets is.
    if (FontListEntry* seen = FindFace(font->lfFaceName)) {
        if (metrics->tmCharSet == HEBREW_CHARSET) seen->charSet = HEBREW_CHARSET;
        return 1;
    }
    if (!s_font.blocks || s_font.usedInBlock == FONT_BLOCK_ENTRIES) {
        auto* block = static_cast<FontBlockOfEntries*>(std::calloc(1, sizeof(FontBlockOfEntries)));
        if (!block) return 0;
        block->next = s_font.blocks;
        s_font.blocks = block;
        s_font.usedInBlock = 0;
    }
    FontListEntry* entry = &s_font.blocks->entries[s_font.usedInBlock++];
    wcsncpy(entry->faceName, font->lfFaceName, LF_FACESIZE - 1);
    entry->charSet = metrics->tmCharSet;
    if (s_font.last)
        s_font.last->next = entry;
    else
        s_font.first = entry;
    s_font.last = entry;
    return 1;
}

FontListEntry* FindFace(const wchar_t* name)
{
    for (FontListEntry* e = s_font.first; e; e = e->next)
        if (!wcscmp(e->faceName, name)) return e;
    return nullptr;
}

bool Checked(HWND dialog, int id)
{
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

void SetSampleAlphabet(HWND dialog, int32_t base)
{
    char16_t text[SAMPLE_LETTERS + 1];
    SampleAlphabet(base, text);
    SetDlgItemTextW(dialog, IDC_FONT_SAMPLE, reinterpret_cast<const wchar_t*>(text));
}

void CheckBase(HWND dialog, int32_t base)
{
    for (const BaseButton& b : BASE_BUTTONS) CheckDlgButton(dialog, b.id, b.base == base ? BST_CHECKED : BST_UNCHECKED);
}

void ReadLists(HWND dialog)
{
    HWND faces = GetDlgItem(dialog, IDC_FONT_FACES);
    LRESULT face = SendMessageW(faces, LB_GETCURSEL, 0, 0);
    if (face != LB_ERR && SendMessageW(faces, LB_GETTEXTLEN, face, 0) < LF_FACESIZE)
        SendMessageW(faces, LB_GETTEXT, face, reinterpret_cast<LPARAM>(s_font.sample.lfFaceName));
    HWND sizes = GetDlgItem(dialog, IDC_FONT_SIZES);
    LRESULT size = SendMessageW(sizes, LB_GETCURSEL, 0, 0);
    if (size != LB_ERR) {
        wchar_t text[16] = {};
        if (SendMessageW(sizes, LB_GETTEXTLEN, size, 0) < 16)
            SendMessageW(sizes, LB_GETTEXT, size, reinterpret_cast<LPARAM>(text));
        s_font.sample.lfHeight = wcstol(text, nullptr, 10);
    }
}

void StoreChoice(HWND dialog)
{
    Settings* s = s_font.settings;
    s_font.sampleFont = nullptr;
    if (s_font.sample.lfHeight) s->FontSize = s_font.sample.lfHeight;
    for (const BaseButton& b : BASE_BUTTONS)
        if (Checked(dialog, b.id)) {
            s->FontAsciiBase = b.base;
            break;
        }
    if (s_font.sample.lfFaceName[0]) {
        for (int i = 0; i < LF_FACESIZE; ++i) s->FontName[i] = s_font.sample.lfFaceName[i];
        s->FontName[LF_FACESIZE - 1] = 0;
    }
}

void RefreshFontSample(HWND dialog, int mode)
{
    ReadLists(dialog);
    if (s_font.sampleFont) DeleteObject(s_font.sampleFont);
    s_font.sampleFont = nullptr;
    if (mode == MODE_LIST && s_font.sample.lfFaceName[0]) {
        // A typeface that says it is Hebrew brings the Unicode letters.
        const FontListEntry* entry = FindFace(s_font.sample.lfFaceName);
        if (entry && entry->charSet == HEBREW_CHARSET && !Checked(dialog, IDC_FONT_BASE_5D0)) {
            CheckBase(dialog, 0x5D0);
            SetSampleAlphabet(dialog, 0x5D0);
        }
    }
    if (mode == MODE_OK) {
        StoreChoice(dialog);
        return;
    }
    s_font.sampleFont = CreateFontIndirectW(&s_font.sample);
    SendDlgItemMessageW(dialog, IDC_FONT_SAMPLE, WM_SETFONT, reinterpret_cast<WPARAM>(s_font.sampleFont), TRUE);
}

void FillSizes(HWND dialog, int32_t stored)
{
    HWND list = GetDlgItem(dialog, IDC_FONT_SIZES);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    int32_t sizes[SIZE_LIST_MAX];
    int n = SizeList(stored, sizes);
    wchar_t text[16];
    for (int i = 0; i < n; ++i) {
        swprintf(text, 16, L"%d", sizes[i]);
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    if (stored) {
        swprintf(text, 16, L"%d", stored);
        SendMessageW(list, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
    }
}

BOOL FillFontDialog(HWND dialog, Settings* settings)
{
    HWND parent = GetParent(dialog);
    HDC dc = GetDC(parent);
    FreeFontList();
    s_font = {};
    s_font.settings = settings;
    if (!settings->FontAsciiBase) settings->FontAsciiBase = 0x5D0;
    EditReordersHebrew();
    SetSampleAlphabet(dialog, settings->FontAsciiBase);
    CheckBase(dialog, settings->FontAsciiBase);
    EnumFontsW(dc, nullptr, CollectFontProc, 0);
    ReleaseDC(parent, dc);

    HWND faces = GetDlgItem(dialog, IDC_FONT_FACES);
    SendMessageW(faces, LB_RESETCONTENT, 0, 0);
    for (const FontListEntry* e = s_font.first; e; e = e->next)
        SendMessageW(faces, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e->faceName));
    wchar_t name[32] = {};
    for (int i = 0; i < 31 && settings->FontName[i]; ++i) name[i] = settings->FontName[i];
    SendMessageW(faces, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name));
    FillSizes(dialog, settings->FontSize);
    SetFocus(faces);
    return FALSE;
}

void ChooseBase(HWND dialog, int32_t base)
{
    SetSampleAlphabet(dialog, base);
    RefreshFontSample(dialog, MODE_BASE);
}

BOOL OnCommand(HWND dialog, int id)
{
    switch (id) {
    case IDOK:
        RefreshFontSample(dialog, MODE_OK);
        FreeFontList();
        EndDialog(dialog, IDOK);
        return TRUE;
    case IDCANCEL:
        FreeFontList();
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    case IDC_FONT_FACES:
    case IDC_FONT_SIZES: RefreshFontSample(dialog, MODE_LIST); return TRUE;
    case IDC_FONT_BASE_97: ChooseBase(dialog, 97); return TRUE;
    case IDC_FONT_BASE_224: ChooseBase(dialog, 224); return TRUE;
    case IDC_FONT_BASE_5D0: ChooseBase(dialog, 0x5D0); return TRUE;
    }
    return FALSE;
}

}  // namespace

INT_PTR CALLBACK FontDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: return FillFontDialog(dialog, reinterpret_cast<Settings*>(lParam));
    case WM_COMMAND: return OnCommand(dialog, LOWORD(wParam));
    case WM_DESTROY:
        if (s_font.sampleFont) DeleteObject(s_font.sampleFont);
        s_font.sampleFont = nullptr;
        FreeFontList();
        return TRUE;
    }
    return FALSE;
}

INT_PTR RunFontDialog(HWND owner, Settings* settings)
{
    return DialogBoxParamW(g_state.instance, MAKEINTRESOURCEW(IDD_FONT), owner, FontDialogProc,
                           reinterpret_cast<LPARAM>(settings));
}
