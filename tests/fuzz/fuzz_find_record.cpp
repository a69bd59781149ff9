// FindRecord over an arbitrary container body: first byte picks the slot,
// the rest is the body, in a block of exactly its length.
#include <cstdlib>
#include "content/lesson_store.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Taker in{data, size};
    int slot = static_cast<int>(in.Take(1) % 8) - 1;
    uint8_t* body = CopyWithZeros(in.data, in.size, 0);
    int32_t reason = 0;
    uint8_t* text = FindRecord(body, in.size, slot, &reason);
    if (text) {
        if (reason != 0) abort();
        free(text);
    } else if (reason < LOAD_NO_RESOURCE || reason > LOAD_BUFFER_ERROR) {
        abort();
    }
    free(body);
    return 0;
}
