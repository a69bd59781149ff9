// Corpus text into the letter code, with everything the code cannot show
// either mapped by meaning, dropped as a mark, or refused.
#include "tools/content_compiler/letter_text.h"

#include "text/letter_code.h"

namespace {

constexpr char32_t FIRST_POINT = 0x591;   // cantillation and vowel points run
constexpr char32_t LAST_POINT = 0x5C7;    // from here to here
constexpr char32_t MAQAF = 0x5BE;
constexpr char32_t SOF_PASUQ = 0x5C3;
constexpr char32_t GERESH = 0x5F3;
constexpr char32_t GERSHAYIM = 0x5F4;
constexpr char32_t BYTE_ORDER_MARK = 0xFEFF;

// The byte for one code point: 0 when the point is dropped, -1 when the code
// cannot hold it. Control characters are refused although the code could
// carry them: a tab or line feed inside a record would upset the layout.
int CodeFor(char32_t c)
{
    switch (c) {
    case MAQAF: return '-';
    case SOF_PASUQ: return ':';
    case GERESH: return '\'';
    case GERSHAYIM: return '"';
    default: break;
    }
    if (c >= FIRST_POINT && c <= LAST_POINT) return 0;
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
        long c = DecodeUtf8(utf8.substr(at), length);
        int code = c < 0 ? -1 : CodeFor(static_cast<char32_t>(c));
        if (c == BYTE_ORDER_MARK && at == 0) code = 0;
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
