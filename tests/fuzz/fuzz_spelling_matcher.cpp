// The search options' matcher over arbitrary texts and patterns. Input: an
// options byte, a length byte, that many pattern bytes (cut at 33), two start
// offset bytes, then the text, ended by zeros as the store ends its texts.
// With no option it must give every hit FindInText and MatchBackward give;
// with options, a hit lies inside its record, is found again where it ends,
// and under Whole words stands between word boundaries.
#include <cstdlib>
#include <cstring>
#include "search/matcher.h"
#include "search/spelling_matcher.h"
#include "settings/settings.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

bool IsWordByte(uint8_t b)
{
    return (b >= 0x61 && b <= 0x7B) || (b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z');
}

// A mark carries a word on when a letter stands beyond it.
bool InWord(const uint8_t* at, int step, bool beyondInRecord)
{
    return IsWordByte(*at) || ((*at == '\'' || *at == '"') && beyondInRecord && IsWordByte(at[step]));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Taker in{data, size};
    uint32_t options = in.Take(1) & SEARCH_OPTION_BITS;
    size_t patternLength = in.Take(1) % (SEARCH_PATTERN_MAX + 1);
    if (patternLength > in.size) patternLength = in.size;
    uint8_t pattern[SEARCH_PATTERN_MAX + 1] = {};
    memcpy(pattern, in.data, patternLength);
    in.data += patternLength;
    in.size -= patternLength;
    uint16_t start = static_cast<uint16_t>(in.Take(2));
    if (in.size > 0xFFF0) return 0;
    uint8_t* text = CopyWithZeros(in.data, in.size, TEXT_ZEROS);
    size_t textSize = in.size + TEXT_ZEROS;

    uint16_t length = 0, exactLength = 0;
    uint16_t hit = FindInTextByTokens(text, start, pattern, options, &length);
    if (!options) {
        uint16_t exact = FindInText(text, start, pattern, &exactLength);
        if (hit != exact || (hit && length != exactLength)) abort();
        const uint8_t* last = text + textSize - 1;
        const uint8_t* a = MatchBackwardByTokens(text, pattern, last, 0, &length);
        const uint8_t* b = MatchBackward(text, pattern, last, &exactLength);
        if (a != b || (a && length != exactLength)) abort();
    } else if (hit) {
        if (hit >= textSize || length == 0 || length > hit + 1) abort();
        const uint8_t* first = text + hit + 1 - length;
        if (memchr(first, 0, length)) abort();   // never across a record's end
        uint16_t again = 0;
        if (MatchBackwardByTokens(first, pattern, text + hit, options, &again) != text + hit) abort();
        if (options & SEARCH_WHOLE_WORDS) {
            size_t record = 0, string = 2;
            while (text[record] && (string = record + 2) + strlen(reinterpret_cast<char*>(text + string)) < hit)
                record = string + strlen(reinterpret_cast<char*>(text + string)) + 1;
            if (InWord(text + hit + 1, 1, true)) abort();
            if (first > text + string && InWord(first - 1, -1, first - 1 > text + string)) abort();
        }
    }
    free(text);
    return 0;
}
