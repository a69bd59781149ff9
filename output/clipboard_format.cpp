#include "output/clipboard_format.h"

#include <cstdio>
#include <cstring>

#include "settings/settings.h"
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
