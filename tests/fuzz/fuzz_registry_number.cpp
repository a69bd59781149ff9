// The digit-string rule of the registry number reader over arbitrary
// code units, terminated or not.
#include <cstdlib>
#include <cstring>
#include <vector>
#include "settings/registry_number.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    size_t count = size / 2;
    // Exactly count units, no terminator: the reader must stop at count.
    auto* text = static_cast<char16_t*>(malloc(count ? count * 2 : 1));
    memcpy(text, data, count * 2);
    uint32_t bounded = ParseRegistryNumber(text, count);
    // Decimal digits alone read as their number, modulo 2^32.
    bool digitsOnly = true;
    uint64_t plain = 0;
    for (size_t i = 0; i < count && text[i]; ++i) {
        digitsOnly &= text[i] >= u'0' && text[i] <= u'9';
        plain = (plain * 10 + (text[i] - u'0')) & 0xFFFFFFFFu;
    }
    if (digitsOnly && bounded != plain) abort();
    free(text);
    return 0;
}
