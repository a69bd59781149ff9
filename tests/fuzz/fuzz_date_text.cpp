// FormatHebrewDate over arbitrary dates: month, day and year from the input,
// any 32-bit values. The text fits its room or nothing is written.
#include <cstdlib>
#include <cstring>
#include "calendar/date_text.h"
#include "settings/settings.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Taker in{data, size};
    DateRec date;
    date.month = static_cast<int32_t>(in.Take(4));
    date.day = static_cast<int32_t>(in.Take(4));
    date.year = static_cast<int32_t>(in.Take(4));
    // Small inputs land on ordinary dates, so the fuzzer spends time there.
    if (size <= 6) {
        date = {static_cast<int32_t>(data[0 % (size ? size : 1)] % 15),
                static_cast<int32_t>(size > 1 ? data[1] % 32 : 1),
                static_cast<int32_t>(size > 3 ? (data[2] << 8 | data[3]) : 5780)};
    }
    uint8_t buffer[DATE_TEXT_SIZE + 8];
    memset(buffer, 0xAA, sizeof buffer);
    int32_t length = FormatHebrewDate(&date, buffer);
    if (length < 0 || length >= DATE_TEXT_SIZE) abort();
    if (length == 0) {
        for (uint8_t b : buffer)
            if (b != 0xAA) abort();
    } else {
        if (buffer[length] != 0 || strlen(reinterpret_cast<char*>(buffer)) != static_cast<size_t>(length)) abort();
        for (size_t i = DATE_TEXT_SIZE; i < sizeof buffer; ++i)
            if (buffer[i] != 0xAA) abort();
    }
    return 0;
}
