// ConvertSearchText over arbitrary edit-box text and letter bases: the
// pattern never grows past its 33 bytes and a zero.
#include <cstdlib>
#include <cstring>
#include <vector>
#include "search/matcher.h"
#include "settings/settings.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Taker in{data, size};
    int32_t base = static_cast<int32_t>(in.Take(4));
    std::vector<char16_t> text(in.size / 2 + 1, 0);
    memcpy(text.data(), in.data, in.size / 2 * 2);

    uint8_t pattern[SEARCH_PATTERN_MAX + 1];
    memset(pattern, 0xAA, sizeof pattern);
    ConvertSearchTextTo(text.data(), base, pattern);
    if (strnlen(reinterpret_cast<char*>(pattern), sizeof pattern) > SEARCH_PATTERN_MAX) abort();

    g_settings = {};
    g_settings.FontAsciiBase = base;
    ConvertSearchText(text.data());
    if (g_settings.SearchString[SEARCH_PATTERN_MAX] != 0) abort();
    return 0;
}
