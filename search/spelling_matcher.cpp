#include "search/spelling_matcher.h"

#include <cstddef>
#include <cstring>
#if defined(__SSE2__) && defined(__GNUC__)
#include <emmintrin.h>
#endif
#include "search/matcher.h"
#include "text/letter_code.h"

namespace {

constexpr uint8_t VAV = 0x66;
constexpr uint8_t YOD = 0x6A;
constexpr uint8_t GERESH = '\'';
constexpr uint8_t GERSHAYIM = '"';
// Pasted text keeps the low eight bits of each character, so the points and
// marks U+0591..U+05C7 arrive as these bytes and the geresh and gershayim
// U+05F3, U+05F4 as 0xF3, 0xF4. Lesson text never holds any of them.
constexpr uint8_t FIRST_MARK = 0x91;
constexpr uint8_t LAST_MARK = 0xC7;
constexpr uint8_t MAQAF = 0xBE, PASEQ = 0xC0, SOF_PASUQ = 0xC3, NUN_HAFUKHA = 0xC6;
constexpr uint8_t PASTED_GERESH = 0xF3, PASTED_GERSHAYIM = 0xF4;
constexpr int MAX_TOKENS = 64;
// How many vavs and yods a "?" may step over to find its character: more
// than the text ever runs together.
constexpr int MAX_SKIPPED_BY_ANY = 4;

enum : uint8_t { WORD = 1, SEPARATOR = 2, SKIPPABLE = 4, MARK = 8 };

// Letters and digits make words; every other byte parts them. The vav, the
// yod and the two marks may be missing on either side. A geresh or
// gershayim is part of a word between letters (an abbreviation's), a
// quotation mark or punctuation elsewhere.
constexpr auto LETTER_CLASS = [] {
    struct Table {
        uint8_t of[256];
    } t{};
    for (int b = 1; b < 256; ++b) t.of[b] = SEPARATOR;
    for (int b = LETTER_CODE_FIRST; b <= LETTER_CODE_LAST; ++b) t.of[b] = WORD;
    for (int b = '0'; b <= '9'; ++b) t.of[b] = WORD;
    for (int b = 'A'; b <= 'Z'; ++b) t.of[b] = WORD;
    t.of[VAV] = t.of[YOD] = WORD | SKIPPABLE;
    t.of[GERESH] = t.of[GERSHAYIM] = SEPARATOR | SKIPPABLE | MARK;
    return t;
}();

bool Is(uint8_t byte, uint8_t cls) { return (LETTER_CLASS.of[byte] & cls) != 0; }

// Whether the byte at `at`, just outside a hit, carries its word on (the
// next byte outward decides for a mark).
bool InWord(const uint8_t* lower, long at, int step)
{
    if (Is(lower[at], WORD)) return true;
    return Is(lower[at], MARK) && at + step >= 0 && Is(lower[at + step], WORD);
}

// The five final letters stand one code below their plain forms.
bool IsFinal(uint8_t b) { return b == 0x6B || b == 0x6E || b == 0x70 || b == 0x74 || b == 0x76; }
uint8_t PlainForm(uint8_t b) { return IsFinal(b) ? b + 1 : b; }
uint8_t FinalForm(uint8_t plain) { return IsFinal(static_cast<uint8_t>(plain - 1)) ? plain - 1 : plain; }

enum Kind : uint8_t {
    LETTER,      // one byte, a or b
    OPTIONAL,    // a vav, yod or mark that may be missing (or doubled) in the text
    PARTING,     // spaces and punctuation between words: one or more in the text
    ANY_ONE,     // "?"
    GAP,         // "*"
};

struct Token {
    Kind kind;
    uint8_t a, b;
};

struct Tokens {
    Token t[MAX_TOKENS];
    int n;
    bool insertions;   // a vav, yod or mark of the text may stand between tokens
    bool wholeWords;
};

Token TokenOf(uint8_t b, bool anySpelling)
{
    if (b == PATTERN_ANY) return {ANY_ONE, b, b};
    if (b == PATTERN_GAP) return {GAP, b, b};
    if (!anySpelling) return {LETTER, b, b};
    if (b == PASTED_GERESH) b = GERESH;
    if (b == PASTED_GERSHAYIM) b = GERSHAYIM;
    if (Is(b, SKIPPABLE)) return {OPTIONAL, b, b};
    // Spaces, punctuation and the marks that part words (the maqaf and its
    // kin; the points never get here): any run of them in the text.
    if (b >= FIRST_MARK && b <= LAST_MARK) return {PARTING, b, b};
    if (b < 0x80 && Is(b, SEPARATOR)) return {PARTING, b, b};
    return {LETTER, PlainForm(b), FinalForm(PlainForm(b))};
}

bool IsPoint(uint8_t b)
{
    return b >= FIRST_MARK && b <= LAST_MARK && b != MAQAF && b != PASEQ && b != SOF_PASUQ && b != NUN_HAFUKHA;
}

// False when nothing is left to look for.
bool Compile(const uint8_t* pattern, uint32_t options, Tokens* tk)
{
    bool any = (options & SEARCH_ANY_SPELLING) != 0;
    tk->n = 0;
    tk->insertions = any;
    tk->wholeWords = (options & SEARCH_WHOLE_WORDS) != 0;
    for (const uint8_t* p = pattern; *p; ++p) {
        if (any && IsPoint(*p)) continue;
        Token token = TokenOf(*p, any);
        // A doubled vav or yod is one, and a run of parting marks one gap.
        if (tk->n && (token.kind == OPTIONAL || token.kind == PARTING)) {
            const Token& before = tk->t[tk->n - 1];
            if (before.kind == token.kind && (token.kind == PARTING || before.a == token.a)) continue;
        }
        if (tk->n == MAX_TOKENS) return false;
        tk->t[tk->n++] = token;
    }
    return tk->n > 0;
}

constexpr long FAIL = -1;      // this candidate fails
constexpr long GIVE_UP = -2;   // no prefix before a gap: nothing lower can match either

// "?" next to vav and yod may take one or skip it, so a walk can branch at
// each "?"; the places already found to fail are noted (per candidate, by
// stamp), which keeps a pattern of many "?" from trying every combination.
struct Failure {
    uint32_t stamp;
    uint16_t k;
    uint8_t j;
};
constexpr size_t FAILURE_SLOTS = 4096;
thread_local Failure t_failures[FAILURE_SLOTS];
thread_local uint32_t t_stamp;

uint32_t NewStamp()
{
    if (++t_stamp == 0) {
        std::memset(t_failures, 0, sizeof t_failures);
        t_stamp = 1;
    }
    return t_stamp;
}

Failure& FailureSlot(int j, long k)
{
    return t_failures[(static_cast<size_t>(k) * 37 + static_cast<size_t>(j)) % FAILURE_SLOTS];
}

bool KnownToFail(uint32_t stamp, int j, long k)
{
    const Failure& f = FailureSlot(j, k);
    return f.stamp == stamp && f.j == j && f.k == static_cast<uint16_t>(k);
}

// Candidate ends: bytes a or b, and with `sift` one of x, y (or a skippable
// mark with `skippables`) right before.
struct Sieve {
    bool on, sift, skippables;
    uint8_t a, b, x, y;
};

// Tokens 0..end of the pattern, as one pattern: the prefix before a gap is
// matched the same way as the whole.
struct Range {
    const Tokens* tk;
    int end;
    int first, last;   // the tokens that must find text; the optional ones outside them only widen a hit
    bool required;     // only optional letters: then they must be there
    bool checkStart, checkEnd;
    Sieve sieve;
};

// Whether the token compares one byte (the last of a pattern always does).
bool ComparesByte(const Range& r, int j, uint8_t* a, uint8_t* b)
{
    const Token& t = r.tk->t[j];
    bool literal = j == r.end && (t.kind == ANY_ONE || t.kind == GAP);
    if (t.kind == LETTER || literal || (t.kind == OPTIONAL && r.required) || (t.kind == GAP && j == r.last)) {
        *a = t.a;
        *b = t.b;
        return true;
    }
    return false;
}

Range MakeRange(const Tokens& tk, int end, bool checkStart, bool checkEnd)
{
    Range r{&tk, end, -1, -1, false, checkStart, checkEnd, {}};
    for (int i = 0; i <= end; ++i) {
        if (tk.t[i].kind == OPTIONAL) continue;
        if (r.first < 0) r.first = i;
        r.last = i;
    }
    if (r.first < 0) {
        r.required = true;
        r.first = 0;
        r.last = end;
    }
    Sieve& s = r.sieve;
    s.on = ComparesByte(r, r.last, &s.a, &s.b);
    int before = r.last - 1;
    while (before >= r.first && r.tk->t[before].kind == OPTIONAL && !r.required) --before;
    s.sift = s.on && before >= r.first && ComparesByte(r, before, &s.x, &s.y);
    s.skippables = tk.insertions && !r.required;
    return r;
}

// How far a hit widens at one edge over the text's vavs and yods from k on
// (in steps of `step`, not past `limit`): as far as the last of the
// pattern's optional letters at that edge (tokens from, from + step, ...,
// up to and with `to`) that the run holds in order, each once or doubled.
// Others of the run only count when one of the pattern's comes after them.
long EdgeRun(const uint8_t* lower, long k, int step, long limit, const Token* t, int from, int to)
{
    long taken = 0;
    int i = from;
    for (long n = 0; (step > 0 ? k <= limit : k >= limit) && Is(lower[k], SKIPPABLE); k += step) {
        ++n;
        if (lower[k] != t[i].a) continue;
        long next = k + step;
        if ((step > 0 ? next <= limit : next >= limit) && lower[next] == t[i].a) {
            k = next;
            ++n;
        }
        taken = n;
        if (i == to) break;
        i += step;
    }
    return taken;
}

bool Sifted(const Sieve& s, uint8_t before)
{
    return before == s.x || before == s.y || (s.skippables && Is(before, SKIPPABLE));
}

// The highest e at or below `e` that may end a match, or -1.
long NextCandidate(const uint8_t* lower, long e, const Sieve& s)
{
    if (!s.on) return e;
#if defined(__SSE2__) && defined(__GNUC__)
    const __m128i a = _mm_set1_epi8(static_cast<char>(s.a)), b = _mm_set1_epi8(static_cast<char>(s.b));
    const __m128i x = _mm_set1_epi8(static_cast<char>(s.x)), y = _mm_set1_epi8(static_cast<char>(s.y));
    const __m128i vav = _mm_set1_epi8(VAV), yod = _mm_set1_epi8(YOD);
    const __m128i geresh = _mm_set1_epi8(GERESH), gershayim = _mm_set1_epi8(GERSHAYIM);
    while (e >= 16) {
        __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(lower + e - 15));
        __m128i hits = _mm_or_si128(_mm_cmpeq_epi8(bytes, a), _mm_cmpeq_epi8(bytes, b));
        if (s.sift) {
            __m128i earlier = _mm_loadu_si128(reinterpret_cast<const __m128i*>(lower + e - 16));
            __m128i ok = _mm_or_si128(_mm_cmpeq_epi8(earlier, x), _mm_cmpeq_epi8(earlier, y));
            if (s.skippables)
                ok = _mm_or_si128(ok, _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(earlier, vav), _mm_cmpeq_epi8(earlier, yod)),
                                                   _mm_or_si128(_mm_cmpeq_epi8(earlier, geresh),
                                                                _mm_cmpeq_epi8(earlier, gershayim))));
            hits = _mm_and_si128(hits, ok);
        }
        unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(hits));
        if (mask) return e - (15 - (31 - __builtin_clz(mask)));
        e -= 16;
    }
#endif
    for (; e >= 0; --e) {
        if (lower[e] != s.a && lower[e] != s.b) continue;
        if (s.sift && (e == 0 || !Sifted(s, lower[e - 1]))) continue;
        return e;
    }
    return -1;
}

long MatchRange(const Range& r, const uint8_t* lower, long from, long* start);

// Tokens j down to the range's first against the text from k down; the
// start of the hit, FAIL or GIVE_UP.
long WalkLeft(const Range& r, const uint8_t* lower, int j, long k, uint32_t stamp)
{
    const Token* t = r.tk->t;
    bool insertions = r.tk->insertions && !r.required;
    for (; j >= r.first; --j) {
        const Token& token = t[j];
        if (token.kind == OPTIONAL && !r.required) continue;
        if (token.kind == GAP) {
            if (k < 0) return FAIL;
            // A gap that meets a "*" in the text takes it as itself.
            if (lower[k] == PATTERN_GAP) {
                --k;
                continue;
            }
            if (j == 0) return GIVE_UP;
            // The prefix nearest the gap, which may be empty.
            long prefixStart = 0;
            Range prefix = MakeRange(*r.tk, j - 1, r.checkStart, false);
            if (MatchRange(prefix, lower, k, &prefixStart) < 0) return GIVE_UP;
            return prefixStart;
        }
        if (token.kind == ANY_ONE && insertions) {
            // "?" takes the byte before it, or skips a vav or yod for the next.
            if (KnownToFail(stamp, j, k)) return FAIL;
            for (long at = k; at >= 0 && at >= k - MAX_SKIPPED_BY_ANY; --at) {
                long s = WalkLeft(r, lower, j - 1, at - 1, stamp);
                if (s != FAIL) return s;
                if (!Is(lower[at], SKIPPABLE)) break;
            }
            FailureSlot(j, k) = {stamp, static_cast<uint16_t>(k), static_cast<uint8_t>(j)};
            return FAIL;
        }
        if (insertions)
            while (k >= 0 && Is(lower[k], SKIPPABLE)) --k;
        if (k < 0) return FAIL;
        uint8_t byte = lower[k];
        if (token.kind == PARTING) {
            if (!Is(byte, SEPARATOR)) return FAIL;
            while (k >= 0 && Is(lower[k], SEPARATOR)) --k;
            continue;
        }
        if (token.kind != ANY_ONE && byte != token.a && byte != token.b) return FAIL;
        --k;
    }
    long s = k + 1;
    if (!r.required && r.first > 0) s -= EdgeRun(lower, s - 1, -1, 0, t, r.first - 1, 0);
    if (r.checkStart && s > 0 && InWord(lower, s - 1, -1)) return FAIL;
    return s;
}

// The match whose last byte is nearest below `from` (indices from lower):
// its last byte's index, or -1; *start gets its first.
long MatchRange(const Range& r, const uint8_t* lower, long from, long* start)
{
    const Token& anchor = r.tk->t[r.last];
    for (long e = from; e >= 0; --e) {
        e = NextCandidate(lower, e, r.sieve);
        if (e < 0) break;
        uint8_t byte = lower[e];
        long k = e - 1;
        if (!r.sieve.on) {
            if (!byte) continue;
            if (anchor.kind == PARTING) {
                if (!Is(byte, SEPARATOR)) continue;
                while (k >= 0 && Is(lower[k], SEPARATOR)) --k;
            }
        } else if (byte != r.sieve.a && byte != r.sieve.b) {
            continue;
        }
        long last = e;
        if (!r.required && r.last < r.end) last += EdgeRun(lower, e + 1, 1, from, r.tk->t, r.last + 1, r.end);
        if (r.checkEnd && InWord(lower, last + 1, 1)) continue;
        long s = WalkLeft(r, lower, r.last - 1, k, r.tk->insertions ? NewStamp() : 0);
        if (s == GIVE_UP) return -1;
        if (s == FAIL) continue;
        *start = s;
        return last;
    }
    return -1;
}

#if defined(__SSE2__) && defined(__GNUC__)
// The record's length, and whether the sieve lets any of its bytes through,
// in one pass forward over aligned blocks, which never reach a page the
// string does not touch (so the address checker is told to leave them be).
__attribute__((no_sanitize_address))
size_t ScanRecord(const uint8_t* s, const Sieve& sieve, bool* possible)
{
    uintptr_t misalign = reinterpret_cast<uintptr_t>(s) & 15;
    const uint8_t* block = s - misalign;
    const __m128i zero = _mm_setzero_si128();
    const __m128i a = _mm_set1_epi8(static_cast<char>(sieve.a)), b = _mm_set1_epi8(static_cast<char>(sieve.b));
    const __m128i x = _mm_set1_epi8(static_cast<char>(sieve.x)), y = _mm_set1_epi8(static_cast<char>(sieve.y));
    const __m128i vav = _mm_set1_epi8(VAV), yod = _mm_set1_epi8(YOD);
    const __m128i geresh = _mm_set1_epi8(GERESH), gershayim = _mm_set1_epi8(GERSHAYIM);
    unsigned live = 0xFFFFu << misalign & 0xFFFFu;
    unsigned carry = 0, found = 0;
    for (;; block += 16, live = 0xFFFF) {
        __m128i bytes = _mm_load_si128(reinterpret_cast<const __m128i*>(block));
        unsigned zeros = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, zero))) & live;
        unsigned ends = 0xFFFF & live;
        if (sieve.on) {
            ends &= static_cast<unsigned>(
                _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(bytes, a), _mm_cmpeq_epi8(bytes, b))));
            if (sieve.sift) {
                __m128i ok = _mm_or_si128(_mm_cmpeq_epi8(bytes, x), _mm_cmpeq_epi8(bytes, y));
                if (sieve.skippables)
                    ok = _mm_or_si128(ok, _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, vav), _mm_cmpeq_epi8(bytes, yod)),
                                                       _mm_or_si128(_mm_cmpeq_epi8(bytes, geresh),
                                                                    _mm_cmpeq_epi8(bytes, gershayim))));
                unsigned aheads = static_cast<unsigned>(_mm_movemask_epi8(ok)) & live;
                ends &= aheads << 1 | carry;
                carry = aheads >> 15;
            }
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
#else
size_t ScanRecord(const uint8_t* s, const Sieve&, bool* possible)
{
    *possible = true;
    return std::strlen(reinterpret_cast<const char*>(s));
}
#endif

}  // namespace

uint16_t FindInTextWith(const uint8_t* text, uint16_t start, const uint8_t* pattern, uint32_t options,
                        uint16_t* length)
{
    if (!(options & SEARCH_OPTION_BITS)) return FindInText(text, start, pattern, length);
    return FindInTextByTokens(text, start, pattern, options, length);
}

uint16_t FindInTextByTokens(const uint8_t* text, uint16_t start, const uint8_t* pattern, uint32_t options,
                            uint16_t* length)
{
    // The same walk over the records as FindInText's, record by record.
    Tokens tk;
    if (!text || !pattern || !Compile(pattern, options, &tk)) return 0;
    Range range = MakeRange(tk, tk.n - 1, tk.wholeWords, tk.wholeWords);
    size_t record = 0;
    while (text[record]) {
        size_t first = record + 2;
        bool possible = true;
        size_t zero = first + ScanRecord(text + first, range.sieve, &possible);
        bool onHeader = start >= record && start < first && start != 0;
        if (possible && start <= zero && zero > first && !onHeader) {
            size_t from = start >= first ? start : zero - 1;
            long hitStart = 0;
            long end = MatchRange(range, text + first, static_cast<long>(from - first), &hitStart);
            if (end >= 0) {
                *length = static_cast<uint16_t>(end - hitStart + 1);
                return static_cast<uint16_t>(first + end);
            }
        }
        record = zero + 1;
    }
    return 0;
}

const uint8_t* MatchBackwardByTokens(const uint8_t* lower, const uint8_t* pattern, const uint8_t* from,
                                     uint32_t options, uint16_t* length)
{
    Tokens tk;
    if (from < lower || !Compile(pattern, options, &tk)) return nullptr;
    Range range = MakeRange(tk, tk.n - 1, tk.wholeWords, tk.wholeWords);
    long start = 0;
    long end = MatchRange(range, lower, from - lower, &start);
    if (end < 0) return nullptr;
    *length = static_cast<uint16_t>(end - start + 1);
    return lower + end;
}
