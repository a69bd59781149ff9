// UnCompress over arbitrary records: the first two bytes are the stated
// size, the rest the command bytes, in a block of exactly that length.
#include <cstdlib>
#include <cstring>
#include <vector>
#include "content/lesson_store.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

// The command set read one byte at a time, stopping at the stated size; an
// empty result for damage. The decoder's wide copies must agree with it.
bool PlainDecode(const uint8_t* in, size_t n, size_t stated, std::vector<uint8_t>* out)
{
    for (size_t i = 0; out->size() < stated;) {
        if (i >= n) return false;
        unsigned b = in[i++];
        if (b >= 1 && b <= 8) {
            for (unsigned k = 0; k < b && out->size() < stated; ++k) {
                if (i >= n) return false;
                out->push_back(in[i++]);
            }
        } else if (b < 0x80) {
            out->push_back(static_cast<uint8_t>(b));
        } else if (b < 0xC0) {
            if (i >= n) return false;
            unsigned v = b << 8 | in[i++];
            size_t distance = (v >> 3) & 0x7FF, length = (v & 7) + 3;
            if (distance == 0 || distance > out->size()) return false;
            for (size_t k = 0; k < length && out->size() < stated; ++k) out->push_back((*out)[out->size() - distance]);
        } else {
            out->push_back(' ');
            if (out->size() < stated) out->push_back(static_cast<uint8_t>(b ^ 0x80));
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Taker in{data, size};
    uint16_t stated = static_cast<uint16_t>(in.Take(2));
    if (in.size > 0xFFFF) return 0;
    uint8_t* bytes = CopyWithZeros(in.data, in.size, 0);
    CompressedRecord record{bytes, static_cast<uint16_t>(in.size), stated};
    int32_t reason = 0;
    uint8_t* text = UnCompress(&record, &reason);
    std::vector<uint8_t> expected;
    bool decodable = stated > 0 && PlainDecode(bytes, in.size, stated, &expected);
    if (decodable != (text != nullptr)) abort();
    if (text) {
        // What came out is exactly the stated size and ends in two zeros.
        if (reason != 0 || text[stated] != 0 || text[stated + 1] != 0) abort();
        if (memcmp(text, expected.data(), stated) != 0) abort();
        free(text);
    } else if (reason != LOAD_BAD_RECORD && reason != LOAD_BUFFER_ERROR) {
        abort();
    }
    free(bytes);
    return 0;
}
