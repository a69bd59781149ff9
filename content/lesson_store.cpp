// Lesson store: find the container, walk to the slot, decode the record.
// Containers are big-endian 16-bit fields; see lesson_store.h for the codes.
#include "content/lesson_store.h"

#include <cstdlib>
#include <cstring>
// QUORIN_PORTABLE_DECODE takes the path of other compilers and processors
// here too, so the tests can run it.
#if defined(__SSE2__) && !defined(QUORIN_PORTABLE_DECODE)
#include <emmintrin.h>
#endif

#include "content/buffer_error.h"
#include "content/resource_lookup.h"

namespace {

uint16_t ReadBig16(const uint8_t* p) { return static_cast<uint16_t>(p[0] << 8 | p[1]); }

void StoreReason(int32_t* reason, int32_t code) {
  if (reason) *reason = code;
}

// Bytes a fast-path command may write past its own output (and past the
// text's end, into the slack after it) or read past its own input.
constexpr size_t COPY_SLACK = 16;

// One command the plain way, for where a record starts and ends and for
// the rare commands the fast paths leave out; false when the data is
// damaged: a command that needs bytes past the record, or a back-reference
// reaching before the output start.
bool PlainStep(const uint8_t* in, size_t inSize, size_t* ip, uint8_t* out, size_t limit, size_t* op)
{
  size_t i = *ip, o = *op;
  unsigned b = in[i++];
  if (b >= 1 && b <= 8) {
    size_t n = b < limit - o ? b : limit - o;
    if (n > inSize - i) return false;
    for (size_t k = 0; k < n; ++k) out[o++] = in[i++];
  } else if (b < 0x80) {
    out[o++] = static_cast<uint8_t>(b);
  } else if (b < 0xC0) {
    if (i >= inSize) return false;
    unsigned v = b << 8 | in[i++];
    size_t distance = (v >> 3) & 0x7FF;
    size_t length = (v & 7) + 3;
    if (distance == 0 || distance > o) return false;
    if (length > limit - o) length = limit - o;
    for (size_t k = 0; k < length; ++k, ++o) out[o] = out[o - distance];
  } else {
    out[o++] = ' ';
    if (o < limit) out[o++] = static_cast<uint8_t>(b ^ 0x80);
  }
  *ip = i;
  *op = o;
  return true;
}

#if defined(__SSE2__) && defined(__x86_64__) && defined(__GNUC__) && !defined(QUORIN_PORTABLE_DECODE)

// A letter's or a space pair's bytes, two for each command byte, then
// slack so sixteen can be read from any of them.
struct LetterTable {
  uint8_t bytes[512 + 16];
  constexpr LetterTable() : bytes{} {
    for (int b = 0; b < 256; ++b) {
      bytes[2 * b] = static_cast<uint8_t>(b < 0xC0 ? b : ' ');
      bytes[2 * b + 1] = static_cast<uint8_t>(b < 0xC0 ? 0 : b ^ 0x80);
    }
  }
};
constexpr LetterTable LETTERS;

// By a command's first byte: where its letters are (null for a
// back-reference), how many bytes it writes if a letter, and the high bits
// of its distance if a reference. A letter's "distance" of 32 to 63 passes
// the reference's test once 64 bytes are out, so letters need no test of
// their own.
struct CommandTables {
  const uint8_t* from[256];
  uint8_t length[256];
  int16_t high[256];          // less 16, see below
  uint8_t copyLength[256];   // by a reference's second byte
  constexpr CommandTables() : from{}, length{}, high{}, copyLength{} {
    for (int b = 0; b < 256; ++b) {
      bool copy = (b & 0xC0) == 0x80;
      from[b] = copy ? nullptr : LETTERS.bytes + 2 * b;
      length[b] = static_cast<uint8_t>(b < 0xC0 ? 1 : 2);
      high[b] = static_cast<int16_t>((copy ? (b & 0x3F) << 5 : 32) - 16);
      copyLength[b] = static_cast<uint8_t>((b & 7) + 3);
    }
  }
};
constexpr CommandTables COMMANDS;

// For a back-reference (no `from`), *from = copyFrom and *length =
// copyLength. In assembly: letters and references follow one another too
// irregularly for any branch to predict, and the compiler would turn a
// plain condition into one.
inline void PickCopy(uint64_t* from, uint64_t copyFrom, uint64_t* length, uint64_t copyLength)
{
  __asm__("test %0, %0\n\tcmovz %2, %0\n\tcmovz %3, %1" : "+r"(*from), "+r"(*length) : "r"(copyFrom), "r"(copyLength) : "cc");
}

// A reference's distance less 16 (see COMMANDS: 16 to 47 for a letter).
inline size_t Distance16(size_t b, size_t c1)
{
  return static_cast<size_t>(static_cast<ptrdiff_t>(COMMANDS.high[b])) + (c1 >> 3);
}

// A letter's 16 bytes, or a wide copy's from `copyFrom`, to `at`; returns
// how far the text advances.
inline size_t WideCommand(uint8_t* at, const uint8_t* copyFrom, size_t b, size_t c1)
{
  uint64_t from = reinterpret_cast<uint64_t>(COMMANDS.from[b]);
  uint64_t length = COMMANDS.length[b];
  PickCopy(&from, reinterpret_cast<uint64_t>(copyFrom), &length, COMMANDS.copyLength[c1]);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(at), _mm_loadu_si128(reinterpret_cast<const __m128i*>(from)));
  return length;
}

uint64_t Mask16(__m128i m) { return static_cast<uint16_t>(_mm_movemask_epi8(m)); }

// Of the 64 bytes at p: which would open a back-reference (10xxxxxx), and
// which a literal run (1..8).
void ClassifyWindow(const uint8_t* p, uint64_t* copies, uint64_t* runs)
{
  uint64_t c = 0, r = 0;
  const __m128i high = _mm_set1_epi8(static_cast<char>(0xC0));
  const __m128i copy = _mm_set1_epi8(static_cast<char>(0x80));
  const __m128i one = _mm_set1_epi8(1);
  const __m128i seven = _mm_set1_epi8(7);
  for (int k = 0; k < 4; ++k) {
    __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
    c |= Mask16(_mm_cmpeq_epi8(_mm_and_si128(x, high), copy)) << (16 * k);
    __m128i y = _mm_sub_epi8(x, one);
    r |= Mask16(_mm_cmpeq_epi8(_mm_min_epu8(y, seven), y)) << (16 * k);
  }
  *copies = c;
  *runs = r;
}

// Which bytes of a window start a command, its first byte being a start: a
// back-reference's second byte never does, whatever its value, the way an
// escaped backslash escapes nothing (the odd-run trick of fast JSON
// parsers). Whether the next window's first byte is such a second byte
// comes back in *carry.
uint64_t CommandStarts(uint64_t copies, uint64_t* carry)
{
  constexpr uint64_t ODD_BITS = 0xAAAAAAAAAAAAAAAAull;
  uint64_t codes = (((copies << 1) | ODD_BITS) - copies) ^ ODD_BITS;
  *carry = (codes & copies) >> 63;
  return ~(codes ^ copies);
}

// Decodes into out[0..limit); returns the number of bytes written, or -1 when
// the data is damaged (see PlainStep). Damaged data must never make us read
// or write outside the two buffers. `out` has COPY_SLACK bytes of room after
// limit.
long DecodeCommands(const uint8_t* in, size_t inSize, uint8_t* out, size_t limit)
{
  size_t i = 0, o = 0;
  // The first 64 bytes the plain way: after them every letter passes the
  // references' test (see COMMANDS).
  while (o < 64 && o < limit && i < inSize)
    if (!PlainStep(in, inSize, &i, out, limit, &o)) return -1;
  // The fast path takes 64 input bytes at a time, their command starts
  // found together, so no command waits on the one before to know where it
  // begins. Each command writes 16 bytes, a letter's from the table or a
  // copy from back in the text, and advances by its real length; what lands
  // past that is written over next. A window adds at most 5 bytes a byte
  // (a 2-byte reference gives 10), so one check of both buffers a window.
  constexpr size_t WINDOW = 64, WINDOW_READ = WINDOW + 9, WINDOW_WRITE = 5 * WINDOW + 16;
  while (inSize - i >= WINDOW_READ && limit - o >= WINDOW_WRITE) {
    uint64_t copies, runs, carry;
    ClassifyWindow(in + i, &copies, &runs);
    uint64_t starts = CommandStarts(copies, &carry);
    // A literal run, rare, ends the window's share of fast commands.
    uint64_t runStarts = runs & starts;
    size_t next = i + WINDOW + carry;
    if (runStarts) {
      unsigned q = static_cast<unsigned>(__builtin_ctzll(runStarts));
      starts &= (uint64_t{1} << q) - 1;
      next = i + q;
    }
    const uint8_t* base = in + i;
    // Offsets less 16 below, so a reference's one test needs no arithmetic.
    size_t o16 = o - 16;
    uint8_t* out16 = out + 16;
    while (starts) {
      uint64_t p;
      // tzcnt, or bsf where there is none: the same for a nonzero word.
      __asm__("tzcnt %1, %0" : "=r"(p) : "r"(starts) : "cc");
      starts &= starts - 1;
      size_t b = base[p];
      size_t c1 = base[p + 1];
      size_t distance16 = Distance16(b, c1);
      // Shorter than a wide copy, or reaching before the start: one test.
      // Done here rather than by PlainStep, whose call would cost this loop
      // its registers (a tenth of its speed).
      if (distance16 > o16) {
        size_t distance = distance16 + 16;
        size_t o = o16 + 16;
        if (distance == 0 || distance > o) return -1;
        size_t n = (c1 & 7) + 3;
        for (size_t k = 0; k < n; ++k) out[o + k] = out[o + k - distance];
        o16 += n;
        continue;
      }
      o16 += WideCommand(out16 + o16, out + o16 - distance16, b, c1);
    }
    o = o16 + 16;
    if (runStarts && !PlainStep(in, inSize, &next, out, limit, &o)) return -1;
    i = next;
  }
  // Near the record's ends, one command at a time by the same tables while
  // there are 10 bytes of room to write and a reference's 2 to read.
  while (o >= 64 && inSize - i >= 2 && limit - o >= 10) {
    size_t b = in[i];
    size_t c1 = in[i + 1];
    size_t distance16 = Distance16(b, c1);
    if (b - 1 < 8 || distance16 > o - 16) {
      if (!PlainStep(in, inSize, &i, out, limit, &o)) return -1;
      continue;
    }
    o += WideCommand(out + o, out + o - 16 - distance16, b, c1);
    i += 1 + ((b >> 6) == 2);
  }
  while (o < limit && i < inSize)
    if (!PlainStep(in, inSize, &i, out, limit, &o)) return -1;
  return static_cast<long>(o);
}

#else

void Copy8(uint8_t* to, const uint8_t* from) { memcpy(to, from, 8); }

// Sixteen bytes to `to`: those at `from` where the mask is all ones, else the
// letter bytes (the low byte of `letters` first) followed by whatever. Any
// byte order: the letters go through memory, not a shift.
void WriteCommand(uint8_t* to, const uint8_t* from, unsigned letters, size_t copyMask) {
  // All 64 bits even where size_t has 32: a copy writes up to ten bytes.
  uint64_t wideMask = 0 - static_cast<uint64_t>(copyMask & 1);
#if defined(__SSE2__) && !defined(QUORIN_PORTABLE_DECODE)
  __m128i copied = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
  __m128i mask = _mm_set1_epi64x(static_cast<long long>(wideMask));
  __m128i written = _mm_or_si128(_mm_and_si128(mask, copied),
                                 _mm_andnot_si128(mask, _mm_cvtsi32_si128(static_cast<int>(letters))));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(to), written);
#else
  uint64_t low, high;
  memcpy(&low, from, 8);
  memcpy(&high, from + 8, 8);
  const uint8_t letterBytes[8] = {static_cast<uint8_t>(letters), static_cast<uint8_t>(letters >> 8)};
  uint64_t letterWord;
  memcpy(&letterWord, letterBytes, 8);
  low = (low & wideMask) | (letterWord & ~wideMask);
  memcpy(to, &low, 8);
  memcpy(to + 8, &high, 8);
#endif
}

// Decodes into out[0..limit); returns the number of bytes written, or -1 when
// the data is damaged: a command that needs bytes past the record, or a
// back-reference reaching before the output start. Such data must never make
// us read or write outside the two buffers. `out` has COPY_SLACK bytes of
// room after limit.
// Elsewhere: one check of both buffers per command, the commands' kinds
// told apart by masks rather than branches.
long DecodeCommands(const uint8_t* in, size_t inSize, uint8_t* out, size_t limit) {
  size_t i = 0, o = 0;
  // Fast path, one check of both buffers per command: letters, space pairs
  // and back-references follow one another too irregularly for any branch
  // to predict, so they share one path without branches. Each writes 16
  // bytes, a copy from back in the text or the one or two bytes of a letter,
  // and advances by its real length; what lands past that is written over
  // next. Masks, not conditions: the compiler would branch on those again.
  while (o < limit && inSize - i > 9) {
    unsigned b = in[i];
    if (b - 1 < 8) {
      // A literal run: rare, so it may branch.
      Copy8(out + o, in + i + 1);
      i += 1 + b;
      o += b;
      continue;
    }
    unsigned v = b << 8 | in[i + 1];
    size_t isCopy = (b >> 6) == 2;
    size_t copyMask = 0 - isCopy;
#if defined(__GNUC__)
    __asm__("" : "+r"(copyMask));
#endif
    size_t distance = ((v >> 3) & 0x7FF) & copyMask;
    size_t length = (v & 7) + 3;
    // Short, too long or none at all (isCopy above distance): one test.
    if (((distance - 1 < 15) | (distance > o) | (isCopy > distance)) != 0) {
      if (distance == 0 || distance > o) return -1;
      // A short distance repeats what it just wrote.
      for (size_t k = 0; k < length; ++k) out[o + k] = out[o + k - distance];
      o += length;
      i += 2;
      continue;
    }
    size_t pairMask = 0 - static_cast<size_t>(b >> 7);
    unsigned letters = b ^ ((b ^ (0x20u | (b & 0x7Fu) << 8)) & static_cast<unsigned>(pairMask));
    WriteCommand(out + o, out + ((o - distance) & copyMask), letters, copyMask);
    size_t letterLength = 1 - pairMask;
    o += letterLength ^ ((letterLength ^ length) & copyMask);
    i += 1 + isCopy;
  }
  // Whatever the fast path wrote past limit is slack, not text.
  if (o > limit) o = limit;
  while (o < limit && i < inSize)
    if (!PlainStep(in, inSize, &i, out, limit, &o)) return -1;
  return static_cast<long>(o);
}

#endif

}  // namespace

uint8_t* UnCompress(const CompressedRecord* record, int32_t* reason) {
  if (!record || record->uncompressedSize == 0 || !record->data) {
    StoreReason(reason, LOAD_BAD_RECORD);
    return nullptr;
  }
  size_t size = record->uncompressedSize;
  auto* text = static_cast<uint8_t*>(malloc(size + COPY_SLACK));
  if (!text) {
    StoreReason(reason, LOAD_NO_MEMORY);
    return nullptr;
  }
  long written = DecodeCommands(record->data, record->compressedSize, text, size);
  if (written != static_cast<long>(size)) {
    free(text);
    ReportBufferError();
    StoreReason(reason, LOAD_BUFFER_ERROR);
    return nullptr;
  }
  memset(text + size, 0, COPY_SLACK);
  return text;
}

uint8_t* FindRecord(const uint8_t* body, size_t bodyLength, int slot, int32_t* reason) {
  if (slot < 0 || bodyLength < 5) {
    StoreReason(reason, LOAD_NO_SLOT);
    return nullptr;
  }
  const uint8_t* p = body;
  size_t remaining = bodyLength;
  while (remaining > RECORD_HEADER_SIZE) {
    uint16_t compressed = ReadBig16(p);
    if (compressed == 0) break;
    size_t step = compressed + RECORD_HEADER_SIZE;
    if (slot == 0) {
      // A size claiming more than the body holds is damage: decode only what
      // is there, so the decoder reports the shortfall instead of overreading.
      size_t available = remaining - RECORD_HEADER_SIZE;
      CompressedRecord record{p + RECORD_HEADER_SIZE,
                              static_cast<uint16_t>(compressed < available ? compressed : available),
                              ReadBig16(p + 2)};
      return UnCompress(&record, reason);
    }
    if (step > remaining) break;
    p += step;
    remaining -= step;
    --slot;
  }
  StoreReason(reason, LOAD_NO_SLOT);
  return nullptr;
}

uint8_t* LoadLesson(int lesson, int32_t* reason) {
  if (lesson < 1) return nullptr;
  uint16_t id;
  int slot;
  if (lesson == INDEX_LESSON) {
    id = INDEX_RESOURCE;
    slot = 0;
  } else {
    id = static_cast<uint16_t>((lesson - 1) / LESSONS_PER_RESOURCE + FIRST_LESSON_RESOURCE);
    slot = (lesson - 1) % LESSONS_PER_RESOURCE;
  }
  const uint8_t* data = nullptr;
  size_t size = 0;
  int found = FindResourceBytes(id, &data, &size);
  if (found != 0) {
    StoreReason(reason, found);
    return nullptr;
  }
  if (size < CONTAINER_HEADER_SIZE) {
    StoreReason(reason, LOAD_NO_MEMORY);
    return nullptr;
  }
  // The stated body length is trusted only as far as the resource reaches.
  size_t body = ReadBig16(data);
  if (body > size - CONTAINER_HEADER_SIZE) body = size - CONTAINER_HEADER_SIZE;
  return FindRecord(data + CONTAINER_HEADER_SIZE, body, slot, reason);
}
