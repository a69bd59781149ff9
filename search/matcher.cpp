#include "search/matcher.h"

#include <cstdint>
#include <cstring>
#if defined(__SSE2__) && defined(__GNUC__)
#include <emmintrin.h>
#endif
#include "settings/settings.h"

void ConvertSearchTextTo(const char16_t* text, int32_t letterBase, uint8_t* pattern)
{
    int n = 0;
    for (int i = 0; i < SEARCH_PATTERN_MAX && text[i]; ++i) {
        char16_t c = text[i];
        if (c >= letterBase && c < letterBase + 27)
            c = static_cast<char16_t>(c + 0x61 - letterBase);
        else if (c == u' ' && i + 1 < SEARCH_PATTERN_MAX && text[i + 1] == u' ')
            continue;
        pattern[n++] = static_cast<uint8_t>(c & 0xFF);
    }
    pattern[n] = 0;
}

void ConvertSearchText(const char16_t* text)
{
    ConvertSearchTextTo(text, g_settings.FontAsciiBase, g_settings.SearchString);
}

namespace {

// Whether any of the eight bytes in w equals c (the classic zero-byte test).
bool HasByte(uint64_t w, uint8_t c)
{
    uint64_t x = w ^ (0x0101010101010101ULL * c);
    return ((x - 0x0101010101010101ULL) & ~x & 0x8080808080808080ULL) != 0;
}

// A letter before the pattern's last one must stand right before it in the
// text, so candidate match ends can be sifted by both: one letter alone is
// common. The record scan sifts by the same rule, never more finely.
bool SiftsByLetterBefore(const uint8_t* p, long n)
{
    return n >= 2 && p[n - 2] != PATTERN_ANY && p[n - 2] != PATTERN_GAP;
}

// Works on indices relative to `lower` so nothing ever points below the text.
// Returns the index of the match's last byte, or -1; n is the pattern length.
long MatchAt(const uint8_t* lower, const uint8_t* p, long n, long from, uint16_t* length)
{
    if (n <= 0 || from < 0) return -1;
    const uint8_t last = p[n - 1];
    const bool sift = SiftsByLetterBefore(p, n);
    for (long e = from; e >= 0; --e) {
        // Most of a text holds no candidate end: skip it sixteen or eight
        // bytes at a time, landing on the nearest candidate when one shows.
#if defined(__SSE2__) && defined(__GNUC__)
        const __m128i wanted = _mm_set1_epi8(static_cast<char>(last));
        const __m128i before = _mm_set1_epi8(static_cast<char>(p[n > 1 ? n - 2 : 0]));
        while (e >= 16) {
            __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(lower + e - 15));
            __m128i hits = _mm_cmpeq_epi8(bytes, wanted);
            if (sift) {
                __m128i earlier = _mm_loadu_si128(reinterpret_cast<const __m128i*>(lower + e - 16));
                hits = _mm_and_si128(hits, _mm_cmpeq_epi8(earlier, before));
            }
            unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(hits));
            if (mask) {
                e -= 15 - (31 - __builtin_clz(mask));
                break;
            }
            e -= 16;
        }
#endif
        while (e >= 7) {
            uint64_t w;
            std::memcpy(&w, lower + e - 7, 8);
            if (HasByte(w, last)) break;
            e -= 8;
        }
        if (e < 0) break;
        if (lower[e] != last) continue;
        long j = n - 2;
        long k = e - 1;
        bool failed = false;
        while (j >= 0) {
            if (k < 0) {
                failed = true;
                break;
            }
            if (lower[k] == p[j] || p[j] == PATTERN_ANY) {
                --j;
                --k;
            } else if (p[j] == PATTERN_GAP) {
                // The prefix nearest to the gap decides: no prefix, no match
                // anywhere in this record.
                uint16_t prefixLength = 0;
                long prefixEnd = MatchAt(lower, p, j, k, &prefixLength);
                if (prefixEnd < 0) return -1;
                *length = static_cast<uint16_t>(e - (prefixEnd - prefixLength + 1) + 1);
                return e;
            } else {
                failed = true;
                break;
            }
        }
        if (!failed) {
            *length = static_cast<uint16_t>(e - k);
            return e;
        }
    }
    return -1;
}

}  // namespace

const uint8_t* MatchBackward(const uint8_t* lower, const uint8_t* pattern, const uint8_t* from,
                             uint16_t* length)
{
    if (from < lower) return nullptr;
    long end = MatchAt(lower, pattern, static_cast<long>(std::strlen(reinterpret_cast<const char*>(pattern))),
                       from - lower, length);
    return end < 0 ? nullptr : lower + end;
}

namespace {

#if defined(__SSE2__) && defined(__GNUC__)
// The record's string at s: its length, and whether it holds anywhere a
// possible match end (`last`, and with `sift`, `before` right ahead of it),
// so a record without one is skipped without the backward scan. One pass
// forward, sixteen bytes at once from aligned blocks, which never reach
// into a page the string does not touch (the address checker, which cannot
// know that, is told to leave them be). The C runtime under Wine would
// find the length a byte at a time.
__attribute__((no_sanitize_address))
size_t ScanRecord(const uint8_t* s, uint8_t last, uint8_t before, bool sift, bool* possible)
{
    uintptr_t misalign = reinterpret_cast<uintptr_t>(s) & 15;
    const uint8_t* block = s - misalign;
    const __m128i zero = _mm_setzero_si128();
    const __m128i wanted = _mm_set1_epi8(static_cast<char>(last));
    const __m128i ahead = _mm_set1_epi8(static_cast<char>(before));
    // Bit k: byte k of the block; `carry` is the byte before the block
    // being `before`. The bytes ahead of the string never count.
    unsigned live = 0xFFFFu << misalign & 0xFFFFu;
    unsigned carry = 0, found = 0;
    for (;; block += 16, live = 0xFFFF) {
        __m128i bytes = _mm_load_si128(reinterpret_cast<const __m128i*>(block));
        unsigned zeros = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, zero))) & live;
        unsigned ends = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, wanted))) & live;
        if (sift) {
            unsigned aheads = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, ahead))) & live;
            ends &= aheads << 1 | carry;
            carry = aheads >> 15;
        }
        if (zeros) {
            unsigned end = static_cast<unsigned>(__builtin_ctz(zeros));
            found |= ends & ((1u << end) - 1);
            *possible = found != 0;
            return static_cast<size_t>(block + end - s);
        }
        found |= ends;
    }
}
#endif

}  // namespace

uint16_t FindInText(const uint8_t* text, uint16_t start, const uint8_t* pattern, uint16_t* length)
{
    // A direct walk over the records stands in for a list of them; the order
    // of visiting and each record's starting point are the same. Offsets, not
    // pointers, so a start past the text's end stays harmless.
    if (!text || !pattern || !*pattern) return 0;
    const long n = static_cast<long>(std::strlen(reinterpret_cast<const char*>(pattern)));
#if defined(__SSE2__) && defined(__GNUC__)
    // What MatchAt looks for first: the last byte, and the one ahead of it
    // when that is a letter.
    const uint8_t last = pattern[n - 1];
    const uint8_t before = n >= 2 ? pattern[n - 2] : 0;
    const bool sift = SiftsByLetterBefore(pattern, n);
#endif
    size_t record = 0;
    while (text[record]) {
        size_t first = record + 2;
        bool possible = true;
#if defined(__SSE2__) && defined(__GNUC__)
        size_t zero = first + ScanRecord(text + first, last, before, sift, &possible);
#else
        size_t zero = first + std::strlen(reinterpret_cast<const char*>(text + first));
#endif
        // A start on a record's style or parameter byte means the hit before
        // it began at the record's first letter: nothing of that record is
        // left below it. Only offset 0 means the whole text.
        bool onHeader = start >= record && start < first && start != 0;
        if (possible && start <= zero && zero > first && !onHeader) {
            size_t from = start >= first ? start : zero - 1;
            long end = MatchAt(text + first, pattern, n, static_cast<long>(from - first), length);
            if (end >= 0) return static_cast<uint16_t>(first + end);
        }
        record = zero + 1;
    }
    return 0;
}
