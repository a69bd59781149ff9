// Letter code <-> Unicode and the flip between visual and reading order.
#include "text/letter_code.h"

#include <algorithm>

namespace {

constexpr char32_t FIRST_HEBREW_LETTER = 0x5D0;

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

uint8_t MirrorBracket(uint8_t b)
{
    switch (b) {
    case '(': return ')';
    case ')': return '(';
    case '[': return ']';
    case ']': return '[';
    case LETTER_CODE_BRACE: return '}';
    case '}': return LETTER_CODE_BRACE;
    default: return b;
    }
}

template <typename Ch>
bool IsDigit(Ch c) { return c >= '0' && c <= '9'; }

}  // namespace

// One code point from the front of utf8, or -1 for a malformed sequence
// (stray continuation, truncation, overlong form, surrogate).
long DecodeUtf8(std::string_view utf8, size_t& length)
{
    auto byte = [&](size_t i) { return static_cast<unsigned char>(utf8[i]); };
    unsigned char lead = byte(0);
    length = 1;
    if (lead < 0x80) return lead;
    size_t count;
    char32_t c, min;
    if ((lead & 0xE0) == 0xC0) count = 2, c = lead & 0x1F, min = 0x80;
    else if ((lead & 0xF0) == 0xE0) count = 3, c = lead & 0x0F, min = 0x800;
    else if ((lead & 0xF8) == 0xF0) count = 4, c = lead & 0x07, min = 0x10000;
    else return -1;
    if (utf8.size() < count) return -1;
    for (size_t i = 1; i < count; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return -1;
        c = (c << 6) | (byte(i) & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return -1;
    length = count;
    return static_cast<long>(c);
}

char16_t DisplayChar(uint8_t byte, int32_t base)
{
    if (byte >= LETTER_CODE_FIRST && byte <= LETTER_CODE_LAST)
        return static_cast<char16_t>(base + (byte - LETTER_CODE_FIRST));
    if (byte == LETTER_CODE_BRACE) return u'{';
    return byte;
}

char32_t CodePointOfLetterCode(uint8_t byte)
{
    return DisplayChar(byte, FIRST_HEBREW_LETTER);
}

int LetterCodeOfCodePoint(char32_t codePoint)
{
    if (codePoint >= FIRST_HEBREW_LETTER && codePoint <= FIRST_HEBREW_LETTER + (LETTER_CODE_LAST - LETTER_CODE_FIRST))
        return LETTER_CODE_FIRST + static_cast<int>(codePoint - FIRST_HEBREW_LETTER);
    if (codePoint == U'{') return LETTER_CODE_BRACE;
    // The letters' and the brace's own bytes mean something else here.
    if (codePoint == 0 || codePoint > 0xFF || codePoint == LETTER_CODE_BRACE ||
        (codePoint >= LETTER_CODE_FIRST && codePoint <= LETTER_CODE_LAST))
        return -1;
    return static_cast<int>(codePoint);
}

std::string LetterCodeToUtf8(std::span<const uint8_t> bytes)
{
    std::string out;
    out.reserve(bytes.size() * 2);
    for (uint8_t b : bytes) {
        if (b == 0) break;
        AppendUtf8(out, CodePointOfLetterCode(b));
    }
    return out;
}

std::string LetterCodeToUtf8(std::string_view bytes)
{
    return LetterCodeToUtf8(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
}

bool Utf8ToLetterCode(std::string_view utf8, std::string& out, size_t* badAt)
{
    for (size_t at = 0; at < utf8.size();) {
        size_t length;
        long c = DecodeUtf8(utf8.substr(at), length);
        int code = c < 0 ? -1 : LetterCodeOfCodePoint(static_cast<char32_t>(c));
        if (code < 0) {
            if (badAt) *badAt = at;
            return false;
        }
        out += static_cast<char>(code);
        at += length;
    }
    return true;
}

namespace {

// Reverses, mirrors brackets and puts each run of digits back in its order.
template <typename Ch, typename Mirror>
void FlipRun(Ch* text, size_t n, Mirror mirror)
{
    std::reverse(text, text + n);
    for (size_t i = 0; i < n;) {
        if (!IsDigit(text[i])) {
            text[i] = mirror(text[i]);
            ++i;
            continue;
        }
        size_t end = i;
        while (end < n && IsDigit(text[end])) ++end;
        std::reverse(text + i, text + end);
        i = end;
    }
}

}  // namespace

char16_t MirrorChar(char16_t c)
{
    switch (c) {
    case u'(': return u')';
    case u')': return u'(';
    case u'[': return u']';
    case u']': return u'[';
    case u'{': return u'}';
    case u'}': return u'{';
    default: return c;
    }
}

void FlipReadingOrder(std::span<uint8_t> text)
{
    FlipRun(text.data(), text.size(), MirrorBracket);
}

void FlipReadingOrder16(char16_t* text, int n)
{
    if (n > 0) FlipRun(text, static_cast<size_t>(n), MirrorChar);
}

void FlipReadingOrder(std::string& text)
{
    FlipReadingOrder(std::span(reinterpret_cast<uint8_t*>(text.data()), text.size()));
}

std::u16string ReadingUnicode(std::string_view drawn)
{
    std::string s(drawn);
    FlipReadingOrder(s);
    std::u16string out;
    out.reserve(s.size());
    for (unsigned char c : s) out += DisplayChar(c, 0x5D0);
    return out;
}
