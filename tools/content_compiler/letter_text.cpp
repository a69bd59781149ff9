// Corpus text into the letter code, with everything the code cannot show
// either mapped by meaning, dropped as a mark, or refused.
#include "tools/content_compiler/letter_text.h"

#include "text/letter_code.h"

namespace {

constexpr char32_t kFirstPoint = 0x591;   // cantillation and vowel points run
constexpr char32_t kLastPoint = 0x5C7;    // from here to here
constexpr char32_t kMaqaf = 0x5BE;
constexpr char32_t kSofPasuq = 0x5C3;
constexpr char32_t kGeresh = 0x5F3;
constexpr char32_t kGershayim = 0x5F4;
constexpr char32_t kByteOrderMark = 0xFEFF;

// One code point from the front of text; -1 for a malformed sequence.
long NextCodePoint(std::string_view text, size_t* length)
{
    auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    unsigned char lead = byte(0);
    *length = 1;
    if (lead < 0x80) return lead;
    size_t count;
    char32_t c, least;
    if ((lead & 0xE0) == 0xC0) count = 2, c = lead & 0x1F, least = 0x80;
    else if ((lead & 0xF0) == 0xE0) count = 3, c = lead & 0x0F, least = 0x800;
    else if ((lead & 0xF8) == 0xF0) count = 4, c = lead & 0x07, least = 0x10000;
    else return -1;
    if (text.size() < count) return -1;
    for (size_t i = 1; i < count; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return -1;
        c = (c << 6) | (byte(i) & 0x3F);
    }
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return -1;
    *length = count;
    return static_cast<long>(c);
}

// The byte for one code point: 0 when the point is dropped, -1 when the code
// cannot hold it. Control characters are refused although the code could
// carry them: a tab or line feed inside a record would upset the layout.
int CodeFor(char32_t c)
{
    switch (c) {
    case kMaqaf: return '-';
    case kSofPasuq: return ':';
    case kGeresh: return '\'';
    case kGershayim: return '"';
    default: break;
    }
    if (c >= kFirstPoint && c <= kLastPoint) return 0;
    if (c < 0x20 || (c >= 0x7F && c < 0xA0)) return -1;
    return LetterCodeOfCodePoint(c);
}

void TrimSpaces(std::string* s)
{
    size_t first = s->find_first_not_of(' ');
    if (first == std::string::npos) {
        s->clear();
        return;
    }
    s->erase(s->find_last_not_of(' ') + 1);
    s->erase(0, first);
}

}  // namespace

bool EncodeTextLine(std::string_view utf8, std::string* out, size_t* badAt, long* badChar)
{
    out->clear();
    for (size_t at = 0; at < utf8.size();) {
        size_t length;
        long c = NextCodePoint(utf8.substr(at), &length);
        int code = c < 0 ? -1 : CodeFor(static_cast<char32_t>(c));
        if (c == kByteOrderMark && at == 0) code = 0;
        if (code < 0) {
            *badAt = at;
            *badChar = c;
            return false;
        }
        if (code > 0) *out += static_cast<char>(code);
        at += length;
    }
    TrimSpaces(out);
    return true;
}

std::string Code(std::u16string_view text)
{
    std::string out;
    for (char16_t c : text) out += static_cast<char>(LetterCodeOfCodePoint(c));
    return out;
}

std::string DisplayOrder(std::string readingOrder)
{
    FlipReadingOrder(readingOrder);
    return readingOrder;
}

bool StartsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}
