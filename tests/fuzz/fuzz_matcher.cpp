// MatchBackward and FindInText over arbitrary texts and patterns. Input: a
// length byte, that many pattern bytes (cut at 33, zero-ended), two start
// offset bytes, then the text, ended by zeros as the store ends its texts.
#include <cstdlib>
#include <cstring>
#include "search/matcher.h"
#include "settings/settings.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Taker in{data, size};
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

    uint16_t length = 0;
    uint16_t hit = FindInText(text, start, pattern, &length);
    if (hit) {
        if (hit >= textSize || length == 0 || length > hit + 1) abort();
        // The hit is the last character of a match inside the text.
        const uint8_t* again = MatchBackward(text + hit + 1 - length, pattern, text + hit, &length);
        if (!again) abort();
    }
    // The plain backward scan over the whole block, from its last byte.
    if (const uint8_t* end = MatchBackward(text, pattern, text + textSize - 1, &length)) {
        if (end < text || end >= text + textSize || length == 0 || end + 1 - length < text) abort();
    }
    // A pattern without wildcards is found exactly where a plain backward
    // search finds its last occurrence: the scan may skip, never miss.
    size_t n = strlen(reinterpret_cast<const char*>(pattern));
    if (n && !memchr(pattern, PATTERN_ANY, n) && !memchr(pattern, PATTERN_GAP, n)) {
        const uint8_t* expected = nullptr;
        for (size_t e = textSize; e-- >= n && !expected;)
            if (memcmp(text + e + 1 - n, pattern, n) == 0) expected = text + e;
        if (MatchBackward(text, pattern, text + textSize - 1, &length) != expected) abort();
    }
    free(text);
    return 0;
}
