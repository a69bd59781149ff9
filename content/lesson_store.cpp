// Lesson store: find the container, walk to the slot, decode the record.
// Containers are big-endian 16-bit fields; see lesson_store.h for the codes.
#include "content/lesson_store.h"

#include <cstdlib>
#include <cstring>
#if defined(__SSE2__)
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

void Copy8(uint8_t* to, const uint8_t* from) { memcpy(to, from, 8); }

// Sixteen bytes to `to`: those at `from` where the mask is all ones, else the
// letter bytes (little-endian) followed by whatever.
void WriteCommand(uint8_t* to, const uint8_t* from, unsigned letters, size_t copyMask) {
#if defined(__SSE2__)
  __m128i copied = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
  __m128i mask = _mm_set1_epi64x(static_cast<long long>(copyMask));
  __m128i written = _mm_or_si128(_mm_and_si128(mask, copied),
                                 _mm_andnot_si128(mask, _mm_cvtsi32_si128(static_cast<int>(letters))));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(to), written);
#else
  uint64_t low, high;
  memcpy(&low, from, 8);
  memcpy(&high, from + 8, 8);
  low = (low & copyMask) | (letters & ~static_cast<uint64_t>(copyMask));
  memcpy(to, &low, 8);
  memcpy(to + 8, &high, 8);
#endif
}

// Decodes into out[0..limit); returns the number of bytes written, or -1 when
// the data is damaged: a command that needs bytes past the record, or a
// back-reference reaching before the output start. Such data must never make
// us read or write outside the two buffers. `out` has COPY_SLACK bytes of
// room after limit.
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
    __asm__("" : "+r"(copyMask));
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
  while (o < limit && i < inSize) {
    unsigned b = in[i++];
    if (b >= 1 && b <= 8) {
      size_t n = b < limit - o ? b : limit - o;
      if (n > inSize - i) return -1;
      for (size_t k = 0; k < n; ++k) out[o++] = in[i++];
    } else if (b < 0x80) {
      out[o++] = static_cast<uint8_t>(b);
    } else if (b < 0xC0) {
      if (i >= inSize) return -1;
      unsigned v = b << 8 | in[i++];
      size_t distance = (v >> 3) & 0x7FF;
      size_t length = (v & 7) + 3;
      if (distance == 0 || distance > o) return -1;
      if (length > limit - o) length = limit - o;
      for (size_t k = 0; k < length; ++k, ++o) out[o] = out[o - distance];
    } else {
      out[o++] = ' ';
      if (o < limit) out[o++] = static_cast<uint8_t>(b ^ 0x80);
    }
  }
  return static_cast<long>(o);
}

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
