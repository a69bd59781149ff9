// Helpers shared by the fuzz targets: the input copied into buffers of
// exactly the size a caller would hand over, so any read past them is seen.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include "content/lesson_store.h"

// The input followed by `zeros` zero bytes in a malloc'ed block of exactly
// that size (a LessonText from the store ends in two).
inline uint8_t* CopyWithZeros(const uint8_t* data, size_t size, size_t zeros)
{
    auto* p = static_cast<uint8_t*>(malloc(size + zeros));
    if (size) memcpy(p, data, size);
    memset(p + size, 0, zeros);
    return p;
}

// Takes n bytes from the front of the input, zero-filled when it runs out.
struct Taker {
    const uint8_t* data;
    size_t size;
    uint32_t Take(int n)
    {
        uint32_t v = 0;
        for (int i = 0; i < n; ++i) {
            v = v << 8 | (size ? *data : 0);
            if (size) ++data, --size;
        }
        return v;
    }
};

// The zero bytes the lesson store puts after every text it decodes.
constexpr size_t TEXT_ZEROS = LESSON_TEXT_PADDING;
