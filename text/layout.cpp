// Line layout: paragraphs broken at spaces and hyphens, placed by alignment,
// indentation and hanging label; rules; rows for scrolling.
#include "text/layout.h"

#include <cstdlib>
#include <cstring>
#include "text/rows.h"
#include "text/style_fonts.h"
#include "text/text_format.h"

namespace {

constexpr int MAX_TEXT_LENGTH = 0xFFFF;   // offsets are 16-bit
constexpr int MAX_ROWS = 0xFFFF;
constexpr int NO_LIMIT = 0x7FFF;

// Offset of the end mark, or more than MAX_TEXT_LENGTH when the text is too
// long for 16-bit offsets (the walk stops there).
int TextLength(const uint8_t* text)
{
    int at = 0;
    while (at <= MAX_TEXT_LENGTH && text[at]) {
        at += 2;
        while (at <= MAX_TEXT_LENGTH && text[at]) ++at;
        ++at;
    }
    return at;
}

bool Accepted(const uint8_t* text)
{
    if (text[0] == 0) return false;
    if (text[2] == 0 && (text[0] & STYLE_KIND_MASK) != STYLE_RULE) return false;
    return TextLength(text) <= MAX_TEXT_LENGTH;
}

int AlignedX(const TextView* v, uint8_t style, int width, int indent, int lead)
{
    switch (style & STYLE_ALIGN_MASK) {
    case STYLE_ALIGN_RIGHT: return v->left + v->width - width - lead;
    case STYLE_ALIGN_CENTER: return v->left + indent + (v->width - width - lead) / 2;
    default: return v->left + lead;
    }
}

// The running state of one LayoutText call.
struct Layout {
    TextView* view;
    const uint8_t* text;
    int lines;          // records written
    int spacers;        // spacer rows so far
    int indent;
    int lineHeight;
    int maxCharWidth;
    uint16_t style;     // style of the font selected now
};

enum Room { ROOM_OK, ROOM_ROWS_FULL, ROOM_NO_MEMORY };

// Room for one more line (and its spacer row). Rows are 16-bit: a text that
// would need more (one character a line in a sliver of a window) is shown
// up to that limit.
Room RoomFor(Layout& l)
{
    TextView* v = l.view;
    if (l.lines + l.spacers + 2 > MAX_ROWS) return ROOM_ROWS_FULL;
    if (l.lines < v->lineCapacity) return ROOM_OK;
    return GrowLines(v, l.lines) == 0 ? ROOM_OK : ROOM_NO_MEMORY;
}

void AddRule(Layout& l, uint8_t style, uint8_t param, const uint8_t* t)
{
    TextView* v = l.view;
    int length = param <= RULE_PIXELS_MAX ? param : (param - RULE_PIXELS_MAX) * 2 * v->width / 100;
    if (length > v->width) length = v->width;
    LineRecord& r = v->lines[l.lines++];
    r = {};
    r.offset = static_cast<uint16_t>(t - l.text);
    r.boxWidth = static_cast<int16_t>(length);
    r.height = static_cast<uint16_t>(l.lineHeight);
    r.style = style;
    r.x = static_cast<int16_t>(AlignedX(v, style, length, 0, 0));
    if (style & STYLE_SPACER) ++l.spacers;
}

void SelectLineFont(Layout& l, uint8_t style)
{
    if ((l.style & STYLE_CODE_KEY) == (style & STYLE_FONT_KEY)) return;
    g_textDevice->selectStyleFont(l.view, style);
    g_textDevice->readMetrics(l.view->dc, &l.lineHeight, &l.maxCharWidth);
    l.style = style;
}

// A line's style without the spacer bit. Style 0x80 alone would leave 0, the
// array's end mark, and cut the text short; bit 0 changes no font, so 0x01
// draws the same.
uint8_t WithoutSpacer(uint8_t style)
{
    uint8_t s = style & ~STYLE_SPACER;
    return s ? s : 0x01;
}

bool OnlySpaces(const uint8_t* q)
{
    while (*q == ' ') ++q;
    return *q == 0;
}

// Breaks one paragraph q of n characters (t itself, or its reversed copy)
// into lines.
Room BreakParagraph(Layout& l, uint8_t style, const uint8_t* t, const uint8_t* q, int n, int hang)
{
    TextView* v = l.view;
    const uint8_t* start = q;
    const int fullLength = n;
    const bool reversed = style & STYLE_REVERSED;
    while (*q) {
        while (*q == ' ') ++q, --n;
        if (!*q) break;
        Room room = RoomFor(l);
        if (room != ROOM_OK) return room;

        int avail = v->width - l.indent;
        int k = n;
        const uint8_t* label = nullptr;
        if (hang) {
            const uint8_t* r = q;
            while (*r && *r != ' ') ++r, --k;
            while (*r == ' ') ++r, --k;
            avail -= hang;
            label = q;
            q = r;
        }
        if (avail < 0) avail = 0;
        g_textDevice->measureFit(v->dc, q, &avail, &k);

        if (q[k] && q[k] != ' ') {
            int j = k - 1;
            while (j >= 1 && q[j] != ' ' && q[j] != '-') --j;
            if (j >= 1) {
                k = q[j] == ' ' ? j : j + 1;
                g_textDevice->measureFit(v->dc, q, &avail, &k);
            }
        }
        // Not even one character fits: take one anyway, so a very narrow
        // box still ends and shows the text a character per line.
        if (k == 0 && !label && *q) {
            k = 1;
            avail = NO_LIMIT;
            g_textDevice->measureFit(v->dc, q, &avail, &k);
            if (k == 0) k = 1, avail = 0;
        }

        int lead = l.indent + hang;
        LineRecord& r = v->lines[l.lines];
        r = {};
        r.count = static_cast<uint16_t>(k);
        r.height = static_cast<uint16_t>(l.lineHeight);
        r.boxWidth = static_cast<int16_t>(avail);
        r.hang = static_cast<int16_t>(hang);
        if (reversed)
            r.offset = static_cast<uint16_t>((t - l.text) + (fullLength - (q - start) - k));
        else
            r.offset = static_cast<uint16_t>((label ? label : q) - l.text);
        r.x = static_cast<int16_t>(AlignedX(v, style, avail, l.indent, lead));
        l.indent = lead;

        int consumed = k;
        if (label) {
            consumed += static_cast<int>(q - label);
            q = label;
        }
        hang = 0;
        // Trailing spaces that did not fit still end the paragraph here.
        if (consumed == n || OnlySpaces(q + consumed)) {
            r.style = style;
            if (style & STYLE_SPACER) ++l.spacers;
        } else {
            r.style = WithoutSpacer(style);
        }
        q += consumed;
        n -= consumed;
        ++l.lines;
    }
    return ROOM_OK;
}

Room AddParagraph(Layout& l, uint8_t style, uint8_t param, int label, const uint8_t* t)
{
    SelectLineFont(l, style);
    int n = static_cast<int>(strlen(reinterpret_cast<const char*>(t)));
    int hang = 0;
    if (label) {
        l.indent = param & PARAM_INDENT_MASK;
        g_textDevice->readMetrics(l.view->dc, &l.lineHeight, &l.maxCharWidth);
        hang = (label + 1) * l.maxCharWidth / 2;
    }
    uint8_t* copy = nullptr;
    const uint8_t* q = t;
    if (style & STYLE_REVERSED) {
        copy = static_cast<uint8_t*>(malloc(n + 1));
        if (!copy) return ROOM_NO_MEMORY;
        for (int i = 0; i < n; ++i) copy[i] = t[n - 1 - i];
        copy[n] = 0;
        q = copy;
    }
    if (l.indent >= l.view->width) l.indent = 0;
    Room room = BreakParagraph(l, style, t, q, n, hang);
    free(copy);
    return room;
}

}  // namespace

TextView* NewTextView(ViewDc dc, const ViewBox* box, const FontBlock* font, int capacity)
{
    if (!dc) return nullptr;
    auto* v = static_cast<TextView*>(calloc(1, sizeof(TextView)));
    if (!v) return nullptr;
    v->dc = dc;
    if (font) *FontBlockOf(v) = *font;
    if (box) {
        v->left = box->left;
        v->top = box->top;
        v->width = box->right - box->left;
        v->height = box->bottom - box->top;
    }
    if (capacity > 0 && capacity < MAX_ROWS) {
        v->lines = static_cast<LineRecord*>(malloc(sizeof(LineRecord) * (capacity + 1)));
        if (v->lines) {
            v->lines[0] = {};
            v->lineCapacity = static_cast<uint16_t>(capacity);
        }
    }
    return v;
}

int GrowLines(TextView* v, int index)
{
    int capacity = v->lineCapacity + LINE_GROWTH;
    if (capacity > MAX_ROWS - 1) capacity = MAX_ROWS - 1;
    auto* grown = capacity > v->lineCapacity
                      ? static_cast<LineRecord*>(malloc(sizeof(LineRecord) * (capacity + 1)))
                      : nullptr;
    if (!grown) {
        v->lines[index] = {};
        return -2;
    }
    memcpy(grown, v->lines, sizeof(LineRecord) * v->lineCapacity);
    free(v->lines);
    v->lines = grown;
    v->lineCapacity = static_cast<uint16_t>(capacity);
    return 0;
}

int LayoutText(TextView* v, uint8_t* text, int own)
{
    if (!v) return -1;
    v->highlightStart = v->highlightEnd = 0;
    v->rowCount = v->maxFirstRow = 0;
    if (!text) {
        if (own) {
            free(v->text);
            v->text = nullptr;
        }
        return LAYOUT_NO_TEXT;
    }
    if (!Accepted(text)) return LAYOUT_REJECTED;
    if (own) {
        if (v->text != text) free(v->text);
        v->text = nullptr;
    }
    if (!v->lines || v->lineCapacity == 0) {
        free(v->lines);
        v->lines = static_cast<LineRecord*>(malloc(sizeof(LineRecord) * (LINE_GROWTH + 1)));
        v->lineCapacity = v->lines ? LINE_GROWTH : 0;
        if (!v->lines) return LAYOUT_NO_MEMORY;
    }

    Layout l{};
    l.view = v;
    l.text = text;
    l.style = 1;
    void* kept = g_textDevice->selectStyleFont(v, 1);
    g_textDevice->readMetrics(v->dc, &l.lineHeight, &l.maxCharWidth);

    int result = 0;
    uint8_t previous = 0;
    const uint8_t* record = text;
    while (*record) {
        uint8_t style = record[0], param = record[1];
        const uint8_t* t = record + 2;
        int label = param >> PARAM_LABEL_SHIFT;
        if (label && t[0] == ' ' && l.lines > 0) {
            // Continuation: no label, the lines go on where the previous
            // paragraph's ran, moved by the change of indentation.
            l.indent += (param & PARAM_INDENT_MASK) - (previous & PARAM_INDENT_MASK);
            label = 0;
        } else {
            l.indent = param;
        }
        previous = param;

        Room room = ROOM_OK;
        if ((style & STYLE_KIND_MASK) == STYLE_RULE) {
            if (param) {
                room = RoomFor(l);
                if (room == ROOM_OK) AddRule(l, style, param, t);
            }
        } else {
            room = AddParagraph(l, style, param, label, t);
        }
        if (room == ROOM_NO_MEMORY) result = LAYOUT_NO_MEMORY;
        if (room != ROOM_OK) break;
        // A rule's text should be empty; skipping to its terminator keeps a
        // malformed one from being read as records.
        record = t + strlen(reinterpret_cast<const char*>(t)) + 1;
    }

    // Ended on failure too, so a later drawing never walks stale records.
    v->lines[l.lines] = {};
    if (result == 0) {
        int rows = l.lines + l.spacers;
        if (l.lines > 0 && (v->lines[l.lines - 1].style & STYLE_SPACER)) {
            v->lines[l.lines - 1].style = WithoutSpacer(v->lines[l.lines - 1].style);
            --rows;
        }
        v->rowCount = static_cast<uint16_t>(rows);
        v->lineCount = static_cast<uint16_t>(l.lines);
        v->text = text;
        ComputeMaxFirstRow(v);
    }
    g_textDevice->selectObject(v->dc, kept);
    return result;
}

int ResizeView(TextView* v, int width, int height)
{
    if (!v) return -1;
    if (width <= 0 || height <= 0) return VIEW_BAD_SIZE;
    v->width = width;
    v->height = height;
    return LayoutText(v, v->text, 0);
}

void FreeTextView(TextView* v, int release)
{
    if (!v) return;
    free(v->text);
    v->text = nullptr;
    free(v->lines);
    v->lines = nullptr;
    v->lineCapacity = v->lineCount = v->rowCount = 0;
    v->pageStart = v->pageNext = nullptr;
    FreeStyleFonts(v);
    if (release) free(v);
}
