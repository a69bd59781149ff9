#include "text/selection.h"

#include <string>

#include "text/letter_code.h"
#include "text/text_format.h"

bool RecordAt(const uint8_t* text, unsigned offset, RecordSpan* span)
{
    unsigned p = 0;
    while (text[p]) {
        unsigned start = p + 2, end = start;
        while (text[end]) ++end;
        if (offset <= end) {
            *span = {p, start, end, (text[p] & STYLE_REVERSED) != 0 && (text[p] & STYLE_KIND_MASK) != STYLE_RULE};
            return true;
        }
        p = end + 1;
    }
    return false;
}

unsigned ReadingBoundary(const RecordSpan& span, unsigned boundary)
{
    return span.reversed ? span.start + span.end - boundary : boundary;
}

bool StoredPart(const RecordSpan& span, unsigned first, unsigned last, unsigned* lo, unsigned* hi)
{
    unsigned a = first > span.start ? first : span.start;
    unsigned b = last < span.end ? last : span.end;
    if (a >= b) return false;
    *lo = span.reversed ? ReadingBoundary(span, b) : a;
    *hi = span.reversed ? ReadingBoundary(span, a) : b;
    return true;
}

size_t PassageReadingText(const uint8_t* passage, char16_t* out, size_t capacity)
{
    size_t n = 0;
    auto put = [&](char16_t c) {
        if (n + 1 < capacity) out[n] = c;
        ++n;
    };
    for (const uint8_t* p = passage; *p;) {
        uint8_t style = p[0];
        const uint8_t* t = p + 2;
        size_t length = 0;
        while (t[length]) ++length;
        if ((style & STYLE_KIND_MASK) != STYLE_RULE) {
            size_t skip = 0;
            while (skip < length && t[skip] == ' ') ++skip;
            if (skip < length) {
                std::string reading(reinterpret_cast<const char*>(t), length);
                if (style & STYLE_REVERSED) FlipReadingOrder(reading);
                size_t a = reading.find_first_not_of(' '), b = reading.find_last_not_of(' ');
                for (size_t i = a; i <= b; ++i) put(DisplayChar(static_cast<uint8_t>(reading[i]), LETTER_BASE_UNICODE));
                put(u'\n');
            }
        }
        p = t + length + 1;
    }
    if (capacity) out[n + 1 <= capacity ? n : capacity - 1] = 0;
    return n + 1;
}
