// Letter code to display characters, with the letter base and Reverse mode.
#include "text/text_format.h"
#include "text/letter_code.h"

#include <cstdlib>
#include "settings/settings.h"

ConversionBuffer g_conversionBuffer;

namespace {

char16_t* OutputPlace(ConversionBuffer* buffer, int count)
{
    if (buffer && buffer->chars && buffer->capacity >= count) return buffer->chars;
    auto* chars = static_cast<char16_t*>(malloc(2 * static_cast<size_t>(count) + 2));
    if (buffer) {
        free(buffer->chars);
        buffer->chars = chars;
        buffer->capacity = count;
    }
    return chars;
}

}  // namespace

char16_t* MapToDisplay(const uint8_t* bytes, ConversionBuffer* buffer, int count)
{
    if (count < 0) count = 0;
    char16_t* out = OutputPlace(buffer, count);
    if (!out) return nullptr;
    int32_t base = g_settings.FontAsciiBase;
    int n = 0;
    while (n < count && bytes[n]) {
        out[n] = DisplayChar(bytes[n], base);
        ++n;
    }
    out[n] = 0;
    // Only what was written is turned: a count reaching past the run's end
    // must not pull the terminator and stale buffer contents to the front.
    if (n > 0 && base != LETTER_BASE_LATIN && (g_settings.Flags & FLAG_REVERSE))
        MirrorReverse(out, n);
    return out;
}

int MirrorReverse(char16_t* chars, int n)
{
    for (int i = 0, j = n - 1; i <= j; ++i, --j) {
        char16_t a = MirrorChar(chars[i]);
        chars[i] = MirrorChar(chars[j]);
        chars[j] = a;
    }
    return 0;
}

void ReleaseConversionBuffer()
{
    free(g_conversionBuffer.chars);
    g_conversionBuffer = {};
}
