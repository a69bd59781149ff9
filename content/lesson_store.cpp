// Lesson store: find the container, walk to the slot, decode the record.
// Containers are big-endian 16-bit fields; see lesson_store.h for the codes.
#include "content/lesson_store.h"

#include <cstdlib>
#include <cstring>

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

// Decodes into out[0..limit); returns the number of bytes written, or -1 when
// the data is damaged: a command that needs bytes past the record, or a
// back-reference reaching before the output start. Such data must never make
// us read or write outside the two buffers. `out` has COPY_SLACK bytes of
// room after limit.
long DecodeCommands(const uint8_t* in, size_t inSize, uint8_t* out, size_t limit) {
  size_t i = 0, o = 0;
  // Fast path: while a whole command's fixed-size copies stay inside both
  // buffers, copy 8 or 16 bytes at once and advance by the real length.
  while (o < limit && inSize - i > 9) {
    unsigned b = in[i++];
    if (b >= 1 && b <= 8) {
      Copy8(out + o, in + i);
      i += b;
      o += b;
    } else if ((b & 0xC0) != 0x80) {
      // One letter, or a space and a letter: one branch for both, since
      // they alternate too irregularly to predict.
      unsigned pair = b >> 7;
      out[o] = pair ? ' ' : static_cast<uint8_t>(b);
      out[o + 1] = static_cast<uint8_t>(b ^ 0x80);
      o += 1 + pair;
    } else {
      unsigned v = b << 8 | in[i++];
      size_t distance = (v >> 3) & 0x7FF;
      size_t length = (v & 7) + 3;
      if (distance == 0 || distance > o) return -1;
      const uint8_t* from = out + o - distance;
      if (distance >= 8) {
        Copy8(out + o, from);
        Copy8(out + o + 8, from + 8);
      } else {
        // A short distance repeats what it just wrote.
        for (size_t k = 0; k < length; ++k) out[o + k] = from[k];
      }
      o += length;
    }
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
