// The month calendar (106), drawn by hand: month buttons, the year between
// two arrows, and the days of the shown month in week rows.
#include "calendar/calendar_dialog.h"

#include <windowsx.h>
#include <cstring>

#include "base/display_scale.h"
#include "base/face_name_win.h"
#include "calendar/calendar_grid.h"
#include "resources/resource.h"
#include "text/text_draw_win.h"

namespace {

constexpr char WEEKDAY_HEADINGS[] = "SMTWTFS";
constexpr char DAY_NUMBERS[] = "1 2 3 4 5 6 7 8 9 10111213141516171819202122232425262728293031";
constexpr char LEFT_ARROW[] = "  <<  ";
constexpr char RIGHT_ARROW[] = "  >>  ";
constexpr int PLAIN_CELL_MAX = 6;
constexpr UINT CELL_FORMAT = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
constexpr COLORREF WHITE = RGB(255, 255, 255);
constexpr COLORREF BLACK = RGB(0, 0, 0);
constexpr int CALENDAR_FONT_HEIGHT = 14;   // pixels at 96 DPI, as the gap
constexpr int ARROW_GAP = 10;               // between the year and its arrows

struct CalendarDialogState {
    CalendarState grid;
    HDC dc;
    HFONT normal;
    HFONT bold;
};

CalendarDialogState s_calendar;

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
    HGDIOBJ pen = SelectObject(dc, GetStockObject(selected ? WHITE_PEN : BLACK_PEN));
    HGDIOBJ brush = SelectObject(dc, GetStockObject(selected ? BLACK_BRUSH : WHITE_BRUSH));
    Rectangle(dc, b.left + 1, b.top + 1, b.right - 1, b.bottom - 1);
    SelectObject(dc, brush);
    SelectObject(dc, pen);
    int w = b.right - b.left - 1, h = b.bottom - b.top - 1;
    if (selected)
        DrawCellColored(dc, b.name, StringLength(b.name), b.left + 1, b.top + 1, w, h, WHITE, BLACK);
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

void DrawDayCell(HDC dc, const CalendarState& s, int day, bool selected)
{
    int column, row;
    if (!DayCell(&s, day, &column, &row)) return;
    const CalendarGeometry& g = s.g;
    int left = g.GL + column * g.CW + 1, top = g.GT + row * g.RH + 1;
    FillBox(dc, left, top, g.GL + column * g.CW + g.CW, g.GT + row * g.RH + g.RH,
            static_cast<HBRUSH>(GetStockObject(selected ? BLACK_BRUSH : WHITE_BRUSH)));
    const char* digits = DAY_NUMBERS + 2 * (day - 1);
    if (selected)
        DrawPlainCellColored(dc, digits, 2, left, top, g.CW, g.RH, WHITE, BLACK);
    else
        DrawPlainCell(dc, digits, 2, left, top, g.CW, g.RH);
}

void DrawGrid(HDC dc, CalendarState& s)
{
    const CalendarGeometry& g = s.g;
    int rows = WeekRowsNeeded(&s);
    bool shrinking = s.weekRows == 6 && rows == 5;
    HGDIOBJ pen = SelectObject(dc, GetStockObject(BLACK_PEN));
    HGDIOBJ brush = SelectObject(dc, GetStockObject(WHITE_BRUSH));
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
        DrawPlainCell(dc, DAY_NUMBERS + 2 * (d - 1), 2, g.GL + column * g.CW + 1, g.GT + row * g.RH + 1, g.CW - 2,
                      g.RH - 2);
        lastRow = row;
    }
    s.weekRows = static_cast<uint8_t>(lastRow);
    SelectObject(dc, font);
}

void DrawFramed(HDC dc, int x, int width, const CalendarGeometry& g)
{
    FillBox(dc, x - 1, g.HT - 1, x + width + 1, g.HT + g.T + 1, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
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

void PaintCalendar()
{
    CalendarState& s = s_calendar.grid;
    HDC dc = s_calendar.dc;
    if (s.dirty & DIRTY_BUTTONS) DrawButtons(dc, s);
    DrawGrid(dc, s);
    HGDIOBJ font = SelectObject(dc, s_calendar.normal);
    DrawButton(dc, s.buttons[s.shown.month - 1], true);
    SelectObject(dc, font);
    if (s.shown.month == s.marked.month && s.shown.year == s.marked.year) DrawDayCell(dc, s, s.marked.day, true);
    if (s.dirty & DIRTY_YEAR) DrawYearHeader(dc, s);
    s.dirty = 0;
}

HFONT CreateCalendarFont(const char16_t* face, int weight)
{
    LOGFONTW font = {};
    font.lfHeight = ScaleToDpi(CALENDAR_FONT_HEIGHT);
    font.lfWeight = weight;
    if (face && face[0]) {
        SetFaceName(font, face);
    } else {
        wcscpy(font.lfFaceName, L"David");
        font.lfCharSet = HEBREW_CHARSET;
    }
    return CreateFontIndirectW(&font);
}

BOOL OnInitDialog(HWND dialog)
{
    s_calendar.dc = GetDC(dialog);
    RECT client;
    GetClientRect(dialog, &client);
    HGDIOBJ font = SelectObject(s_calendar.dc, s_calendar.bold);
    TEXTMETRICW metrics = {};
    GetTextMetricsW(s_calendar.dc, &metrics);
    SelectObject(s_calendar.dc, font);
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
    BeginPaint(dialog, &paint);
    PaintCalendar();
    EndPaint(dialog, &paint);
}

void OnClick(HWND dialog, int x, int y)
{
    CalendarState& s = s_calendar.grid;
    if (int month = MonthButtonAt(&s, x, y)) {
        if (month != s.shown.month) {
            s.shown.month = month;
            ApplyShownMonth(&s);
            PaintCalendar();
        }
        return;
    }
    if (int delta = YearArrowAt(&s, x, y)) {
        ChangeYear(&s, delta);
        PaintCalendar();
        return;
    }
    if (int day = DayAt(&s, x, y)) {
        int shownDay = s.shown.day;
        ChooseDay(&s, day);
        DrawDayCell(s_calendar.dc, s, shownDay, false);
        DrawDayCell(s_calendar.dc, s, day, true);
        EndDialog(dialog, 1);
    }
}

void OnSysKeyDown(WPARAM key)
{
    for (const CalendarKeyEntry& k : CALENDAR_KEYS) {
        if (k.key != key) continue;
        MoveByKey(&s_calendar.grid, k.move);
        PaintCalendar();
        return;
    }
}

}  // namespace

INT_PTR CALLBACK CalendarDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog);
    case WM_ERASEBKGND:
        SetWindowLongPtrW(dialog, DWLP_MSGRESULT, OnEraseBackground(dialog, reinterpret_cast<HDC>(wParam)));
        return TRUE;
    case WM_PAINT: OnPaint(dialog); return TRUE;
    case WM_LBUTTONDOWN: OnClick(dialog, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return FALSE;
    case WM_SYSKEYDOWN: OnSysKeyDown(wParam); return FALSE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            s_calendar.grid.resultDay = 0;
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    case WM_DESTROY:
        ReleaseDC(dialog, s_calendar.dc);
        s_calendar.dc = nullptr;
        return FALSE;
    }
    return FALSE;
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
