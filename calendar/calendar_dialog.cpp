// The month calendar (106), drawn by hand: month buttons, the year between
// two arrows, and the days of the shown month in week rows.
#include "calendar/calendar_dialog.h"

#include <oleacc.h>
#include <windowsx.h>
#include <algorithm>
#include <cstring>
#include <string>

#include "base/accessible_parts_win.h"
#include "base/dialog_result_win.h"
#include "base/display_scale.h"
#include "base/face_name_win.h"
#include "calendar/calendar.h"
#include "calendar/calendar_grid.h"
#include "calendar/date_text.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "text/colours_win.h"
#include "text/letter_code.h"
#include "text/text_draw_win.h"

namespace {

constexpr char WEEKDAY_HEADINGS[] = "SMTWTFS";
constexpr char DAY_NUMBERS[] = "1 2 3 4 5 6 7 8 9 10111213141516171819202122232425262728293031";
constexpr char LEFT_ARROW[] = "  <<  ";
constexpr char RIGHT_ARROW[] = "  >>  ";
constexpr int PLAIN_CELL_MAX = 6;
constexpr UINT CELL_FORMAT = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
constexpr int CALENDAR_FONT_HEIGHT = 14;   // pixels at 96 DPI, as the gap
constexpr int ARROW_GAP = 10;               // between the year and its arrows
constexpr int MARK_INSET = 2;               // a day's mark from its cell's corner
constexpr int MIN_MARK = 6;                 // the smallest mark that still reads

struct CalendarDialogState {
    CalendarState grid;
    HFONT normal;
    HFONT bold;
};

CalendarDialogState s_calendar;
CalendarMarkSource s_marks;

struct CalendarKeyEntry {
    WPARAM key;
    CalendarKey move;
};
constexpr CalendarKeyEntry CALENDAR_KEYS[] = {
    {VK_PRIOR, CalendarKey::PreviousYear}, {VK_NEXT, CalendarKey::NextYear},
    {VK_HOME, CalendarKey::FirstMonth},    {VK_END, CalendarKey::LastMonth},
    {VK_LEFT, CalendarKey::NextMonth},     {VK_DOWN, CalendarKey::NextMonth},
    {VK_UP, CalendarKey::PreviousMonth},   {VK_RIGHT, CalendarKey::PreviousMonth},
};

// Without Alt the arrows walk the days of the grid, Sunday on the left.
struct DayStepEntry {
    WPARAM key;
    int days;
};
constexpr DayStepEntry DAY_STEPS[] = {
    {VK_LEFT, -1}, {VK_RIGHT, 1}, {VK_UP, -7}, {VK_DOWN, 7},
};
constexpr int KEYBOARD_FRAME = 2;   // the arrows' day: a frame this wide, inset as far

const uint8_t* Bytes(const char* s)
{
    return reinterpret_cast<const uint8_t*>(s);
}

void DrawPlainCell(HDC dc, const char* text, int count, int x, int y, int w, int h)
{
    wchar_t wide[PLAIN_CELL_MAX + 1] = {};
    int n = 0;
    for (; n < count && n < PLAIN_CELL_MAX && text[n]; ++n) wide[n] = static_cast<unsigned char>(text[n]);
    RECT box = {x, y, x + w, y + h};
    DrawTextW(dc, wide, n, &box, CELL_FORMAT);
}

void DrawPlainCellColored(HDC dc, const char* text, int count, int x, int y, int w, int h, COLORREF fore,
                          COLORREF back)
{
    COLORREF keptFore = SetTextColor(dc, fore);
    COLORREF keptBack = SetBkColor(dc, back);
    DrawPlainCell(dc, text, count, x, y, w, h);
    SetTextColor(dc, keptFore);
    SetBkColor(dc, keptBack);
}

// The grid's paper and ink follow the reader's colours; a selected cell
// shows them the other way round.
COLORREF Paper() { return ReaderColours().page; }
COLORREF Ink() { return ReaderColours().text; }

HGDIOBJ UseColourPen(HDC dc, COLORREF colour)
{
    SetDCPenColor(dc, colour);
    return SelectObject(dc, GetStockObject(DC_PEN));
}

HBRUSH ColourBrush(HDC dc, COLORREF colour)
{
    SetDCBrushColor(dc, colour);
    return static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
}

void FillBox(HDC dc, int left, int top, int right, int bottom, HBRUSH brush)
{
    RECT r = {left, top, right, bottom};
    FillRect(dc, &r, brush);
}

HBRUSH FaceBrush()
{
    return GetSysColorBrush(COLOR_BTNFACE);
}

int StringLength(const uint8_t* s)
{
    return static_cast<int>(std::strlen(reinterpret_cast<const char*>(s)));
}

void DrawButton(HDC dc, const MonthButton& b, bool selected)
{
    HGDIOBJ pen = UseColourPen(dc, selected ? Paper() : Ink());
    HGDIOBJ brush = SelectObject(dc, ColourBrush(dc, selected ? Ink() : Paper()));
    Rectangle(dc, b.left + 1, b.top + 1, b.right - 1, b.bottom - 1);
    SelectObject(dc, brush);
    SelectObject(dc, pen);
    int w = b.right - b.left - 1, h = b.bottom - b.top - 1;
    if (selected)
        DrawCellColored(dc, b.name, StringLength(b.name), b.left + 1, b.top + 1, w, h, Paper(), Ink());
    else
        DrawCell(dc, b.name, StringLength(b.name), b.left + 1, b.top + 1, w, h);
}

void DrawButtons(HDC dc, const CalendarState& s)
{
    if (s.dirty & DIRTY_SEAM) {
        const MonthButton& adar2 = s.buttons[12];
        FillBox(dc, adar2.right - 1, adar2.top + 1, adar2.right + 1, adar2.bottom - 1, FaceBrush());
    }
    HGDIOBJ font = SelectObject(dc, s_calendar.normal);
    for (int i = 0; i < MONTH_SLOTS && s.buttons[i].name; ++i) DrawButton(dc, s.buttons[i], false);
    SelectObject(dc, font);
}

// The day the calendar opened on, when it lies in the shown month.
bool IsMarkedDay(const CalendarState& s, int day)
{
    return s.shown.month == s.marked.month && s.shown.year == s.marked.year && day == s.marked.day;
}

// How a day of the shown month is marked (learned, behind), by its source.
CalendarMark MarkOf(const CalendarState& s, int day)
{
    return s_marks ? s_marks(s.resultDay + day - s.shown.day) : CalendarMark::None;
}

// A marked day's number moves left to leave its mark room: a tick for a
// day learned, an empty box for a day behind, as large as the cell allows.
// Gives the mark's size, 0 for none.
int MarkRoom(HDC dc, const CalendarState& s, int day, CalendarMark* mark)
{
    *mark = MarkOf(s, day);
    if (*mark == CalendarMark::None) return 0;
    SIZE number = {};
    GetTextExtentPoint32W(dc, L"28", 2, &number);
    int size = std::min(s.g.CW - int(number.cx) - 3 * ScaleToDpi(MARK_INSET), s.g.RH * 2 / 3);
    return std::max(size, ScaleToDpi(MIN_MARK));
}

// The number, in the cell or left of its mark; then the mark.
void DrawDayNumber(HDC dc, const CalendarState& s, int day, int column, int row, int width, int height, bool selected)
{
    const CalendarGeometry& g = s.g;
    CalendarMark mark;
    int size = MarkRoom(dc, s, day, &mark);
    int inset = ScaleToDpi(MARK_INSET);
    int left = g.GL + column * g.CW + 1, top = g.GT + row * g.RH + 1;
    if (size) width -= size + inset;
    const char* digits = DAY_NUMBERS + 2 * (day - 1);
    if (selected)
        DrawPlainCellColored(dc, digits, 2, left, top, width, height, Paper(), Ink());
    else
        DrawPlainCell(dc, digits, 2, left, top, width, height);
    if (size)
        DrawTickMark(dc, g.GL + (column + 1) * g.CW - inset - size, g.GT + row * g.RH + (g.RH - size) / 2 + 1, size,
                     mark == CalendarMark::Ticked ? TickMark::Tick : TickMark::Box, selected ? Paper() : Ink());
}

void DrawDayCell(HDC dc, const CalendarState& s, int day, bool selected)
{
    int column, row;
    if (!DayCell(&s, day, &column, &row)) return;
    const CalendarGeometry& g = s.g;
    int left = g.GL + column * g.CW + 1, top = g.GT + row * g.RH + 1;
    FillBox(dc, left, top, g.GL + column * g.CW + g.CW, g.GT + row * g.RH + g.RH,
            ColourBrush(dc, selected ? Ink() : Paper()));
    DrawDayNumber(dc, s, day, column, row, g.CW, g.RH, selected);
}

// The day the arrows reached, framed inside its cell in the cell's ink.
void DrawKeyboardFrame(HDC dc, const CalendarState& s)
{
    int column, row;
    if (!s.keyboardDay || !DayCell(&s, s.shown.day, &column, &row)) return;
    const CalendarGeometry& g = s.g;
    bool marked = IsMarkedDay(s, s.shown.day);
    int inset = ScaleToDpi(KEYBOARD_FRAME), width = ScaleToDpi(KEYBOARD_FRAME);
    RECT outer = {g.GL + column * g.CW + 1 + inset, g.GT + row * g.RH + 1 + inset,
                  g.GL + column * g.CW + g.CW - inset, g.GT + row * g.RH + g.RH - inset};
    HBRUSH ink = ColourBrush(dc, marked ? Paper() : Ink());
    RECT sides[] = {{outer.left, outer.top, outer.right, outer.top + width},
                    {outer.left, outer.bottom - width, outer.right, outer.bottom},
                    {outer.left, outer.top, outer.left + width, outer.bottom},
                    {outer.right - width, outer.top, outer.right, outer.bottom}};
    for (const RECT& side : sides) FillRect(dc, &side, ink);
}

void DrawGrid(HDC dc, CalendarState& s)
{
    const CalendarGeometry& g = s.g;
    int rows = WeekRowsNeeded(&s);
    bool shrinking = s.weekRows == 6 && rows == 5;
    HGDIOBJ pen = UseColourPen(dc, Ink());
    HGDIOBJ brush = SelectObject(dc, ColourBrush(dc, Paper()));
    for (int i = 0; i <= rows; ++i)
        for (int j = 0; j < 7; ++j)
            Rectangle(dc, g.GL + j * g.CW, g.GT + i * g.RH, g.GL + j * g.CW + g.CW + 1, g.GT + i * g.RH + g.RH + 1);
    HGDIOBJ font = SelectObject(dc, s_calendar.bold);
    for (int j = 0; j < 7; ++j)
        DrawCell(dc, Bytes(WEEKDAY_HEADINGS + j), 1, g.GL + j * g.CW + 1, g.GT + 1, g.CW - 2, g.RH - 2);
    for (int i = 0; i <= rows + 1; ++i) Rectangle(dc, g.GL, g.GT + i * g.RH, g.GL + g.GW, g.GT + i * g.RH + 1);
    SelectObject(dc, brush);
    SelectObject(dc, pen);
    if (shrinking) FillBox(dc, g.GL, g.GT + 6 * g.RH + 1, g.GL + g.GW, g.GT + 7 * g.RH + 1, FaceBrush());
    int lastRow = 0;
    for (int d = 1; d <= s.monthLength; ++d) {
        int column, row;
        DayCell(&s, d, &column, &row);
        DrawDayNumber(dc, s, d, column, row, g.CW - 2, g.RH - 2, false);
        lastRow = row;
    }
    s.weekRows = static_cast<uint8_t>(lastRow);
    SelectObject(dc, font);
}

void DrawFramed(HDC dc, int x, int width, const CalendarGeometry& g)
{
    FillBox(dc, x - 1, g.HT - 1, x + width + 1, g.HT + g.T + 1, ColourBrush(dc, Ink()));
}

void DrawYearHeader(HDC dc, CalendarState& s)
{
    const CalendarGeometry& g = s.g;
    HGDIOBJ font = SelectObject(dc, s_calendar.bold);
    int count = static_cast<int>(std::strlen(s.yearText));
    int tw = g.w;
    MeasureFit(dc, Bytes(s.yearText), &tw, &count);
    int x = (g.w - tw) / 2;
    DrawFramed(dc, x, tw, g);
    DrawPlainCell(dc, s.yearText, count, x, g.HT, tw, g.T);
    if (!s.arrowWidth) {
        int a = g.w, n = PLAIN_CELL_MAX;
        MeasureFit(dc, Bytes(LEFT_ARROW), &a, &n);
        s.arrowWidth = a;
        s.leftArrowX = x - a - ScaleToDpi(ARROW_GAP);
        s.rightArrowX = x + tw + ScaleToDpi(ARROW_GAP);
    }
    DrawFramed(dc, s.leftArrowX, s.arrowWidth, g);
    DrawCell(dc, Bytes(LEFT_ARROW), PLAIN_CELL_MAX, s.leftArrowX, g.HT, s.arrowWidth, g.T);
    DrawFramed(dc, s.rightArrowX, s.arrowWidth, g);
    DrawCell(dc, Bytes(RIGHT_ARROW), PLAIN_CELL_MAX, s.rightArrowX, g.HT, s.arrowWidth, g.T);
    SelectObject(dc, font);
}

void PaintCalendar(HDC dc)
{
    CalendarState& s = s_calendar.grid;
    SetTextColor(dc, Ink());
    SetBkColor(dc, Paper());
    if (s.dirty & DIRTY_BUTTONS) DrawButtons(dc, s);
    DrawGrid(dc, s);
    HGDIOBJ font = SelectObject(dc, s_calendar.normal);
    DrawButton(dc, s.buttons[s.shown.month - 1], true);
    SelectObject(dc, font);
    if (IsMarkedDay(s, s.marked.day)) DrawDayCell(dc, s, s.marked.day, true);
    DrawKeyboardFrame(dc, s);
    if (s.dirty & DIRTY_YEAR) DrawYearHeader(dc, s);
    s.dirty = 0;
}

HFONT CreateCalendarFont(const char16_t* face, int weight)
{
    LOGFONTW font = {};
    font.lfHeight = ScaleToDpi(CALENDAR_FONT_HEIGHT);
    font.lfWeight = weight;
    if (face && face[0]) {
        SetHebrewFace(font, face);
    } else {
        wcscpy(font.lfFaceName, L"David");
        font.lfCharSet = HEBREW_CHARSET;
    }
    return CreateFontIndirectW(&font);
}

// What changes at a click or a key is drawn at once, on a dc of the moment.
void PaintCalendarNow(HWND dialog)
{
    HDC dc = GetDC(dialog);
    PaintCalendar(dc);
    ReleaseDC(dialog, dc);
}

BOOL OnInitDialog(HWND dialog)
{
    HDC dc = GetDC(dialog);
    RECT client;
    GetClientRect(dialog, &client);
    HGDIOBJ font = SelectObject(dc, s_calendar.bold);
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, font);
    ReleaseDC(dialog, dc);
    LayoutCalendar(&s_calendar.grid, client.right, client.bottom, metrics.tmHeight);
    s_calendar.grid.dirty = DIRTY_BUTTONS | DIRTY_YEAR;
    return FALSE;
}

BOOL OnEraseBackground(HWND dialog, HDC dc)
{
    s_calendar.grid.dirty = DIRTY_BUTTONS | DIRTY_YEAR;
    RECT client;
    GetClientRect(dialog, &client);
    FillRect(dc, &client, FaceBrush());
    return TRUE;
}

void OnPaint(HWND dialog)
{
    PAINTSTRUCT paint;
    PaintCalendar(BeginPaint(dialog, &paint));
    EndPaint(dialog, &paint);
}

long DayPart(int day);

// The shown day moved: drawn at once, and a screen reader hears where the
// keyboard now is.
void Moved(HWND dialog)
{
    PaintCalendarNow(dialog);
    NotifyAccessiblePart(dialog, EVENT_OBJECT_FOCUS, DayPart(s_calendar.grid.shown.day));
}

void ShowMonth(HWND dialog, int month)
{
    CalendarState& s = s_calendar.grid;
    if (month == s.shown.month) return;
    s.shown.month = month;
    ApplyShownMonth(&s);
    Moved(dialog);
}

void StepYear(HWND dialog, int delta)
{
    ChangeYear(&s_calendar.grid, delta);
    Moved(dialog);
}

void TakeDay(HWND dialog, int day)
{
    CalendarState& s = s_calendar.grid;
    int shownDay = s.shown.day;
    ChooseDay(&s, day);
    HDC dc = GetDC(dialog);
    DrawDayCell(dc, s, shownDay, false);
    DrawDayCell(dc, s, day, true);
    ReleaseDC(dialog, dc);
    EndDialog(dialog, 1);
}

void OnClick(HWND dialog, int x, int y)
{
    CalendarState& s = s_calendar.grid;
    if (int month = MonthButtonAt(&s, x, y))
        ShowMonth(dialog, month);
    else if (int delta = YearArrowAt(&s, x, y))
        StepYear(dialog, delta);
    else if (int day = DayAt(&s, x, y))
        TakeDay(dialog, day);
}

void OnSysKeyDown(HWND dialog, WPARAM key)
{
    for (const CalendarKeyEntry& k : CALENDAR_KEYS) {
        if (k.key != key) continue;
        MoveByKey(&s_calendar.grid, k.move);
        Moved(dialog);
        return;
    }
}

// ---- For screen readers: the year arrows, the month buttons and the days,
// numbered in that order.

constexpr long YEAR_ARROWS = 2;

long MonthButtons()
{
    long n = 0;
    while (n < MONTH_SLOTS && s_calendar.grid.buttons[n].name) ++n;
    return n;
}

long DayPart(int day) { return YEAR_ARROWS + MonthButtons() + day; }

long CalendarParts(HWND) { return YEAR_ARROWS + MonthButtons() + s_calendar.grid.monthLength; }

// What a part is: -1 / +1 a year arrow, a month (1..13), or a day.
struct CalendarPart {
    int arrow, month, day;
};

CalendarPart PartOf(long part)
{
    long months = MonthButtons();
    if (part <= YEAR_ARROWS) return {part == 1 ? -1 : 1, 0, 0};
    if (part <= YEAR_ARROWS + months) return {0, int(part - YEAR_ARROWS), 0};
    return {0, 0, int(part - YEAR_ARROWS - months)};
}

int32_t AbsoluteOfShown(int day)
{
    const CalendarState& s = s_calendar.grid;
    return s.resultDay + day - s.shown.day;
}

std::u16string Letters(const uint8_t* drawn)
{
    return ReadingUnicode(reinterpret_cast<const char*>(drawn));
}

// The Hebrew date as the band writes it, then the Gregorian in the
// system's long form.
std::u16string DayName(int day)
{
    const CalendarState& s = s_calendar.grid;
    DateRec hebrew = {s.shown.month, day, s.shown.year};
    uint8_t text[DATE_TEXT_SIZE] = {};
    std::u16string name = FormatHebrewDate(&hebrew, text) ? Letters(text) : std::u16string();
    DateRec g = GregorianFromAbsolute(AbsoluteOfShown(day));
    SYSTEMTIME when = {};
    when.wYear = static_cast<WORD>(g.year);
    when.wMonth = static_cast<WORD>(g.month);
    when.wDay = static_cast<WORD>(g.day);
    when.wDayOfWeek = static_cast<WORD>(FloorMod(AbsoluteOfShown(day), 7));
    wchar_t gregorian[80] = {};
    if (GetDateFormatW(LOCALE_USER_DEFAULT, DATE_LONGDATE, &when, nullptr, gregorian, 80)) {
        name += u", ";
        name += reinterpret_cast<const char16_t*>(gregorian);
    }
    return name;
}

bool CalendarPartName(HWND, long part, std::u16string* out)
{
    CalendarPart p = PartOf(part);
    if (p.arrow) *out = p.arrow < 0 ? u"Previous year" : u"Next year";
    else if (p.month) *out = Letters(s_calendar.grid.buttons[p.month - 1].name);
    else *out = DayName(p.day);
    return true;
}

long CalendarPartRole(HWND, long part)
{
    return PartOf(part).day ? ROLE_SYSTEM_CELL : ROLE_SYSTEM_PUSHBUTTON;
}

bool CalendarPartDescription(HWND, long part, std::u16string* out)
{
    CalendarPart p = PartOf(part);
    CalendarMark mark = p.day ? MarkOf(s_calendar.grid, p.day) : CalendarMark::None;
    if (mark == CalendarMark::None) return false;
    *out = mark == CalendarMark::Ticked ? u"learned" : u"not learned";
    return true;
}

long CalendarPartState(HWND, long part)
{
    const CalendarState& s = s_calendar.grid;
    CalendarPart p = PartOf(part);
    if (p.arrow) return STATE_SYSTEM_FOCUSABLE;
    if (p.month) return STATE_SYSTEM_SELECTABLE | (p.month == s.shown.month ? STATE_SYSTEM_SELECTED : 0);
    long state = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
    if (IsMarkedDay(s, p.day))
        state |= STATE_SYSTEM_SELECTED;
    if (MarkOf(s, p.day) == CalendarMark::Ticked) state |= STATE_SYSTEM_CHECKED;
    return state;
}

bool CalendarPartBox(HWND, long part, RECT* box)
{
    const CalendarState& s = s_calendar.grid;
    const CalendarGeometry& g = s.g;
    CalendarPart p = PartOf(part);
    int column, row;
    if (p.arrow) {
        if (!s.arrowWidth) return false;
        int x = p.arrow < 0 ? s.leftArrowX : s.rightArrowX;
        *box = {x, g.HT, x + s.arrowWidth + 1, g.HT + g.T + 1};
    } else if (p.month) {
        const MonthButton& b = s.buttons[p.month - 1];
        *box = {b.left, b.top, b.right + 1, b.bottom + 1};
    } else if (DayCell(&s, p.day, &column, &row)) {
        *box = {g.GL + column * g.CW, g.GT + row * g.RH, g.GL + (column + 1) * g.CW, g.GT + (row + 1) * g.RH};
    } else {
        return false;
    }
    return true;
}

// As a click on the part.
bool PressCalendarPart(HWND dialog, long part)
{
    CalendarPart p = PartOf(part);
    if (p.arrow) StepYear(dialog, p.arrow);
    else if (p.month) ShowMonth(dialog, p.month);
    else TakeDay(dialog, p.day);
    return true;
}

// The day the arrows move is where the keyboard is.
long CalendarFocus(HWND) { return DayPart(s_calendar.grid.shown.day); }

bool CalendarName(HWND dialog, std::u16string* out)
{
    wchar_t caption[64] = {};
    GetWindowTextW(dialog, caption, 64);
    *out = reinterpret_cast<const char16_t*>(caption);
    *out += u", ";
    *out += DecimalText(s_calendar.grid.shown.year);
    return true;
}

constexpr AccessibleParts CALENDAR_PARTS = {
    .role = ROLE_SYSTEM_DIALOG,
    .name = CalendarName,
    .count = CalendarParts,
    .partName = CalendarPartName,
    .partDescription = CalendarPartDescription,
    .partRoleOf = CalendarPartRole,
    .partState = CalendarPartState,
    .partBox = CalendarPartBox,
    .action = u"Choose",
    .act = PressCalendarPart,
    .focus = CalendarFocus,
};

void OnKeyDown(HWND dialog, WPARAM key)
{
    for (const DayStepEntry& k : DAY_STEPS) {
        if (k.key != key) continue;
        StepShownDay(&s_calendar.grid, k.days);
        Moved(dialog);
        return;
    }
}

// Enter takes the day the arrows reached; without them it closes the
// calendar as Escape does.
void OnEnter(HWND dialog)
{
    CalendarState& s = s_calendar.grid;
    if (s.keyboardDay) {
        TakeDay(dialog, s.shown.day);
        return;
    }
    s.resultDay = 0;
    EndDialog(dialog, IDOK);
}

}  // namespace

INT_PTR CALLBACK CalendarDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog);
    case WM_ERASEBKGND: return DialogResult(dialog, OnEraseBackground(dialog, reinterpret_cast<HDC>(wParam)));
    case WM_PAINT: OnPaint(dialog); return TRUE;
    case WM_LBUTTONDOWN: OnClick(dialog, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return FALSE;
    case WM_SYSKEYDOWN: OnSysKeyDown(dialog, wParam); return FALSE;
    case WM_GETDLGCODE: return DialogResult(dialog, DLGC_WANTARROWS);
    case WM_KEYDOWN: OnKeyDown(dialog, wParam); return TRUE;
    case WM_GETOBJECT: return DialogResult(dialog, AnswerAccessibleParts(dialog, wParam, lParam, &CALENDAR_PARTS));
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            OnEnter(dialog);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            s_calendar.grid.resultDay = 0;
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

void SetCalendarMarkSource(CalendarMarkSource marks)
{
    s_marks = marks;
}

int32_t RunCalendarDialog(HINSTANCE instance, HWND owner, int32_t day, const char16_t* faceName)
{
    s_calendar = {};
    ResetCalendar(&s_calendar.grid);
    s_calendar.normal = CreateCalendarFont(faceName, FW_NORMAL);
    s_calendar.bold = CreateCalendarFont(faceName, FW_BOLD);
    SetShownDay(&s_calendar.grid, day, true);
    DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_CALENDAR), owner, CalendarDialogProc, 0);
    DeleteObject(s_calendar.normal);
    DeleteObject(s_calendar.bold);
    return s_calendar.grid.resultDay;
}

const CalendarState* OpenCalendarState()
{
    return &s_calendar.grid;
}
