// UnCompress over arbitrary records: the first two bytes are the stated
// size, the rest the command bytes, in a block of exactly that length.
#include <cstdlib>
#include "content/lesson_store.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Taker in{data, size};
    uint16_t stated = static_cast<uint16_t>(in.Take(2));
    if (in.size > 0xFFFF) return 0;
    uint8_t* bytes = CopyWithZeros(in.data, in.size, 0);
    CompressedRecord record{bytes, static_cast<uint16_t>(in.size), stated};
    int32_t reason = 0;
    uint8_t* text = UnCompress(&record, &reason);
    if (text) {
        // What came out is exactly the stated size and ends in two zeros.
        if (reason != 0 || text[stated] != 0 || text[stated + 1] != 0) abort();
        free(text);
    } else if (reason != LOAD_BAD_RECORD && reason != LOAD_BUFFER_ERROR) {
        abort();
    }
    free(bytes);
    return 0;
}
