#include "search/hit_banner.h"

#include <cstring>
#include "text/text_format.h"

namespace {

int StringLength(const uint8_t* s)
{
    return static_cast<int>(std::strlen(reinterpret_cast<const char*>(s)));
}

}  // namespace

void GetLessonHeadings(const uint8_t* text, Heading* first, Heading* second)
{
    *first = {};
    *second = {};
    if (!text || !text[0]) return;
    const uint8_t* record = text;
    if (record[0] == STYLE_HEADING) {
        *first = {StringLength(record + 2), 0, record + 2};
        record += 2 + first->length + 1;
    }
    if (record[0] == STYLE_SUBHEADING) *second = {StringLength(record + 2), 0, record + 2};
}
