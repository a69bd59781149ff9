#include "output/clipboard_format.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "settings/settings.h"
#include "text/letter_code.h"
#include "text/selection.h"
#include "text/text_format.h"

namespace {

bool IsRule(uint8_t style) { return (style & STYLE_KIND_MASK) == STYLE_RULE; }

int RuleLength(uint8_t parameter)
{
    return parameter <= RULE_PIXELS_MAX ? parameter : (parameter - RULE_PIXELS_MAX) * 2;
}

size_t TextLength(const uint8_t* t) { return strlen(reinterpret_cast<const char*>(t)); }

// Bounded writer over the export buffer: a full buffer refuses the
// character instead of running past its end.
struct WideOut {
    char16_t* at;
    char16_t* end;
    bool full;
    void Put(char16_t c)
    {
        if (at < end) *at++ = c;
        else full = true;
    }
    void Repeat(char16_t c, int n)
    {
        for (int i = 0; i < n; ++i) Put(c);
    }
    void LineEnd()
    {
        Put(u'\r');
        Put(u'\n');
    }
    void Text(const char16_t* s)
    {
        while (*s) Put(*s++);
    }
    void Units(const char16_t* s, size_t n)
    {
        for (size_t i = 0; i < n; ++i) Put(s[i]);
    }
};

struct ByteOut {
    char* at;
    char* end;
    void Put(char c)
    {
        if (at < end) *at++ = c;
    }
    void Text(const char* s)
    {
        while (*s) Put(*s++);
    }
    void Bytes(const char* s, size_t n)
    {
        for (size_t i = 0; i < n; ++i) Put(s[i]);
    }
};

bool IsLineBreak(char16_t c) { return c == u'\r' || c == u'\n'; }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool NeedsBackslash(char16_t c) { return c == u'{' || c == u'}' || c == u'\\'; }
bool IsPrintable(char16_t c) { return c >= 0x21 && c <= 0x7E; }

// Length of s without the white space at its end.
template <class C>
size_t WithoutTrailingSpace(std::span<const C> s)
{
    size_t n = s.size();
    while (n > 0 && (s[n - 1] == '\r' || s[n - 1] == '\n' || s[n - 1] == ' ' || s[n - 1] == '\t')) --n;
    return n;
}

// Writes the export with each run of line breaks as one CR LF.
void WritePlainText(const char16_t* e, WideOut& out)
{
    while (*e) {
        if (IsLineBreak(*e)) {
            while (IsLineBreak(*e)) ++e;
            out.LineEnd();
        } else {
            out.Put(*e++);
        }
    }
}

// Units WritePlainText writes, and the zero after them.
size_t PlainTextSize(const char16_t* e)
{
    size_t size = 1;
    while (*e) {
        if (IsLineBreak(*e)) {
            while (IsLineBreak(*e)) ++e;
            size += 2;
        } else {
            ++e, ++size;
        }
    }
    return size;
}

}  // namespace

const Decomposition* FindDecomposition(char16_t c)
{
    for (const Decomposition& d : DECOMPOSITIONS)
        if (d.key == c) return &d;
    return nullptr;
}

uint32_t ExportSize(const uint8_t* text)
{
    uint32_t indent = 0, records = 0, shortRules = 0, longRules = 0;
    const uint8_t* p = text;
    while (*p) {
        uint8_t style = p[0], parameter = p[1];
        records += (style & STYLE_SPACER) ? 2 : 1;
        if (IsRule(style)) {
            if (parameter <= RULE_PIXELS_MAX) shortRules += parameter;
            else longRules += RuleLength(parameter);
        } else {
            indent += parameter & PARAM_INDENT_MASK;
        }
        p += 2;
        p += TextLength(p) + 1;
    }
    uint32_t length = static_cast<uint32_t>(p - text);
    return 2 * (indent + 2 * records + shortRules + longRules + length + length / 2) + 2;
}

int ExportUnicodeText(const uint8_t* text, char16_t* buffer, uint32_t size)
{
    WideOut out{buffer, buffer + (size & ~1u) / 2, false};
    const uint8_t* p = text;
    while (*p) {
        uint8_t style = p[0], parameter = p[1];
        const uint8_t* t = p + 2;
        size_t n = TextLength(t);
        if (IsRule(style)) {
            out.Repeat(u'-', RuleLength(parameter));
        } else {
            const char16_t* run = MapToDisplay(t, &g_conversionBuffer, static_cast<int>(n));
            if (!run) return 2;
            for (const char16_t* c = run; *c; ++c) out.Put(*c);
            out.Repeat(u' ', parameter & PARAM_INDENT_MASK);
        }
        out.LineEnd();
        if (style & STYLE_SPACER) out.LineEnd();
        p = t + n + 1;
    }
    // The terminator needs its own place below the end.
    if (out.at >= out.end) out.full = true;
    if (out.full) return 1;
    *out.at = 0;
    return 0;
}

int ExportLesson(const uint8_t* text, char16_t* buffer, uint32_t size)
{
    uint32_t saved = g_settings.Flags;
    if (g_settings.FontAsciiBase >= RTF_LETTER_BASE_MIN) g_settings.Flags ^= FLAG_REVERSE;
    int result = ExportUnicodeText(text, buffer, size);
    g_settings.Flags = saved;
    return result;
}

size_t RtfBodySize(const char16_t* e)
{
    size_t size = 13;
    while (*e) {
        char16_t c = *e;
        if (c == u' ') {
            size_t k = 0;
            while (*e == u' ') ++k, ++e;
            size += k + 1;
            continue;
        }
        if (IsLineBreak(c)) {
            while (IsLineBreak(*e)) ++e;
            size += 12;
            continue;
        }
        ++e;
        if (IsPrintable(c)) {
            size += NeedsBackslash(c) ? 2 : 1;
            continue;
        }
        const Decomposition* d = c >= 0x5EB ? FindDecomposition(c) : nullptr;
        if (d) {
            for (char16_t part : d->parts)
                if (part) size += 6;
        } else {
            size += c > 9999 ? 7 : c >= 1000 ? 6 : 5;
        }
        if (IsDigit(*e)) size += 1;
    }
    return size;
}

size_t WriteRtfBody(const char16_t* e, char* out, size_t capacity)
{
    if (capacity == 0) return 0;
    ByteOut w{out, out + capacity - 1};
    // A reader takes one space after an escape as its end, and a digit
    // right after it as more of its number: both get a delimiting space.
    bool afterEscape = false;
    while (*e) {
        char16_t c = *e;
        if (c == u' ') {
            // The first space after an escape only ends it.
            if (afterEscape) w.Put(' ');
            while (*e == u' ') w.Put(' '), ++e;
            afterEscape = false;
            continue;
        }
        if (IsLineBreak(c)) {
            w.Text(RTF_PARAGRAPH);
            while (IsLineBreak(*e)) ++e;
            afterEscape = false;
            continue;
        }
        ++e;
        if (IsPrintable(c)) {
            if (IsDigit(c) && afterEscape) w.Put(' ');
            if (NeedsBackslash(c)) w.Put('\\');
            w.Put(static_cast<char>(c));
            afterEscape = false;
            continue;
        }
        char number[16];
        const Decomposition* d = c >= 0x5EB ? FindDecomposition(c) : nullptr;
        if (d) {
            for (char16_t part : d->parts) {
                if (!part) break;
                snprintf(number, sizeof number, "\\u%u", unsigned{part});
                w.Text(number);
            }
        } else {
            snprintf(number, sizeof number, "\\u%u", unsigned{c});
            w.Text(number);
        }
        afterEscape = true;
    }
    w.Text(RTF_PARAGRAPH);
    *w.at = 0;
    return static_cast<size_t>(w.at - out);
}

size_t TrimForAppend(std::span<const char> old)
{
    size_t n = WithoutTrailingSpace(old);
    if (n > 0 && old[n - 1] == '}') --n;
    return n;
}

size_t RtfDocumentCapacity(size_t bodyLength, std::span<const char> old)
{
    size_t kept = TrimForAppend(old);
    return bodyLength + kept + (kept == 0 ? RTF_FRESH_EXTRA : RTF_APPEND_EXTRA);
}

size_t WriteRtfDocument(std::span<const char> old, const char* body, char* out, size_t capacity)
{
    if (capacity == 0) return 0;
    ByteOut w{out, out + capacity - 1};
    size_t kept = TrimForAppend(old);
    // Old data that trims away to nothing is no document to join.
    if (kept == 0) {
        w.Text(RTF_HEADER);
    } else {
        w.Bytes(old.data(), kept);
        w.Text(RTF_SEPARATOR);
    }
    w.Text(body);
    w.Text(RTF_TRAILER);
    *w.at = 0;
    return static_cast<size_t>(w.at - out);
}

size_t JoinedUnicodeSize(size_t oldBytes, const char16_t* exportText)
{
    size_t n = 0;
    while (exportText[n]) ++n;
    return oldBytes + (n + 1) * 2;
}

void JoinUnicodeText(std::span<const uint8_t> old, const char16_t* exportText, uint8_t* out)
{
    size_t n = 0;
    while (exportText[n]) ++n;
    memcpy(out, old.data(), old.size());
    memcpy(out + (old.size() & ~size_t{1}), exportText, (n + 1) * 2);
}

size_t PlainDocumentSize(std::span<const char16_t> old, const char16_t* exportText)
{
    size_t kept = WithoutTrailingSpace(old);
    size_t joint = kept == 0 ? 0 : kept + std::size(TEXT_SEPARATOR) - 1;
    return joint + PlainTextSize(exportText);
}

size_t WritePlainDocument(std::span<const char16_t> old, const char16_t* exportText, char16_t* out,
                          size_t capacity)
{
    if (capacity == 0) return 0;
    WideOut w{out, out + capacity - 1, false};
    // As with the Rich Text, old text of nothing but white space is no text to join.
    size_t kept = WithoutTrailingSpace(old);
    if (kept != 0) {
        w.Units(old.data(), kept);
        w.Text(TEXT_SEPARATOR);
    }
    WritePlainText(exportText, w);
    *w.at = 0;
    return static_cast<size_t>(w.at - out);
}

// ---- A chosen passage and the line that cites it.

namespace {

// "פרק" in the letter code.
constexpr uint8_t CHAPTER_WORD[] = {0x75, 0x79, 0x78};

template <size_t N>
void CopyReading(uint8_t (&out)[N], const uint8_t* stored, size_t n, bool reversed)
{
    if (n > N - 1) n = N - 1;   // a heading longer than the room is cut, never overrun
    for (size_t i = 0; i < n; ++i) out[i] = stored[i];
    out[n] = 0;
    if (reversed) FlipReadingOrder(std::span<uint8_t>(out, n));
}

bool StartsWithChapter(const uint8_t* reading)
{
    for (size_t i = 0; i < std::size(CHAPTER_WORD); ++i)
        if (reading[i] != CHAPTER_WORD[i]) return false;
    return reading[std::size(CHAPTER_WORD)] == ' ';
}

// The first of "A - B": a lesson that opens across two sections names both.
// Where a heading of several places ("A - B") parts them, or null.
uint8_t* PartsMark(uint8_t* s)
{
    for (size_t i = 0; s[i]; ++i)
        if (s[i] == ' ' && s[i + 1] == '-' && s[i + 2] == ' ') return s + i;
    return nullptr;
}

void KeepFirstPart(uint8_t* s)
{
    if (uint8_t* mark = PartsMark(s)) *mark = 0;
}

void KeepFirstWord(uint8_t* s)
{
    size_t i = 0;
    while (s[i] == ' ') ++i;
    size_t j = 0;
    while (s[i] && s[i] != ' ') s[j++] = s[i++];
    s[j] = 0;
}

bool Same(const uint8_t* a, const uint8_t* b) { return strcmp(reinterpret_cast<const char*>(a), reinterpret_cast<const char*>(b)) == 0; }

void PutLetters(WideOut& w, const uint8_t* s, int32_t base)
{
    for (; *s; ++s) w.Put(DisplayChar(*s, base));
}

}  // namespace

void FindPassagePlace(const uint8_t* text, unsigned at, PassagePlace* place, bool titledChapter)
{
    *place = {};
    const uint8_t* p = text;
    for (int index = 0; *p; ++index) {
        uint8_t style = p[0], parameter = p[1];
        const uint8_t* t = p + 2;
        size_t n = TextLength(t);
        bool reversed = style & STYLE_REVERSED;
        int level = parameter >> PARAM_LABEL_SHIFT;
        if (IsRule(style)) {
            // nothing to name
        } else if (index == 0 && style == STYLE_HEADING) {
            CopyReading(place->section, t, n, reversed);
            KeepFirstPart(place->section);
        } else if (index == 1 && style == STYLE_SUBHEADING) {
            // A lesson's span of chapters is no place; a day's one chapter is.
            if (titledChapter) {
                uint8_t heading[sizeof place->section];
                CopyReading(heading, t, n, reversed);
                if (!PartsMark(heading)) CopyReading(place->chapter, heading, TextLength(heading), false);
            }
        } else if (level == 0 && (style & STYLE_ALIGN_MASK) == STYLE_ALIGN_CENTER) {
            uint8_t heading[sizeof place->section];
            CopyReading(heading, t, n, reversed);
            // Bold without large is a chapter's own heading, also one with a
            // name instead of a number (the order of prayers, the Haggadah).
            if (StartsWithChapter(heading) || (style & STYLE_BLUE) == STYLE_BOLD) {
                CopyReading(place->chapter, heading, TextLength(heading), false);
            } else {
                CopyReading(place->section, heading, TextLength(heading), false);
                place->chapter[0] = 0;
            }
            place->paragraph[0] = 0;
        } else if (level != 0 && t[0] != ' ') {
            // The label is the first word read: the last one stored when the
            // paragraph is stored last-first.
            uint8_t word[sizeof place->paragraph * 4];
            if (reversed) {
                size_t end = n;
                while (end > 0 && t[end - 1] == ' ') --end;
                size_t start = end;
                while (start > 0 && t[start - 1] != ' ') --start;
                CopyReading(word, t + start, end - start, true);
            } else {
                CopyReading(word, t, n, false);
            }
            KeepFirstWord(word);
            CopyReading(place->paragraph, word, TextLength(word), false);
        }
        const uint8_t* next = t + n + 1;
        if (at < static_cast<unsigned>(next - text)) break;
        p = next;
    }
}

void FindPassagePlaces(const uint8_t* text, unsigned first, unsigned last, bool titledChapter, PassagePlace* from,
                       PassagePlace* to)
{
    FindPassagePlace(text, first, from, titledChapter);
    FindPassagePlace(text, last - 1, to, titledChapter);
    // Begun on headings or a rule, it is cited from the first record after
    // them that it holds: the paragraph under them, or their last heading.
    RecordSpan span;
    if (!RecordAt(text, first, &span)) return;
    unsigned record = 0;
    for (int index = 0; text[record]; ++index) {
        uint8_t style = text[record], parameter = text[record + 1];
        unsigned start = record + 2;
        bool heading = index < 2 || IsRule(style) ||
                       ((parameter >> PARAM_LABEL_SHIFT) == 0 && (style & STYLE_ALIGN_MASK) == STYLE_ALIGN_CENTER);
        if (record > span.record) {
            if (start >= last) return;
            if (!IsRule(style)) FindPassagePlace(text, start, from, titledChapter);
        }
        if (record >= span.record && !heading) return;
        record = start + static_cast<unsigned>(TextLength(text + start)) + 1;
    }
}

size_t WriteCitation(const PassagePlace& first, const PassagePlace& last, int32_t letterBase, char16_t* out,
                     size_t capacity)
{
    if (capacity == 0) return 0;
    WideOut w{out, out + capacity - 1, false};
    // Unicode Hebrew gets the en dash; the old code pages keep to the hyphen.
    const char16_t dash = letterBase >= RTF_LETTER_BASE_MIN ? u'\u2013' : u'-';
    bool sameSection = Same(first.section, last.section);
    bool sameChapter = sameSection && Same(first.chapter, last.chapter);
    // "Section פרק N", but a part with a name of its own after a comma.
    auto putChapter = [&](const PassagePlace& place, bool afterSection) {
        if (!place.chapter[0]) return;
        if (afterSection) w.Text(StartsWithChapter(place.chapter) ? u" " : u", ");
        PutLetters(w, place.chapter, letterBase);
    };
    w.Put(u'(');
    PutLetters(w, first.section, letterBase);
    putChapter(first, first.section[0] != 0);
    if (first.paragraph[0]) {
        w.Text(u", ");
        PutLetters(w, first.paragraph, letterBase);
    }
    if (!sameChapter) {
        w.Put(u' ');
        w.Put(dash);
        w.Put(u' ');
        if (!sameSection) PutLetters(w, last.section, letterBase);
        putChapter(last, !sameSection && last.section[0]);
        if (last.paragraph[0]) {
            w.Text(u", ");
            PutLetters(w, last.paragraph, letterBase);
        }
    } else if (last.paragraph[0] && !Same(first.paragraph, last.paragraph)) {
        if (first.paragraph[0]) w.Put(dash);
        else w.Text(u", ");
        PutLetters(w, last.paragraph, letterBase);
    }
    w.Put(u')');
    *w.at = 0;
    return static_cast<size_t>(w.at - out);
}

uint8_t* PassageText(const uint8_t* text, unsigned first, unsigned last)
{
    size_t size = 1;
    for (int pass = 0; pass < 2; ++pass) {
        uint8_t* out = pass ? static_cast<uint8_t*>(malloc(size)) : nullptr;
        if (pass && !out) return nullptr;
        size_t at = 0;
        unsigned p = 0;
        while (text[p]) {
            RecordSpan span;
            RecordAt(text, p + 2, &span);
            unsigned lo = 0, hi = 0;
            bool inside = IsRule(text[p]) ? span.start >= first && span.start < last
                                          : StoredPart(span, first, last, &lo, &hi);
            if (inside) {
                size_t n = hi - lo;
                if (out) {
                    out[at] = text[p];
                    out[at + 1] = text[p + 1];
                    memcpy(out + at + 2, text + lo, n);
                    out[at + 2 + n] = 0;
                }
                at += n + 3;
            }
            p = span.end + 1;
        }
        if (out) {
            out[at] = 0;
            return out;
        }
        size = at + 1;
    }
    return nullptr;
}

uint32_t PassageExportSize(const uint8_t* passage)
{
    return ExportSize(passage) + 2 * (CITATION_MAX + 2);
}

int ExportPassage(const uint8_t* passage, const PassagePlace& first, const PassagePlace& last, char16_t* buffer,
                  uint32_t size)
{
    uint32_t lessonSize = ExportSize(passage);
    int result = ExportLesson(passage, buffer, lessonSize);
    if (result != 0) return result;
    size_t n = 0;
    while (buffer[n]) ++n;
    size_t room = size / 2 - n;
    size_t written = WriteCitation(first, last, g_settings.FontAsciiBase, buffer + n, room > 2 ? room - 2 : 0);
    buffer[n + written] = u'\r';
    buffer[n + written + 1] = u'\n';
    buffer[n + written + 2] = 0;
    return 0;
}
