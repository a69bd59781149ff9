// The section chooser (118): the table of contents drawn, scrolled and
// clicked by hand in a dialog without controls.
#include "index/section_dialog.h"

#include <oleacc.h>
#include <windowsx.h>
#include <algorithm>
#include <cstdlib>
#include <string>

#include "base/accessible_parts_win.h"
#include "base/allocation_win.h"
#include "base/dialog_result_win.h"
#include "base/display_scale.h"
#include "base/face_name_win.h"
#include "base/globals.h"
#include "index/index_layout.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "text/colours_win.h"
#include "text/letter_code.h"
#include "text/text_draw_win.h"

namespace {

constexpr uint16_t INDEX_FONT_KEY = 0x101F;
constexpr int RESIZE_MARGIN = 5;

struct IndexFont {
    IndexFont* next;
    uint16_t key;
    HFONT font;
};

struct ChooserState {
    IndexView* view;
    int current;
    int chosen;
    Settings* settings;
    HBITMAP icons[3];   // the tree icons in the chooser's colours; null: as loaded
    int mark;           // the line Tab has moved to, or -1 before the first Tab
};

ChooserState s_chooser;

// Keys as data: how far each moves the top line.
enum class IndexMove { Line, Back, Start, End };
struct IndexKey {
    WPARAM key;
    IndexMove move;
    int lines;
};
constexpr IndexKey INDEX_KEYS[] = {
    {VK_PRIOR, IndexMove::Line, -1}, {VK_NEXT, IndexMove::Line, 1}, {VK_END, IndexMove::End, 0},
    {VK_HOME, IndexMove::Start, 0},  {VK_UP, IndexMove::Line, -1},  {VK_DOWN, IndexMove::Line, 1},
};

HDC Dc(const IndexView* view)
{
    return static_cast<HDC>(view->dc);
}

HFONT CreateIndexFont(const IndexView* view, uint16_t style)
{
    LOGFONTW font = {};
    int height = view->font.FontSize;
    if (style & 0x04)
        height = height ? height * 5 / 4 : 20;
    else if (style & 0x02)
        height = height ? height * 6 / 8 : 14;
    font.lfHeight = ScaleToDpi(height);   // a cell height in 96-DPI pixels
    font.lfWeight = style & 0x08 ? FW_BOLD : FW_NORMAL;
    SetHebrewFace(font, view->font.FontName);
    return CreateFontIndirectW(&font);
}

HFONT IndexFontFor(IndexView* view, uint16_t style)
{
    uint16_t key = style & INDEX_FONT_KEY;
    for (auto* f = static_cast<IndexFont*>(view->fontCache); f; f = f->next)
        if (f->key == key) return f->font;
    auto* f = static_cast<IndexFont*>(AllocateOrShutDown(sizeof(IndexFont)));
    if (!f) return nullptr;
    *f = {static_cast<IndexFont*>(view->fontCache), key, CreateIndexFont(view, style)};
    view->fontCache = f;
    return f->font;
}

void FreeIndexFonts(IndexView* view)
{
    for (auto* f = static_cast<IndexFont*>(view->fontCache); f;) {
        IndexFont* next = f->next;
        if (f->font) DeleteObject(f->font);
        std::free(f);
        f = next;
    }
    view->fontCache = nullptr;
}

// For drawing the colour comes along: blue for large bold, else black.
void SelectIndexFont(IndexView* view, uint16_t style, bool colour)
{
    HFONT font = IndexFontFor(view, style);
    if (font) SelectObject(Dc(view), font);
    if (colour) SetTextColor(Dc(view), (style & 0x0C) == 0x0C ? ReaderColours().heading : ReaderColours().text);
}

int MeasureSelect(void* context, uint16_t style)
{
    auto* view = static_cast<IndexView*>(context);
    SelectIndexFont(view, style, false);
    TEXTMETRICW metrics = {};
    GetTextMetricsW(Dc(view), &metrics);
    return metrics.tmHeight;
}

void MeasureRun(void* context, const uint8_t* bytes, int* width, int* count)
{
    MeasureFit(Dc(static_cast<IndexView*>(context)), bytes, width, count);
}

// False when memory ran out; the program is then shutting down.
bool Layout(IndexView* view)
{
    const IndexMeasure measure = {view, MeasureSelect, MeasureRun};
    HGDIOBJ kept = GetCurrentObject(Dc(view), OBJ_FONT);
    int result = LayoutIndex(view, &measure);
    SelectObject(Dc(view), kept);
    return result != -2;
}

void DrawIndexIcon(IndexView* view, const IndexLine& line, int top)
{
    int which = 2;
    if (line.key & INDEX_KEY_BRANCH) which = line.flags & INDEX_FLAG_OPEN ? 1 : 0;
    HBITMAP bitmap = s_chooser.icons[which] ? s_chooser.icons[which] : g_state.chooserBitmaps[which];
    if (!bitmap) return;
    int size = ScaleToDpi(INDEX_ICON_SIZE);
    int offset = (line.height - size) / 2;
    int y = offset > 0 ? top + offset : top;
    DrawScaledBitmap(Dc(view), bitmap, line.x + line.width + ScaleToDpi(INDEX_ICON_GAP), y, size, size);
}

// The icons are drawn black on white; on any other ground (Sepia, Night, a
// High Contrast theme) they get copies in the tree's own paper and ink.
void ColourIcons()
{
    for (int i = 0; i < 3; ++i) s_chooser.icons[i] = ReaderColouredBitmap(g_state.chooserBitmaps[i]);
}

void FreeIcons()
{
    for (HBITMAP& icon : s_chooser.icons) {
        if (icon) DeleteObject(icon);
        icon = nullptr;
    }
}

void DrawIndex(IndexView* view, bool clear)
{
    if (!view->text || !view->lineCount) return;
    HDC dc = Dc(view);
    uint32_t i = FirstPageLine(view);
    HGDIOBJ keptFont = GetCurrentObject(dc, OBJ_FONT);
    COLORREF keptColour = GetTextColor(dc);
    // The runs are drawn opaque: on the page's own colour.
    COLORREF keptBack = SetBkColor(dc, ReaderColours().page);
    int style = view->lines[i].flags & INDEX_FLAG_STYLE;
    SelectIndexFont(view, static_cast<uint16_t>(style), true);
    if (clear) {
        RECT box = {view->left, view->top, view->left + view->width, view->top + view->height};
        FillColour(dc, box, ReaderColours().page);
    }
    int y = view->top;
    int budget = view->height;
    int drawn = 0;
    uint32_t previousKey = 0x10000;
    for (; view->lines[i].flags; ++i) {
        const IndexLine& line = view->lines[i];
        if (!(line.flags & INDEX_FLAG_VISIBLE)) continue;
        if (line.height > budget) break;
        if ((line.flags & INDEX_FLAG_STYLE) != style) {
            style = line.flags & INDEX_FLAG_STYLE;
            SelectIndexFont(view, static_cast<uint16_t>(style), true);
        }
        if (line.key != previousKey) DrawIndexIcon(view, line, y);
        previousKey = line.key;
        DrawCell(dc, view->text + line.offset, line.length, line.x, y, line.width, line.height);
        if (static_cast<int>(i) == s_chooser.mark) {
            RECT box = {line.x - 1, y, line.x + line.width + 1, y + line.height};
            DrawFocusRect(dc, &box);
        }
        ++drawn;
        y += line.height;
        budget -= line.height;
    }
    view->drawnLines = static_cast<uint16_t>(drawn);
    SelectObject(dc, keptFont);
    SetTextColor(dc, keptColour);
    SetBkColor(dc, keptBack);
}

void UpdateIndexScrollBar(HWND dialog, const IndexView* view)
{
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_POS;
    info.nMax = view->maxTop;
    info.nPos = view->topLine;
    SetScrollInfo(dialog, SB_VERT, &info, TRUE);
}

void ScrollIndex(IndexView* view, int delta)
{
    if (MoveTopLine(view, delta)) DrawIndex(view, true);
}

BOOL OnInitDialog(HWND dialog)
{
    RECT client;
    GetClientRect(dialog, &client);
    client.right -= GetSystemMetrics(SM_CXVSCROLL);
    IndexView* view = NewIndexView(BuildIndexText(), FontBlockOf(s_chooser.settings), client.right, client.bottom);
    if (!view) {
        EndDialog(dialog, IDCANCEL);
        return FALSE;
    }
    view->dc = GetDC(dialog);
    ColourIcons();
    view->indentStep = ScaleToDpi(INDEX_INDENT);
    s_chooser.view = view;
    if (!Layout(view)) {
        EndDialog(dialog, IDCANCEL);
        return FALSE;
    }
    RevealLesson(view, s_chooser.current);
    UpdateIndexScrollBar(dialog, view);

    RECT owner;
    GetWindowRect(GetWindow(dialog, GW_OWNER), &owner);
    int w = g_state.chooserWidth;
    int h = g_state.chooserHeight;
    MoveWindow(dialog, owner.left + w / 8, owner.top + h / 8, w * 3 / 4, h * 3 / 4, FALSE);
    return FALSE;
}

void OnSize(HWND dialog, int width, int height)
{
    IndexView* view = s_chooser.view;
    if (!view) return;
    IndexOpenState* state = SnapshotOpenState(view);
    s_chooser.mark = -1;   // a new layout numbers the lines anew
    view->width = width - RESIZE_MARGIN;
    view->height = height;
    bool laidOut = Layout(view);
    if (laidOut && state) RestoreOpenState(view, state);
    std::free(state);
    if (!laidOut) {
        EndDialog(dialog, IDCANCEL);
        return;
    }
    if (!view->maxTop) view->topLine = 0;
    RECT client;
    GetClientRect(dialog, &client);
    // The whole client, margin included, so the page needs no clearing of its own.
    FillColour(Dc(view), client, ReaderColours().page);
    DrawIndex(view, false);
    UpdateIndexScrollBar(dialog, view);
}

void OnClick(HWND dialog, int x, int y)
{
    int result = HitTestIndex(s_chooser.view, x, y);
    if (result > 0) {
        s_chooser.chosen = result;
        EndDialog(dialog, IDOK);
    } else if (result < 0) {
        DrawIndex(s_chooser.view, true);
        UpdateIndexScrollBar(dialog, s_chooser.view);
        NotifyAccessiblePart(dialog, EVENT_OBJECT_REORDER, 0);
    }
}

bool StartsEntry(const IndexView* view, uint32_t i)
{
    return (view->lines[i].flags & INDEX_FLAG_VISIBLE) && (i == 0 || view->lines[i].key != view->lines[i - 1].key);
}

// The top of line i on the page, or -1 when it is not drawn there.
int LineTop(IndexView* view, uint32_t i)
{
    int y = view->top;
    for (uint32_t j = FirstPageLine(view); view->lines[j].flags; ++j) {
        const IndexLine& line = view->lines[j];
        if (!(line.flags & INDEX_FLAG_VISIBLE)) continue;
        if (y + line.height > view->top + view->height) return -1;
        if (j == i) return y;
        y += line.height;
    }
    return -1;
}

long EntryPart(int line);

// Marks entry line i and brings it onto the page; a screen reader hears it.
void MarkEntry(HWND dialog, int i)
{
    IndexView* view = s_chooser.view;
    s_chooser.mark = i;
    int ordinal = 0;
    for (int j = 0; j < i; ++j) ordinal += view->lines[j].flags & INDEX_FLAG_VISIBLE ? 1 : 0;
    if (ordinal < view->topLine) MoveTopLine(view, ordinal - view->topLine);
    while (LineTop(view, static_cast<uint32_t>(i)) < 0 && MoveTopLine(view, 1)) {}
    DrawIndex(view, true);
    UpdateIndexScrollBar(dialog, view);
    NotifyAccessiblePart(dialog, EVENT_OBJECT_FOCUS, EntryPart(i));
}

// Tab and Shift+Tab walk the visible entries, round at the ends, and bring
// the one reached onto the page.
void MoveMark(HWND dialog, int step)
{
    IndexView* view = s_chooser.view;
    if (!view || !view->lineCount) return;
    int n = static_cast<int>(view->lineCount), i = s_chooser.mark;
    for (int tries = 0; tries < n; ++tries) {
        i = i < 0 ? (step > 0 ? 0 : n - 1) : (i + step + n) % n;
        if (StartsEntry(view, static_cast<uint32_t>(i))) break;
    }
    if (StartsEntry(view, static_cast<uint32_t>(i))) MarkEntry(dialog, i);
}

// Enter or Space on the marked entry does what a click on its caption does.
bool ActOnMark(HWND dialog)
{
    IndexView* view = s_chooser.view;
    if (!view || s_chooser.mark < 0 || !StartsEntry(view, static_cast<uint32_t>(s_chooser.mark))) return false;
    const IndexLine& line = view->lines[s_chooser.mark];
    int y = LineTop(view, static_cast<uint32_t>(s_chooser.mark));
    if (y < 0) return false;
    OnClick(dialog, line.x + 1, y + line.height / 2);
    return true;
}

// ---- For screen readers: the entries the tree shows, top to bottom.

// The line that starts entry part (from 1), or -1.
int EntryLine(long part)
{
    const IndexView* view = s_chooser.view;
    long n = 0;
    for (uint32_t i = 0; view && i < view->lineCount; ++i)
        if (StartsEntry(view, i) && ++n == part) return static_cast<int>(i);
    return -1;
}

long EntryPart(int line)
{
    long n = 0;
    for (int i = 0; i <= line; ++i) n += StartsEntry(s_chooser.view, static_cast<uint32_t>(i)) ? 1 : 0;
    return n;
}

long Entries(HWND)
{
    const IndexView* view = s_chooser.view;
    return view && view->lineCount ? EntryPart(static_cast<int>(view->lineCount) - 1) : 0;
}

// The caption, over all the lines it wraps to, as it reads.
bool EntryName(HWND, long part, std::u16string* out)
{
    int i = EntryLine(part);
    if (i < 0) return false;
    const IndexView* view = s_chooser.view;
    const IndexLine* line = view->lines + i;
    unsigned from = line->offset, to = from + line->length;
    for (const IndexLine* next = line + 1; next->flags && next->key == line->key; ++next) {
        from = std::min<unsigned>(from, next->offset);
        to = std::max<unsigned>(to, next->offset + next->length);
    }
    *out = ReadingUnicode(std::string_view(reinterpret_cast<const char*>(view->text) + from, to - from));
    return true;
}

// An outline item's value is its level in the tree, from 1.
bool EntryLevel(HWND, long part, std::u16string* out)
{
    int i = EntryLine(part);
    const IndexView* view = s_chooser.view;
    int level = i >= 0 && view->indentStep > 0 ? view->lines[i].indent / view->indentStep : 0;
    if (level < 1) return false;   // a window too narrow for indents
    *out = DecimalText(level);
    return true;
}

long EntryState(HWND, long part)
{
    int i = EntryLine(part);
    if (i < 0) return STATE_SYSTEM_UNAVAILABLE;
    const IndexLine& line = s_chooser.view->lines[i];
    long state = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
    if (line.key & INDEX_KEY_BRANCH) state |= line.flags & INDEX_FLAG_OPEN ? STATE_SYSTEM_EXPANDED : STATE_SYSTEM_COLLAPSED;
    if ((line.key & INDEX_KEY_LINK) && (line.key & INDEX_KEY_LESSON) == s_chooser.current) state |= STATE_SYSTEM_SELECTED;
    if (LineTop(s_chooser.view, static_cast<uint32_t>(i)) < 0) state |= STATE_SYSTEM_OFFSCREEN;
    return state;
}

bool EntryBox(HWND, long part, RECT* box)
{
    int i = EntryLine(part);
    int y = i < 0 ? -1 : LineTop(s_chooser.view, static_cast<uint32_t>(i));
    if (y < 0) return false;
    const IndexLine& line = s_chooser.view->lines[i];
    *box = {line.x, y, line.x + line.width, y + line.height};
    return true;
}

// As Tab to the entry and Space: a branch opens or closes, a lesson is gone to.
bool ActOnEntry(HWND dialog, long part)
{
    int i = EntryLine(part);
    if (i < 0) return false;
    MarkEntry(dialog, i);
    return ActOnMark(dialog);
}

long MarkedEntry(HWND) { return s_chooser.mark >= 0 ? EntryPart(s_chooser.mark) : 0; }

constexpr AccessibleParts CHOOSER_PARTS = {
    .role = ROLE_SYSTEM_OUTLINE,
    .count = Entries,
    .partName = EntryName,
    .partValue = EntryLevel,
    .partRole = ROLE_SYSTEM_OUTLINEITEM,
    .partState = EntryState,
    .partBox = EntryBox,
    .action = u"Choose",
    .act = ActOnEntry,
    .focus = MarkedEntry,
};

void OnKeyDown(HWND dialog, WPARAM key)
{
    IndexView* view = s_chooser.view;
    if (key == VK_TAB) {
        MoveMark(dialog, GetKeyState(VK_SHIFT) < 0 ? -1 : 1);
        return;
    }
    if (key == VK_SPACE) {
        ActOnMark(dialog);
        return;
    }
    for (const IndexKey& k : INDEX_KEYS) {
        if (k.key != key) continue;
        int delta = k.lines;
        if (k.move == IndexMove::End) delta = view->maxTop;
        if (k.move == IndexMove::Start) delta = -view->topLine;
        ScrollIndex(view, delta);
        UpdateIndexScrollBar(dialog, view);
        return;
    }
}

void OnVScroll(HWND dialog, int request, int thumb)
{
    IndexView* view = s_chooser.view;
    int delta;
    switch (request) {
    case SB_LINEUP: delta = -1; break;
    case SB_LINEDOWN: delta = 1; break;
    case SB_PAGEUP: delta = -view->drawnLines; break;
    case SB_PAGEDOWN: delta = view->drawnLines; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: delta = thumb - view->topLine; break;
    case SB_TOP: delta = -view->topLine; break;
    case SB_BOTTOM: delta = view->maxTop; break;
    default: return;
    }
    ScrollIndex(view, delta);
    UpdateIndexScrollBar(dialog, view);
}


// Painting goes through BeginPaint's dc, which holds the region to paint;
// the dialog's own dc serves measuring and what is drawn at once.
void OnPaint(HWND dialog)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(dialog, &paint);
    if (IndexView* view = s_chooser.view) {
        void* kept = view->dc;
        view->dc = dc;
        DrawIndex(view, true);
        view->dc = kept;
    }
    EndPaint(dialog, &paint);
}

void OnDestroy(HWND dialog)
{
    FreeIcons();
    IndexView* view = s_chooser.view;
    if (!view) return;
    ReleaseDC(dialog, Dc(view));
    FreeIndexFonts(view);
    FreeIndexView(view);
    s_chooser.view = nullptr;
}

BOOL OnEraseBackground(HWND dialog, HDC dc)
{
    RECT client;
    GetClientRect(dialog, &client);
    FillColour(dc, client, ReaderColours().page);
    return TRUE;
}

}  // namespace

INT_PTR CALLBACK SectionDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog);
    case WM_SIZE: OnSize(dialog, LOWORD(lParam), HIWORD(lParam)); return TRUE;
    case WM_PAINT: OnPaint(dialog); return TRUE;
    case WM_ERASEBKGND: return DialogResult(dialog, OnEraseBackground(dialog, reinterpret_cast<HDC>(wParam)));
    // The arrow keys scroll the tree and Tab walks its entries, instead of
    // moving between controls.
    case WM_GETDLGCODE: return DialogResult(dialog, DLGC_WANTARROWS | DLGC_WANTTAB);
    case WM_KEYDOWN: OnKeyDown(dialog, wParam); return TRUE;
    case WM_VSCROLL: OnVScroll(dialog, LOWORD(wParam), static_cast<short>(HIWORD(wParam))); return TRUE;
    case WM_LBUTTONDOWN: OnClick(dialog, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            // With an entry marked Enter takes it; else it stays where it was.
            if (!ActOnMark(dialog)) EndDialog(dialog, IDOK);
            return TRUE;
        case IDCANCEL:
            s_chooser.chosen = 0;
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    case WM_DESTROY: OnDestroy(dialog); return TRUE;
    case WM_GETOBJECT: return DialogResult(dialog, AnswerAccessibleParts(dialog, wParam, lParam, &CHOOSER_PARTS));
    }
    return FALSE;
}

int ChooseSection(HINSTANCE instance, HWND owner, int lesson, Settings* settings)
{
    // Out of memory inside the chooser ends the program in order, as
    // everywhere else that cannot carry on without the block.
    g_indexAllocate = AllocateOrShutDown;
    s_chooser = {nullptr, lesson, lesson, settings, {}, -1};
    DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_SECTIONS), owner, SectionDialogProc, 0);
    return s_chooser.chosen;
}

const IndexView* OpenSectionView()
{
    return s_chooser.view;
}
